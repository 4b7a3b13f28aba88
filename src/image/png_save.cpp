#include "image/png_save.h"

#include <algorithm>
#include <array>
#include <memory>

#include <zlib.h>

#include "image/crc32.h"
#include "image/png_format.h"
#include "system/stream.h"

namespace {

// A PNG palette cannot hold more entries than an 8-bit index can name.
constexpr size_t kMaxPaletteEntries = 256;

// Deflate writes into a buffer of this size and each time it fills, the buffer
// goes out as one IDAT chunk: a mapshot needs no output buffer of its own size
// and no in-memory copy of the whole file. Small enough to stay in the heap's
// reused memory, big enough that a picture takes only a few chunks.
constexpr size_t kIdatBufferSize = 64 * 1024;

void PutBigEndian(uint8_t* to, uint32_t value) {
    for (int i = 0; i < 4; ++i) to[i] = uint8_t(value >> (24 - 8 * i));
}

// Sends chunks to a stream as they are made; false from the first failed write on.
class TPngChunkWriter {
public:
    explicit TPngChunkWriter(TStream& out) : out(out) {}

    bool Write(uint32_t type, const uint8_t* data, size_t count) {
        std::array<uint8_t, 8> header;
        PutBigEndian(header.data(), uint32_t(count));
        PutBigEndian(header.data() + 4, type);
        std::array<uint8_t, 4> crc;
        PutBigEndian(crc.data(), UpdateCrc32(Crc32(header.data() + 4, 4), data, count));
        ok = ok && Raw(header.data(), header.size()) && Raw(data, count) && Raw(crc.data(), crc.size());
        return ok;
    }
    bool Write(uint32_t type, const std::vector<uint8_t>& data) { return Write(type, data.data(), data.size()); }

    bool Signature() { return ok = ok && Raw(kPngSignature.data(), kPngSignature.size()); }

private:
    bool Raw(const void* bytes, size_t count) { return count == 0 || out.WriteRaw(bytes, count) == count; }

    TStream& out;
    bool ok = true;
};

// Deflates the image data (every row as filter byte 0, "none", then the row's
// indices) straight from the bitmap, writing an IDAT chunk whenever the output
// buffer fills. The zlib stream is the same as one deflate into a buffer big
// enough for all of it; it is only cut into more chunks.
class TIdatWriter {
public:
    explicit TIdatWriter(TPngChunkWriter& chunks)
        : chunks(chunks), buffer(std::make_unique_for_overwrite<uint8_t[]>(kIdatBufferSize)) {
        started = deflateInit(&z, Z_DEFAULT_COMPRESSION) == Z_OK;
        Restart();
    }
    ~TIdatWriter() {
        if (started) deflateEnd(&z);
    }
    TIdatWriter(const TIdatWriter&) = delete;
    TIdatWriter& operator=(const TIdatWriter&) = delete;

    bool Scanlines(const TBitmap& bitmap) {
        static const uint8_t kFilterNone = 0;
        const size_t width = size_t(bitmap.fWidth), height = size_t(bitmap.fHeight);
        bool ok = started;
        for (size_t y = 0; ok && y < height; ++y)
            ok = Feed(&kFilterNone, 1, Z_NO_FLUSH) && Feed(bitmap.fPixels.data() + y * width, width, Z_NO_FLUSH);
        return ok && Feed(nullptr, 0, Z_FINISH);
    }

private:
    void Restart() {
        z.next_out = buffer.get();
        z.avail_out = uInt(kIdatBufferSize);
    }

    bool Pending() { return chunks.Write(kChunkIDAT, buffer.get(), kIdatBufferSize - z.avail_out); }

    // Runs deflate until it has taken all the bytes (and, when finishing, ended
    // the stream), sending every full buffer on as a chunk.
    bool Feed(const uint8_t* bytes, size_t count, int flush) {
        z.next_in = const_cast<Bytef*>(bytes);
        z.avail_in = uInt(count);
        for (;;) {
            const int result = deflate(&z, flush);
            if (result == Z_STREAM_END) return Pending();
            if (result != Z_OK && result != Z_BUF_ERROR) return false;
            if (z.avail_out == 0) {
                if (!Pending()) return false;
                Restart();
            } else if (z.avail_in == 0 && flush == Z_NO_FLUSH) {
                return true;
            } else if (result == Z_BUF_ERROR) {
                return false;   // no progress with room left: cannot happen, but never spin
            }
        }
    }

    TPngChunkWriter& chunks;
    std::unique_ptr<uint8_t[]> buffer;
    z_stream z{};
    bool started = false;
};

std::vector<uint8_t> HeaderData(const TBitmap& bitmap) {
    // Size, then depth 8, palette, the one compression and filter method, no interlace.
    std::vector<uint8_t> data = {0, 0, 0, 0, 0, 0, 0, 0, 8, PNG_PALETTE, 0, 0, PNG_NOT_INTERLACED};
    PutBigEndian(data.data(), uint32_t(bitmap.fWidth));
    PutBigEndian(data.data() + 4, uint32_t(bitmap.fHeight));
    return data;
}

// Writes the whole file to out; false when the bitmap's pixels do not match
// its size or compressing or writing fails.
bool WritePng(const TBitmap& bitmap, uint8_t withAlpha, TStream& out) {
    if (bitmap.fWidth < 0 || bitmap.fHeight < 0 ||
        bitmap.fPixels.size() < size_t(bitmap.fWidth) * size_t(bitmap.fHeight))
        return false;
    const TColorTable& table = *bitmap.fColorTable;
    const size_t entries = std::min(table.size(), kMaxPaletteEntries);
    std::vector<uint8_t> colours, alphas;
    for (size_t i = 0; i < entries; ++i) {
        colours.insert(colours.end(), {uint8_t(table[i] >> 16), uint8_t(table[i] >> 8), uint8_t(table[i])});
        alphas.push_back(uint8_t(table[i] >> 24));
    }

    TPngChunkWriter chunks(out);
    if (!chunks.Signature() || !chunks.Write(kChunkIHDR, HeaderData(bitmap)) || !chunks.Write(kChunkPLTE, colours))
        return false;
    if (withAlpha && !chunks.Write(kChunkTRNS, alphas)) return false;
    TIdatWriter idat(chunks);
    return idat.Scanlines(bitmap) && chunks.Write(kChunkIEND, nullptr, 0);
}

}  // namespace

std::vector<uint8_t> EncodePng(const TBitmap& bitmap, uint8_t withAlpha) {
    TMemoryStream memory;
    if (!WritePng(bitmap, withAlpha, memory)) return {};
    return memory.Bytes();
}

bool SavePng(const TBitmap* bitmap, const std::string& target, uint8_t withAlpha) {
    if (!bitmap) return false;
    TStreamPtr file = OpenReplaceStream(target);
    if (!file) return false;
    // Without a successful Close the replace stream drops its temporary file,
    // so a failed write never leaves a truncated image behind.
    return WritePng(*bitmap, withAlpha, *file) && file->Good() && file->Close();
}
