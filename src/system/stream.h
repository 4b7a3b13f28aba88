#pragma once
// Byte streams: files, memory blocks and the images built into the program,
// read and written with explicit byte order.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Thrown by the typed reads when the stream holds fewer bytes than asked for.
// It carries no text of its own: callers that report the failure add theirs.
class TStreamEnd : public std::runtime_error {
public:
    TStreamEnd() : std::runtime_error("") {}
};

class TStream {
public:
    virtual ~TStream() = default;

    // Raw access; the typed operations below are built on these.
    virtual size_t ReadRaw(void* buffer, size_t count) = 0;   // gives the bytes actually read
    virtual size_t WriteRaw(const void* buffer, size_t count) = 0;
    virtual bool Eof() = 0;
    virtual int64_t Pos() = 0;
    virtual int64_t Size() = 0;
    virtual bool Seek(int64_t position) = 0;
    virtual bool Flush() = 0;
    // Finishes the stream. False when anything written could not be stored.
    virtual bool Close() = 0;
    // False once a write or flush has failed.
    virtual bool Good() const = 0;
    // The system's error number (errno) of the stream's first failure: a
    // write, the flush, the sync to disk, the close or the rename. 0 while
    // nothing has failed, and always for streams the system does not back.
    virtual int ErrorNumber() const { return 0; }

    virtual bool IsBigEndian() const { return false; }

    uint8_t ReadByte();
    uint16_t ReadShort();
    int32_t ReadInt();
    void ReadBytes(void* buffer, size_t count);   // all or TStreamEnd
    std::string ReadString(size_t count);         // one character per byte
    // Bytes up to a line feed, a zero byte or the end; carriage returns are dropped.
    std::string ReadLine();

    void WriteByte(int value);
    void WriteShort(int value);
    void WriteInt(int64_t value);
    void WriteString(const std::string& text);
    void WriteLine(const std::string& text);      // text, CR, LF
};

using TStreamPtr = std::shared_ptr<TStream>;

// A stream over bytes held in memory: reads from the given bytes, writes append
// or overwrite at the position.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data(std::move(bytes)) {}
    TMemoryStream(const void* bytes, size_t count);

    size_t ReadRaw(void* buffer, size_t count) override;
    size_t WriteRaw(const void* buffer, size_t count) override;
    bool Eof() override { return position >= data.size(); }
    int64_t Pos() override { return static_cast<int64_t>(position); }
    int64_t Size() override { return static_cast<int64_t>(data.size()); }
    bool Seek(int64_t target) override;
    bool Flush() override { return true; }
    bool Close() override { return true; }
    bool Good() const override { return true; }

    const std::vector<uint8_t>& Bytes() const { return data; }

private:
    std::vector<uint8_t> data;
    size_t position = 0;
};

// Opens a file for reading, or a name registered with RegisterBuiltinFile
// ("incbin::attributes.png"). Null when that fails.
TStreamPtr OpenReadStream(const std::string& path);
// Creates or truncates a file for writing. Null when that fails.
TStreamPtr OpenWriteStream(const std::string& path);
// How a replace treats the file it replaces.
enum class TReplace {
    // A file of the user's. A symbolic link (or a chain of them) is written
    // through: the file it points to is replaced, in its own folder, and the
    // link stays; a link pointing nowhere gets the file it names. The old
    // file's owner, group and permissions are kept, and the new file and its
    // name are on the disk before Close() answers.
    Document,
    // A file of the program's own (a recovery copy). Whatever has the name,
    // a link included, is replaced itself, so that nothing planted there can
    // send the bytes elsewhere. The file stays private to its owner, and is
    // handed to the system without waiting for the disk: it survives the
    // program's end in any way, not necessarily a power cut, and closes in a
    // fraction of the time (for copies written often while the user works).
    Private,
};
// Writes to a temporary file beside path; Close() puts it in path's place
// in one step. If anything fails, or the stream is dropped without Close(),
// path is left as it was. Only a regular file, or a name not taken yet, is
// replaced: anything else fails with kNotARegularFile. Temporary files that
// killed runs left in that folder are removed first.
TStreamPtr OpenReplaceStream(const std::string& path, TReplace how = TReplace::Document);

// The error number, beyond the system's own, of a file that is neither a
// regular file nor a folder (a pipe, a device, a socket): such a file is
// neither read as a file nor replaced by one.
constexpr int kNotARegularFile = 0x10000;

// The error number of the latest failure of a file stream: an open that
// gave null, or a stream's first failure. Every successful open clears it,
// so it belongs to the file last worked on. Writers that answer only yes or
// no (a level, a picture, the settings) are asked through this.
int LastFileError();
// text, then separator and the system's own description of LastFileError()
// in parentheses ("(No space left on device)", "(is not a regular file)");
// text alone when the latest failure had no reason.
std::string WithFileErrorReason(const std::string& text, const std::string& separator);

// Makes bytes built into the program readable as "incbin::" + name. Only
// their address is kept: they must stay valid while the name may be opened.
void RegisterBuiltinFile(const std::string& name, const void* bytes, size_t count);

// Wrap a stream so that its 16- and 32-bit reads and writes use that byte order.
TStreamPtr LittleEndian(TStreamPtr stream);
TStreamPtr BigEndian(TStreamPtr stream);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
// Replaces the file at path with text (OpenReplaceStream): a write that
// fails leaves the old file in place. False then, with the reason in errno.
bool ReplaceWholeFile(const std::string& path, const std::string& text);
