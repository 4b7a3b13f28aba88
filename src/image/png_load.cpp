#include "image/png_load.h"

#include <algorithm>
#include <cstring>
#include <new>

#include <zlib.h>

#include "image/png_format.h"
#include "image/png_scanlines.h"

namespace {

// Deflate cannot expand data by more than about 1032 to 1, so image data
// larger than that multiple of the whole file cannot be in it: such a header
// is forged, and believing it would make us allocate for nothing.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint64_t kInflateSlack = 4096;

class TPngReader {
public:
    TPngReader(const uint8_t* data, size_t size) : data(data), size(size) {}

    size_t Left() const { return size - pos; }
    size_t Pos() const { return pos; }
    void Seek(size_t position) { pos = std::min(position, size); }

    uint32_t Read32() {
        const uint8_t* p = Take(4);
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    }
    uint8_t Read8() { return *Take(1); }
    const uint8_t* Take(size_t count) {
        if (Left() < count) throw TStreamEnd();
        const uint8_t* p = data + pos;
        pos += count;
        return p;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

struct THeader {
    uint8_t depth = 0;
    uint8_t interlace = 0;
};

class TPngDecoder {
public:
    TPngDecoder(const uint8_t* data, size_t size) : in(data, size), fileSize(size) {}

    TBitmapPtr Run() {
        try {
            if (in.Left() < kPngSignature.size() ||
                std::memcmp(in.Take(kPngSignature.size()), kPngSignature.data(), kPngSignature.size()) != 0)
                return nullptr;
            while (in.Left() > 0) {
                uint32_t length = in.Read32();
                uint32_t type = in.Read32();
                // A length past the end (or "negative") means the rest is damaged:
                // keep what has been decoded so far.
                if (length > in.Left()) break;
                if (!HandleChunk(type, length)) break;
                in.Read32();   // CRC, not verified
                if (type == kChunkIEND) break;
            }
        } catch (const TStreamEnd&) {
            // Cut short: the pixels decoded so far stand.
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        return result;
    }

private:
    TPngReader in;
    size_t fileSize;
    THeader header;
    TBitmapPtr result;
    // A valid file has one header and one run of image data. Repeats are
    // not honoured: each could make us allocate or decode the whole picture
    // again, and a small file can hold thousands of them.
    bool headerSeen = false;
    bool imageDecoded = false;

    // False stops decoding. Leaves the reader before the chunk's CRC.
    bool HandleChunk(uint32_t type, uint32_t length) {
        const size_t end = in.Pos() + length;
        switch (type) {
            case kChunkIHDR:
                if (headerSeen) return false;
                headerSeen = true;
                if (!ReadHeader(length)) return false;
                break;
            case kChunkPLTE:
                if (!result) return false;
                ReadPalette(length);
                break;
            case kChunkTRNS:
                if (!result) return false;
                ReadTransparency(length);
                break;
            case kChunkIDAT:
                if (!result) return false;
                if (imageDecoded) break;
                imageDecoded = true;
                ReadImageData(length);
                return true;   // the run of chunks leaves the reader where it belongs
            default:
                break;
        }
        in.Seek(end);
        return true;
    }

    bool ReadHeader(uint32_t length) {
        if (length < 13) return false;
        const int32_t width = int32_t(in.Read32()), height = int32_t(in.Read32());
        header.depth = in.Read8();
        const uint8_t colourType = in.Read8();
        in.Read8();   // compression method: there is only one
        in.Read8();   // filter method: likewise
        header.interlace = in.Read8();
        if (colourType != PNG_PALETTE && colourType != PNG_GREYSCALE) return true;   // refused, but read on
        if (width <= 0 || height <= 0) return false;
        if (header.depth != 1 && header.depth != 2 && header.depth != 4 && header.depth != 8) return false;
        if (int64_t(width) * height > kMaxBitmapPixels) return false;
        if (PngFilteredSize(width, height, header.depth, header.interlace) >
            uint64_t(fileSize) * kMaxInflateRatio + kInflateSlack)
            return false;
        result = std::make_shared<TBitmap>();
        result->Init(width, height);
        return true;
    }

    void ReadPalette(uint32_t length) {
        const uint8_t* p = in.Take(length);
        auto table = std::make_shared<TColorTable>(length / 3);
        for (size_t i = 0; i < table->size(); ++i, p += 3)
            (*table)[i] = 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        result->fColorTable = table;
    }

    void ReadTransparency(uint32_t length) {
        const uint8_t* p = in.Take(length);
        TColorTable& table = *result->fColorTable;
        for (size_t i = 0; i < length && i < table.size(); ++i)
            table[i] = (table[i] & 0x00FFFFFFu) | uint32_t(p[i]) << 24;
    }

    // Gathers this chunk and the consecutive "IDAT" chunks after it, inflates
    // them as one stream and decodes the scanlines. Leaves the reader before
    // the last chunk's CRC.
    void ReadImageData(uint32_t length) {
        const uint8_t* first = in.Take(length);
        std::vector<uint8_t> compressed(first, first + length);
        for (;;) {
            const size_t mark = in.Pos();
            if (in.Left() < 12) break;
            in.Read32();
            const uint32_t nextLength = in.Read32(), nextType = in.Read32();
            if (nextType != kChunkIDAT || nextLength > in.Left()) {
                in.Seek(mark);
                break;
            }
            const uint8_t* p = in.Take(nextLength);
            compressed.insert(compressed.end(), p, p + nextLength);
        }

        const uint64_t expected = PngFilteredSize(result->fWidth, result->fHeight, header.depth, header.interlace);
        if (expected == 0) return;   // an interlace method we do not know: no pixels
        std::vector<uint8_t> raw(expected, 0);
        uLongf rawLength = uLongf(raw.size());
        // A damaged or short stream still leaves what it inflated in raw; the
        // rest stays zero, as for data that simply ended early.
        uncompress(raw.data(), &rawLength, compressed.data(), uLong(compressed.size()));
        DecodePngScanlines(raw, *result, header.depth, header.interlace);
    }
};

std::vector<uint8_t> ReadRest(TStream& stream) {
    std::vector<uint8_t> bytes;
    uint8_t block[65536];
    for (;;) {
        size_t got = stream.ReadRaw(block, sizeof block);
        if (got == 0) break;
        bytes.insert(bytes.end(), block, block + got);
    }
    return bytes;
}

}  // namespace

TBitmapPtr DecodePng(const uint8_t* data, size_t size) { return TPngDecoder(data, size).Run(); }

TBitmapPtr LoadPng(const TStreamPtr& stream) {
    if (!stream) return nullptr;
    std::vector<uint8_t> bytes = ReadRest(*stream);
    return DecodePng(bytes.data(), bytes.size());
}

TBitmapPtr LoadPng(const std::string& source) { return LoadPng(OpenReadStream(source)); }

bool IsPngFile(const std::string& source) {
    TStreamPtr stream = OpenReadStream(source);
    if (!stream) return false;
    uint8_t head[kPngSignature.size()];
    bool match = stream->ReadRaw(head, sizeof head) == sizeof head &&
                 std::memcmp(head, kPngSignature.data(), sizeof head) == 0;
    stream->Close();
    return match;
}
