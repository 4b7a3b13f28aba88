#include "level/level_file.h"

#include <stdexcept>

#include "base/log.h"
#include "base/requesters.h"
#include "level/object_kinds.h"
#include "system/stream.h"

namespace {

// A read failure that has something to tell the user about the bytes read;
// running out of data (TStreamEnd) is the other kind, told by where the file
// ends.
class TLevelReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 16470 as "16,470": a level file's size is read more easily so.
std::string WithThousandsSeparators(int64_t number) {
    std::string digits = std::to_string(number);
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

// The reason given for a file that ended before the part it was read in was
// complete. The reads stop at the end, so the stream's position is the file's
// size; a stream that cannot tell its position gives the part alone.
std::string WhereTheFileEnds(int64_t bytes, const std::string& part) {
    if (bytes == 0) return "the file is empty";
    std::string where = "the file ends";
    if (bytes > 0) where += " after " + WithThousandsSeparators(bytes) + (bytes == 1 ? " byte" : " bytes");
    return where + ", inside " + part;
}

void ReadPlayerBlock(TStream& stream, TLevel& level) {
    level.pl_level = stream.ReadShort();
    level.pl_health = stream.ReadShort();
    level.pl_numinv = stream.ReadShort();
    for (uint16_t& item : level.pl_inv) item = stream.ReadShort();
    level.pl_score = stream.ReadInt();
    level.pl_ouched = stream.ReadShort();
    level.pl_oldscore = stream.ReadInt();
    stream.ReadBytes(level.pl_pad.data(), level.pl_pad.size());
}

void ReadTail(TStream& stream, TLevel& level) {
    std::vector<uint8_t> tail;
    uint8_t chunk[4096];
    while (size_t got = stream.ReadRaw(chunk, sizeof chunk)) {
        tail.insert(tail.end(), chunk, chunk + got);
        if (tail.size() > kMaxTailBytes)
            throw TLevelReadError("more than " + std::to_string(kMaxTailBytes) + " bytes after the texts");
    }
    if (!tail.empty()) level.tail = std::make_shared<const std::vector<uint8_t>>(std::move(tail));
}

// part names the part of the file being read, for the reason given when the
// file ends inside it. Nothing is allocated ahead for a count in the file:
// each object and text is read before it is kept, so a count larger than the
// file holds costs no more than the file's own bytes.
void ReadLevelBody(TStream& stream, TLevel& level, std::string& part) {
    part = "the board";
    for (uint16_t& word : level.bd) word = stream.ReadShort();

    part = "the object count";
    level.numobjs = stream.ReadShort();
    if (level.numobjs > kMaxSupportedObjs)
        LogLine(" WARNING: unsupported numobjs value: " + std::to_string(level.numobjs));
    for (int index = 0; index < level.numobjs; ++index) {
        // Numbered from 0, as the log and tarn-cli number objects.
        part = "the object list (object " + std::to_string(index) + " of " + std::to_string(level.numobjs) + ")";
        TLevelObjectPtr obj = ReadLevelObject(&stream);
        if (!obj) throw TLevelReadError("null obj");
        if (obj->objkind > kMaxSupportedObjKind)
            LogLine(" WARNING: unsupported objkind value: " + std::to_string(obj->objkind) + " for object #" +
                    std::to_string(index));
        level.objs.push_back(std::move(obj));
    }

    part = "the player block";
    ReadPlayerBlock(stream, level);

    for (size_t index = 0; index < level.objs.size(); ++index) {
        TLevelObject* obj = level.objs[index].get();
        if (obj->inside == 0) continue;
        part = "the texts (the text of object " + std::to_string(index) + ")";
        uint16_t length = stream.ReadShort();
        obj->insideStr = stream.ReadString(length);
        if (stream.ReadByte() != 0) throw TLevelReadError("inside string not null-terminated!");
    }

    ReadTail(stream, level);
}

void ShowReadFailure(const std::string& url, const std::string& reason) {
    Notify("Error while trying to load a Jill level from the following file:\n\n" + url + "\n\n" + reason +
               "\n\nProbably not a (valid) level file?\n\nHint:\nThe level files should have the extension .JN? "
               "Or .ONE (for Onesimus)",
           0);
}

}  // namespace

std::shared_ptr<TLevelObject> ReadLevelObject(TStream* stream) {
    if (!stream) return nullptr;
    auto obj = std::make_shared<TLevelObject>();
    obj->objkind = stream->ReadByte();
    for (uint16_t* field : {&obj->x, &obj->y, &obj->xd, &obj->yd, &obj->xl, &obj->yl, &obj->state, &obj->substate,
                            &obj->statecount, &obj->counter, &obj->objflags})
        *field = stream->ReadShort();
    obj->inside = stream->ReadInt();
    obj->info1 = stream->ReadShort();
    obj->zaphold = stream->ReadShort();
    return obj;
}

std::shared_ptr<TLevel> ReadLevel(const std::string& url) {
    LogBlankLine();
    LogLine("ReadLevel() :: Trying to read level file ...");
    if (!url.empty()) LogLine(" url = " + url);
    LogText(" opening file ... ");
    TStreamPtr stream = LittleEndian(OpenReadStream(url));
    if (!stream) {
        LogError();
        return nullptr;
    }
    LogOK();
    TLevelPtr level = ReadLevel(*stream, url);
    stream->Close();
    return level;
}

std::shared_ptr<TLevel> ReadLevel(TStream& stream, const std::string& url) {
    std::string problem;
    TLevelPtr level = ReadLevelWithoutNotice(stream, problem);
    if (!level) ShowReadFailure(url, problem);
    return level;
}

std::shared_ptr<TLevel> ReadLevelWithoutNotice(TStream& stream, std::string& problem) {
    auto level = std::make_shared<TLevel>();
    std::string part;
    problem.clear();
    try {
        ReadLevelBody(stream, *level, part);
        LogLine("ReadLevel() :: SUCCESS!");
    } catch (const TLevelReadError& error) {
        problem = error.what();
        level = nullptr;
    } catch (const TStreamEnd&) {
        problem = WhereTheFileEnds(stream.Pos(), part);
        level = nullptr;
    }
    if (!level) {
        LogLine(" ERROR while trying to read level!");
        if (!problem.empty()) LogBlock("  " + problem);
    }
    LogBlankLine();
    return level;
}

bool WriteLevel(TStream& stream, const TLevel& level) {
    // Refuse what the format cannot hold rather than write a file whose
    // counts disagree with its contents: numobjs must name exactly the
    // present objects (more than 65535 of them cannot be counted), and a text
    // length must fit its 16-bit field.
    const auto& objs = level.objs;
    if (level.numobjs > objs.size()) return false;
    for (size_t index = 0; index < objs.size(); ++index) {
        const TLevelObjectPtr& obj = objs[index];
        bool written = index < level.numobjs;
        if (written != bool(obj)) return false;
        if (obj && obj->insideStr.size() > kMaxTextLength) return false;
    }

    for (uint16_t word : level.bd) stream.WriteShort(word);
    stream.WriteShort(level.numobjs);
    for (int index = 0; index < level.numobjs; ++index) objs[index]->Write(&stream);

    stream.WriteShort(level.pl_level);
    stream.WriteShort(level.pl_health);
    stream.WriteShort(level.pl_numinv);
    for (uint16_t item : level.pl_inv) stream.WriteShort(item);
    stream.WriteInt(level.pl_score);
    stream.WriteShort(level.pl_ouched);
    stream.WriteInt(level.pl_oldscore);
    stream.WriteRaw(level.pl_pad.data(), level.pl_pad.size());

    for (int index = 0; index < level.numobjs; ++index) {
        const TLevelObject& obj = *objs[index];
        if (!obj.HasTextBlock()) continue;
        stream.WriteShort(static_cast<int>(obj.insideStr.size()));
        stream.WriteString(obj.insideStr);
        stream.WriteByte(0);
    }
    if (level.tail) stream.WriteRaw(level.tail->data(), level.tail->size());
    return stream.Good();
}

bool TLevel::WriteToFile(const std::string& url) const {
    TStreamPtr stream = LittleEndian(OpenReplaceStream(url));
    // Dropping the stream without closing it leaves the old file in place.
    if (!stream || !WriteLevel(*stream, *this)) return false;
    return stream->Close();
}

std::vector<uint8_t> LevelFileBytes(const TLevel& level) {
    auto memory = std::make_shared<TMemoryStream>();
    TStreamPtr stream = LittleEndian(memory);
    if (!WriteLevel(*stream, level)) return {};
    return memory->Bytes();
}
