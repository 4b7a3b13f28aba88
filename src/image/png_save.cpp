#include "image/png_save.h"

#include <algorithm>
#include <limits>
#include <memory>

#include <zlib.h>

#include "image/crc32.h"
#include "image/png_format.h"
#include "platform/stream.h"

namespace {

// A PNG palette cannot hold more entries than an 8-bit index can name.
constexpr size_t kMaxPaletteEntries = 256;

// Builds a PNG in memory, chunk by chunk. Each chunk's length and CRC are
// filled in when it ends, the CRC computed over the bytes as written.
class TPngWriter {
public:
    TPngWriter() : memory(std::make_shared<TMemoryStream>()), out(BigEndian(memory)) {}

    TStream& Out() { return *out; }

    void BeginChunk(uint32_t type) {
        chunkStart = out->Pos();
        out->WriteInt(0);
        out->WriteInt(type);
        dataStart = out->Pos();
    }

    void EndChunk() {
        const int64_t end = out->Pos();
        out->Seek(chunkStart);
        out->WriteInt(end - dataStart);
        const uint8_t* typeAndData = memory->Bytes().data() + chunkStart + 4;
        const uint32_t crc = Crc32(typeAndData, size_t(end - chunkStart - 4));
        out->Seek(end);
        out->WriteInt(crc);
    }

    const std::vector<uint8_t>& Bytes() const { return memory->Bytes(); }

private:
    std::shared_ptr<TMemoryStream> memory;
    TStreamPtr out;
    int64_t chunkStart = 0;
    int64_t dataStart = 0;
};

// Feeds one piece of the image data to deflate; all of it must be taken,
// which the output buffer sized by compressBound guarantees.
bool DeflatePiece(z_stream& z, const uint8_t* bytes, size_t count, int flush) {
    z.next_in = const_cast<Bytef*>(bytes);
    z.avail_in = uInt(count);
    const int result = deflate(&z, flush);
    return z.avail_in == 0 && (flush == Z_FINISH ? result == Z_STREAM_END : result == Z_OK);
}

// Compresses the image data (every row as filter byte 0, "none", then the
// row's indices) straight from the bitmap: a mapshot's megabytes are never
// copied, and the output buffer is not cleared before deflate fills it.
bool DeflateScanlines(const TBitmap& bitmap, std::unique_ptr<uint8_t[]>& packed, size_t& packedLength) {
    static const uint8_t kFilterNone = 0;
    const size_t width = size_t(bitmap.fWidth), height = size_t(bitmap.fHeight);
    const uLong bound = compressBound(uLong(height * (width + 1)));
    if (bound > std::numeric_limits<uInt>::max()) return false;
    packed = std::make_unique_for_overwrite<uint8_t[]>(bound);
    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) return false;
    z.next_out = packed.get();
    z.avail_out = uInt(bound);
    bool ok = true;
    for (size_t y = 0; ok && y < height; ++y) {
        ok = DeflatePiece(z, &kFilterNone, 1, Z_NO_FLUSH);
        if (ok && width > 0) ok = DeflatePiece(z, bitmap.fPixels.data() + y * width, width, Z_NO_FLUSH);
    }
    ok = ok && DeflatePiece(z, nullptr, 0, Z_FINISH);
    packedLength = z.total_out;
    deflateEnd(&z);
    return ok;
}

}  // namespace

std::vector<uint8_t> EncodePng(const TBitmap& bitmap, uint8_t withAlpha) {
    if (bitmap.fWidth < 0 || bitmap.fHeight < 0 ||
        bitmap.fPixels.size() < size_t(bitmap.fWidth) * size_t(bitmap.fHeight))
        return {};
    std::unique_ptr<uint8_t[]> packed;
    size_t packedLength = 0;
    if (!DeflateScanlines(bitmap, packed, packedLength)) return {};

    const TColorTable& table = *bitmap.fColorTable;
    const size_t entries = std::min(table.size(), kMaxPaletteEntries);
    TPngWriter png;
    TStream& out = png.Out();
    out.WriteRaw(kPngSignature.data(), kPngSignature.size());

    png.BeginChunk(kChunkIHDR);
    out.WriteInt(bitmap.fWidth);
    out.WriteInt(bitmap.fHeight);
    for (int field : {8, int(PNG_PALETTE), 0, 0, int(PNG_NOT_INTERLACED)}) out.WriteByte(field);
    png.EndChunk();

    png.BeginChunk(kChunkPLTE);
    for (size_t i = 0; i < entries; ++i) {
        out.WriteByte(int(table[i] >> 16 & 0xFF));
        out.WriteByte(int(table[i] >> 8 & 0xFF));
        out.WriteByte(int(table[i] & 0xFF));
    }
    png.EndChunk();

    if (withAlpha) {
        png.BeginChunk(kChunkTRNS);
        for (size_t i = 0; i < entries; ++i) out.WriteByte(int(table[i] >> 24));
        png.EndChunk();
    }

    png.BeginChunk(kChunkIDAT);
    out.WriteRaw(packed.get(), packedLength);
    png.EndChunk();

    png.BeginChunk(kChunkIEND);
    png.EndChunk();
    return png.Bytes();
}

bool SavePng(const TBitmap* bitmap, const std::string& target, uint8_t withAlpha) {
    if (!bitmap) return false;
    const std::vector<uint8_t> bytes = EncodePng(*bitmap, withAlpha);
    if (bytes.empty()) return false;
    TStreamPtr file = OpenReplaceStream(target);
    if (!file) return false;
    // Without a successful Close the replace stream drops its temporary file,
    // so a failed write never leaves a truncated image behind.
    return file->WriteRaw(bytes.data(), bytes.size()) == bytes.size() && file->Good() && file->Close();
}
