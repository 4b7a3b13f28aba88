#include "system/stream.h"

#include <cstring>

uint8_t TStream::ReadByte() {
    uint8_t value;
    ReadBytes(&value, 1);
    return value;
}

uint16_t TStream::ReadShort() {
    uint8_t b[2];
    ReadBytes(b, 2);
    return IsBigEndian() ? static_cast<uint16_t>(b[0] << 8 | b[1]) : static_cast<uint16_t>(b[1] << 8 | b[0]);
}

int32_t TStream::ReadInt() {
    uint8_t b[4];
    ReadBytes(b, 4);
    uint32_t v = IsBigEndian() ? (uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3])
                               : (uint32_t(b[3]) << 24 | uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | b[0]);
    return static_cast<int32_t>(v);
}

void TStream::ReadBytes(void* buffer, size_t count) {
    if (ReadRaw(buffer, count) != count) throw TStreamEnd();
}

std::string TStream::ReadString(size_t count) {
    // Read in slices so that a length field larger than the stream cannot
    // make us reserve memory the stream does not justify.
    std::string text;
    char slice[4096];
    while (count > 0) {
        size_t want = count < sizeof slice ? count : sizeof slice;
        size_t got = ReadRaw(slice, want);
        text.append(slice, got);
        if (got != want) throw TStreamEnd();
        count -= got;
    }
    return text;
}

std::string TStream::ReadLine() {
    std::string line;
    char c;
    while (ReadRaw(&c, 1) == 1) {
        if (c == '\n' || c == '\0') break;
        if (c != '\r') line.push_back(c);
    }
    return line;
}

void TStream::WriteByte(int value) {
    uint8_t b = static_cast<uint8_t>(value);
    WriteRaw(&b, 1);
}

void TStream::WriteShort(int value) {
    uint16_t v = static_cast<uint16_t>(value);
    uint8_t b[2];
    if (IsBigEndian()) {
        b[0] = uint8_t(v >> 8); b[1] = uint8_t(v);
    } else {
        b[0] = uint8_t(v); b[1] = uint8_t(v >> 8);
    }
    WriteRaw(b, 2);
}

void TStream::WriteInt(int64_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    uint8_t b[4];
    for (int i = 0; i < 4; ++i) {
        int shift = IsBigEndian() ? 24 - 8 * i : 8 * i;
        b[i] = uint8_t(v >> shift);
    }
    WriteRaw(b, 4);
}

void TStream::WriteString(const std::string& text) {
    WriteRaw(text.data(), text.size());
}

void TStream::WriteLine(const std::string& text) {
    WriteString(text);
    WriteRaw("\r\n", 2);
}

TMemoryStream::TMemoryStream(const void* bytes, size_t count)
    : data(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count) {}

size_t TMemoryStream::ReadRaw(void* buffer, size_t count) {
    size_t available = position < data.size() ? data.size() - position : 0;
    size_t n = count < available ? count : available;
    if (n > 0) std::memcpy(buffer, data.data() + position, n);
    position += n;
    return n;
}

size_t TMemoryStream::WriteRaw(const void* buffer, size_t count) {
    if (position + count > data.size()) data.resize(position + count);
    if (count > 0) std::memcpy(data.data() + position, buffer, count);
    position += count;
    return count;
}

bool TMemoryStream::Seek(int64_t target) {
    if (target < 0) return false;
    position = static_cast<size_t>(target);
    return true;
}

namespace {

// Forwards everything to the wrapped stream and only decides the byte order.
class TOrderedStream : public TStream {
public:
    TOrderedStream(TStreamPtr inner, bool bigEndian) : inner(std::move(inner)), bigEndian(bigEndian) {}
    size_t ReadRaw(void* buffer, size_t count) override { return inner->ReadRaw(buffer, count); }
    size_t WriteRaw(const void* buffer, size_t count) override { return inner->WriteRaw(buffer, count); }
    bool Eof() override { return inner->Eof(); }
    int64_t Pos() override { return inner->Pos(); }
    int64_t Size() override { return inner->Size(); }
    bool Seek(int64_t position) override { return inner->Seek(position); }
    bool Flush() override { return inner->Flush(); }
    bool Close() override { return inner->Close(); }
    bool Good() const override { return inner->Good(); }
    int ErrorNumber() const override { return inner->ErrorNumber(); }
    bool IsBigEndian() const override { return bigEndian; }

private:
    TStreamPtr inner;
    bool bigEndian;
};

}  // namespace

TStreamPtr LittleEndian(TStreamPtr stream) {
    if (!stream) return nullptr;
    return std::make_shared<TOrderedStream>(std::move(stream), false);
}

TStreamPtr BigEndian(TStreamPtr stream) {
    if (!stream) return nullptr;
    return std::make_shared<TOrderedStream>(std::move(stream), true);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    TStreamPtr stream = OpenReadStream(path);
    if (!stream) return false;
    bytes.clear();
    uint8_t slice[65536];
    size_t got;
    while ((got = stream->ReadRaw(slice, sizeof slice)) > 0) bytes.insert(bytes.end(), slice, slice + got);
    stream->Close();
    return true;
}

bool ReplaceWholeFile(const std::string& path, const std::string& text) {
    TStreamPtr stream = OpenReplaceStream(path);
    // Dropping the stream without closing it leaves the old file in place.
    return stream && stream->WriteRaw(text.data(), text.size()) == text.size() && stream->Close();
}
