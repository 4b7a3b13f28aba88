#pragma once
// The games' level file: the board, the object records, the player block and
// the texts of the objects that carry one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "level/level.h"

class TStream;

// A level is about 20 KB; a file with more than this after its texts is not
// one, and the reader refuses it.
inline constexpr size_t kMaxTailBytes = 16 * 1024 * 1024;
// An object's text has a 16-bit length.
inline constexpr uint16_t kMaxTextLength = 0xFFFF;

// Reads a whole level file. Null when the file cannot be opened or is not a
// valid level; a file that opens but fails to read is also shown to the user
// in a notice. Progress and warnings go to the log.
std::shared_ptr<TLevel> ReadLevel(const std::string& url);
// The same from an open little-endian stream holding the file's bytes; url
// names them in the log and the notice.
std::shared_ptr<TLevel> ReadLevel(TStream& stream, const std::string& url);
// The same without a notice, for a caller that tells the user itself: what
// is wrong with the bytes is put in problem ("" when they just end too soon).
std::shared_ptr<TLevel> ReadLevelWithoutNotice(TStream& stream, std::string& problem);

// Writes the whole level file to a little-endian stream. False when the level
// cannot be put in the format (numobjs not counting exactly the present
// objects, a text longer than 65535 characters) or the stream fails.
bool WriteLevel(TStream& stream, const TLevel& level);
// The level file's bytes as saving would write them; empty when the level
// cannot be put in the format (then it cannot be saved either).
std::vector<uint8_t> LevelFileBytes(const TLevel& level);

// Reads one 31-byte object record. Null when stream is absent; a short stream
// throws TStreamEnd.
std::shared_ptr<TLevelObject> ReadLevelObject(TStream* stream);
