#include "gamedata/tile_info.h"

#include "base/log.h"
#include "gamedata/attribute_sheet.h"
#include "image/png_load.h"

namespace {

// The board keeps two flag bits above the tile number and room for more tiles
// than the games have; lookups see only the low 10 bits.
int TileNumber(uint16_t tile) { return tile & 0x3FF; }

}  // namespace

int TTileInfo::Init(const std::string& source, const TShapeManagerPtr& shapeman) {
    return Load(OpenReadStream(source), source, shapeman);
}

int TTileInfo::Init(TStreamPtr source, const TShapeManagerPtr& shapeman) {
    return Load(std::move(source), "", shapeman);
}

int TTileInfo::Load(TStreamPtr opened, const std::string& path, const TShapeManagerPtr& shapeman) {
    LogBlankLine();
    LogLine("TileInfo :: loading info file ...");
    if (!path.empty()) LogLine(" url = " + path);
    LogText(" initializing tiles ... ");
    tiles.fill(TTile());
    LogOK();

    LogText(" opening file ... ");
    TStreamPtr stream = LittleEndian(std::move(opened));
    if (stream) {
        LogOK();
        ReadRecords(*stream);
        stream->Close();
    } else {
        LogError();
    }

    GenerateAttributeImages(shapeman);
    LogLine("TileInfo :: info file loaded.");
    return 0;
}

// Records follow each other to the end of the file with no count. A record
// is applied only once it has been read whole, so a cut-off file never leaves
// a half-updated tile.
void TTileInfo::ReadRecords(TStream& stream) {
    int count = 0;
    while (!stream.Eof()) {
        try {
            int number = stream.ReadShort();
            // An out-of-range record is still read to its end, so that the
            // records after it are read from where they start.
            if (number >= TileCount)
                LogBlock("ERROR: tile number out of range: " + std::to_string(number));
            uint16_t shape = stream.ReadShort();
            uint16_t fileFlags = stream.ReadShort();
            int length = stream.ReadByte();
            std::string name = stream.ReadString(size_t(length));
            if (number >= TileCount) continue;

            TTile& tile = tiles[number];
            tile.sh = shape;
            // The file stores bits 1, 2 and 14 inverted; XOR with the fresh
            // tile's word undoes that (and a tile listed twice toggles back).
            tile.flags ^= fileFlags;
            if (length > 0) tile.na = name;
            ++count;
        } catch (const TStreamEnd&) {
            LogBlock("ERROR: the tile info file ends inside a record");
            break;
        }
    }
    LogLine(" info for " + std::to_string(count) + " tile(s) loaded.");
}

void TTileInfo::GenerateAttributeImages(const TShapeManagerPtr& shapeman) {
    LogText(" generating attribute bitmaps ... ");
    TBitmapPtr sheet = LoadPng(AttributeSheetName);
    for (TTile& tile : tiles) tile.GenerateAttributeImage(sheet, shapeman);
    LogLine("done.");
}

const TTile* TTileInfo::Find(uint16_t tile, const char* operation, bool logAsBlock) const {
    int number = TileNumber(tile);
    if (number < TileCount) return &tiles[number];
    std::string message = std::string("Exception in TTileInfo.") + operation + " :: illegal tile value " +
                          std::to_string(number) + " (should be 0.." + std::to_string(TileCount - 1) + ")";
    if (logAsBlock) LogBlock(message);
    else LogLine(message);
    return nullptr;
}

const TTile& TTileInfo::Lookup(uint16_t tile, const char* operation, bool logAsBlock) const {
    const TTile* found = Find(tile, operation, logAsBlock);
    if (!found) throw TIllegalTileValue();
    return *found;
}

uint16_t TTileInfo::GetShape(uint16_t tile) const { return Lookup(tile, "GetShape()", true).sh; }

uint16_t TTileInfo::GetFlags(uint16_t tile) const { return Lookup(tile, "GetFlags()", false).flags; }

std::string TTileInfo::GetName(uint16_t tile) const { return Lookup(tile, "GetName()", false).na; }

std::optional<uint16_t> TTileInfo::FindShape(uint16_t tile) const {
    const TTile* found = Find(tile, "GetShape()", true);
    if (!found) return std::nullopt;
    return found->sh;
}

const TBitmap* TileFrame(const TShapeManager& shapes, const TTileInfo& tiles, uint16_t tile) {
    const std::optional<uint16_t> shape = tiles.FindShape(tile);
    return shape ? shapes.FrameBitmap(*shape) : nullptr;
}
