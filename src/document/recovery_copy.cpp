#include "document/recovery_copy.h"

#include <algorithm>
#include <charconv>

#include "base/log.h"

namespace {

// The first line names the format; each field follows as its name and its
// length in bytes on one line, then the bytes and a line feed. Lengths make
// any byte in a path safe and a file cut short easy to tell.
const std::string kFirstLine = "Tarn recovery copy 1\n";

// More than any level file can be (its texts are limited too): a length
// beyond this is damage, not a level.
constexpr size_t kMaxFieldBytes = 64 * 1024 * 1024;

void PutField(std::vector<uint8_t>& out, const std::string& name, const void* bytes, size_t count) {
    const std::string head = name + " " + std::to_string(count) + "\n";
    out.insert(out.end(), head.begin(), head.end());
    const auto* first = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), first, first + count);
    out.push_back('\n');
}

void PutText(std::vector<uint8_t>& out, const std::string& name, const std::string& text) {
    PutField(out, name, text.data(), text.size());
}

template <typename T>
void PutNumber(std::vector<uint8_t>& out, const std::string& name, T value) {
    PutText(out, name, std::to_string(value));
}

class TFieldReader {
public:
    explicit TFieldReader(const std::vector<uint8_t>& bytes) : bytes(bytes) {}

    bool Start() {
        if (bytes.size() < kFirstLine.size() || !std::equal(kFirstLine.begin(), kFirstLine.end(), bytes.begin()))
            return Fail("it does not begin as a recovery copy");
        at = kFirstLine.size();
        return true;
    }

    bool Text(const std::string& name, std::string& text) {
        const uint8_t* first = nullptr;
        size_t count = 0;
        if (!Field(name, first, count)) return false;
        text.assign(reinterpret_cast<const char*>(first), count);
        return true;
    }

    bool Bytes(const std::string& name, std::vector<uint8_t>& out) {
        const uint8_t* first = nullptr;
        size_t count = 0;
        if (!Field(name, first, count)) return false;
        out.assign(first, first + count);
        return true;
    }

    template <typename T>
    bool Number(const std::string& name, T& value) {
        std::string text;
        if (!Text(name, text)) return false;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || text.empty())
            return Fail("the field \"" + name + "\" is not a number");
        return true;
    }

    // Whether the next field is called name: for fields that copies written
    // by earlier versions lack.
    bool Follows(const std::string& name) const {
        const std::string head = name + " ";
        return bytes.size() - at >= head.size() && std::equal(head.begin(), head.end(), bytes.begin() + long(at));
    }

    bool Finish() { return at == bytes.size() || Fail("it goes on after its last field"); }

    std::string problem;

private:
    bool Field(const std::string& name, const uint8_t*& first, size_t& count) {
        if (!Follows(name)) return Fail("the field \"" + name + "\" is missing");
        const std::string head = name + " ";
        size_t lineEnd = at + head.size();
        while (lineEnd < bytes.size() && bytes[lineEnd] != '\n') ++lineEnd;
        if (lineEnd == bytes.size()) return Fail("it ends within the field \"" + name + "\"");
        const char* digits = reinterpret_cast<const char*>(bytes.data()) + at + head.size();
        const char* digitsEnd = reinterpret_cast<const char*>(bytes.data()) + lineEnd;
        const auto [end, error] = std::from_chars(digits, digitsEnd, count);
        if (error != std::errc() || end != digitsEnd || digits == digitsEnd || count > kMaxFieldBytes)
            return Fail("the length of the field \"" + name + "\" is damaged");
        const size_t start = lineEnd + 1;
        if (bytes.size() - start < count + 1 || bytes[start + count] != '\n')
            return Fail("it ends within the field \"" + name + "\"");
        first = bytes.data() + start;
        at = start + count + 1;
        return true;
    }

    bool Fail(const std::string& text) {
        if (problem.empty()) problem = text;
        return false;
    }

    const std::vector<uint8_t>& bytes;
    size_t at = 0;
};

}  // namespace

std::string RecoveryCopyPath(const std::string& name) { return kRecoveryFolder + "/" + name + kRecoveryCopySuffix; }

std::string RecoveryLockPath(const std::string& name) { return kRecoveryFolder + "/" + name + ".lock"; }

bool IsPlantedLink(const std::string& path) {
    if (EntryKind(path) != TEntryKind::Link) return false;
    LogLine("Recovery :: \"" + path + "\" is a symbolic link: skipped");
    return true;
}

std::vector<uint8_t> EncodeRecoveryCopy(const TRecoveryCopy& copy) {
    std::vector<uint8_t> out(kFirstLine.begin(), kFirstLine.end());
    out.reserve(copy.levelBytes.size() + copy.levelPath.size() + copy.gameFolder.size() + 256);
    PutText(out, "path", copy.levelPath);
    PutText(out, "folder", copy.gameFolder);
    PutText(out, "game", copy.gameName);
    PutText(out, "time", copy.time);
    PutNumber(out, "exists", int(copy.known.exists));
    PutNumber(out, "size", copy.known.size);
    PutNumber(out, "modified", copy.known.modifiedNs);
    PutNumber(out, "inode", copy.known.inode);
    PutNumber(out, "device", copy.known.device);
    PutField(out, "level", copy.levelBytes.data(), copy.levelBytes.size());
    return out;
}

bool DecodeRecoveryCopy(const std::vector<uint8_t>& bytes, TRecoveryCopy& copy, std::string& problem) {
    TFieldReader reader(bytes);
    TRecoveryCopy read;
    int exists = 0;
    const bool ok = reader.Start() && reader.Text("path", read.levelPath) && reader.Text("folder", read.gameFolder) &&
                    reader.Text("game", read.gameName) && reader.Text("time", read.time) &&
                    reader.Number("exists", exists) && reader.Number("size", read.known.size) &&
                    reader.Number("modified", read.known.modifiedNs) && reader.Number("inode", read.known.inode) &&
                    (!reader.Follows("device") || reader.Number("device", read.known.device)) &&
                    reader.Bytes("level", read.levelBytes) && reader.Finish();
    if (!ok) {
        problem = reader.problem;
        return false;
    }
    read.known.exists = exists != 0;
    copy = std::move(read);
    return true;
}
