// The one place where the simulator reads and writes files, and so the one
// place that differs between Windows and POSIX systems: the checks are the
// same, the calls that open, inspect, read and write a descriptor are each
// system's own.
#include "simulator/effects/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace velsim {

namespace {

#ifdef _WIN32
using FileStatus = struct _stat64;
// Windows has no FIFO files to open by name and its open does not wait.
int OpenForReading(const std::filesystem::path& path)
{
    return _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}
bool StatusOfPath(const std::filesystem::path& path, FileStatus& status)
{
    return _wstat64(path.c_str(), &status) == 0;
}
bool StatusOf(int descriptor, FileStatus& status)
{
    return _fstat64(descriptor, &status) == 0;
}
long long ReadSome(int descriptor, char* buffer, size_t size)
{
    return _read(descriptor, buffer, static_cast<unsigned>(size));
}
long long WriteSome(int descriptor, const char* buffer, size_t size)
{
    return _write(descriptor, buffer, static_cast<unsigned>(size > 0x40000000 ? 0x40000000 : size));
}
// Windows: a link, a directory or a device by name is refused first (asking
// std::filesystem, which takes a directory with a trailing separator, where
// _wstat64 does not); the file is created with the owner's read and write
// permission.
int OpenForWriting(const std::filesystem::path& path, FileCreate& result)
{
    std::error_code error;
    const std::filesystem::file_status link = std::filesystem::symlink_status(path, error);
    if (!error && std::filesystem::is_symlink(link)) {
        result = FileCreate::Link;
        return -1;
    }
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        result = std::filesystem::is_directory(status) ? FileCreate::Directory : FileCreate::Special;
        return -1;
    }
    const int descriptor =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    result = descriptor < 0 ? FileCreate::CannotOpen : FileCreate::Done;
    return descriptor;
}
bool Empty(int)
{
    return true;  // _O_TRUNC did it
}
bool CloseDescriptor(int descriptor)
{
    return _close(descriptor) == 0;
}
bool IsDirectory(const FileStatus& status)
{
    return (status.st_mode & _S_IFMT) == _S_IFDIR;
}
bool IsRegular(const FileStatus& status)
{
    return (status.st_mode & _S_IFMT) == _S_IFREG;
}
#else
using FileStatus = struct stat;
// O_NONBLOCK makes opening a FIFO return at once instead of waiting for a
// writer; O_NOCTTY keeps a terminal from becoming the process's own.
int OpenForReading(const std::filesystem::path& path)
{
    int descriptor = -1;
    do {
        descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}
bool StatusOfPath(const std::filesystem::path& path, FileStatus& status)
{
    return stat(path.c_str(), &status) == 0;
}
bool StatusOf(int descriptor, FileStatus& status)
{
    return fstat(descriptor, &status) == 0;
}
long long WriteSome(int descriptor, const char* buffer, size_t size)
{
    ssize_t put = 0;
    do {
        put = write(descriptor, buffer, size);
    } while (put < 0 && errno == EINTR);
    return put;
}
// O_NOFOLLOW refuses a link as the last component; O_NONBLOCK makes a FIFO
// with no reader fail at once (ENXIO) instead of waiting. A new file gets
// 0600. The file is emptied only once it is known to be a regular file.
int OpenForWriting(const std::filesystem::path& path, FileCreate& result)
{
    int descriptor = -1;
    do {
        descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor >= 0) result = FileCreate::Done;
    else if (errno == ELOOP) result = FileCreate::Link;
    else if (errno == EISDIR) result = FileCreate::Directory;
    else if (errno == ENXIO) result = FileCreate::Special;
    else result = FileCreate::CannotOpen;
    return descriptor;
}
bool Empty(int descriptor)
{
    return ftruncate(descriptor, 0) == 0;
}
long long ReadSome(int descriptor, char* buffer, size_t size)
{
    ssize_t got = 0;
    do {
        got = read(descriptor, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}
// A failing close may report a write that failed late (on NFS, say).
bool CloseDescriptor(int descriptor)
{
    return close(descriptor) == 0 || errno == EINTR;
}
bool IsDirectory(const FileStatus& status)
{
    return S_ISDIR(status.st_mode);
}
bool IsRegular(const FileStatus& status)
{
    return S_ISREG(status.st_mode);
}
#endif

class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor()
    {
        if (descriptor_ >= 0) CloseDescriptor(descriptor_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }
    int Release()
    {
        const int released = descriptor_;
        descriptor_ = -1;
        return released;
    }

private:
    int descriptor_;
};

FileRead Classify(const FileStatus& status)
{
    if (IsDirectory(status)) return FileRead::Directory;
    return IsRegular(status) ? FileRead::Done : FileRead::Special;
}

}  // namespace

FileRead ReadRegularFile(const std::filesystem::path& path, size_t limit, std::string& text)
{
    // Asking first spares opening a device at all (opening some has effects);
    // asking the open descriptor again catches a file swapped in between.
    FileStatus status{};
    if (!StatusOfPath(path, status)) return FileRead::CannotOpen;
    if (Classify(status) != FileRead::Done) return Classify(status);
    const Descriptor file(OpenForReading(path));
    if (file.get() < 0) return FileRead::CannotOpen;
    if (!StatusOf(file.get(), status)) return FileRead::ReadFailed;
    if (Classify(status) != FileRead::Done) return Classify(status);
    if (status.st_size < 0 || static_cast<unsigned long long>(status.st_size) > limit) return FileRead::TooLarge;

    // The size is only a hint: the file may grow or shrink while it is read.
    std::string content(static_cast<size_t>(status.st_size) + 1, '\0');
    size_t length = 0;
    for (;;) {
        if (length == content.size()) {
            if (length > limit) return FileRead::TooLarge;
            content.resize(length + (limit + 1 - length < 65536 ? limit + 1 - length : 65536));
        }
        const long long got = ReadSome(file.get(), &content[length], content.size() - length);
        if (got < 0) return FileRead::ReadFailed;
        if (got == 0) break;
        length += static_cast<size_t>(got);
    }
    if (length > limit) return FileRead::TooLarge;
    content.resize(length);
    text = std::move(content);
    return FileRead::Done;
}

OutputFile::~OutputFile()
{
    Close();
}

FileCreate OutputFile::Create(const std::filesystem::path& path, int& error)
{
    Close();
    error = 0;
    FileCreate result = FileCreate::CannotOpen;
    Descriptor file(OpenForWriting(path, result));
    if (file.get() < 0) {
        error = errno;
        return result;
    }
    FileStatus status{};
    if (!StatusOf(file.get(), status)) {
        error = errno;
        return FileCreate::CannotOpen;
    }
    if (Classify(status) != FileRead::Done)
        return Classify(status) == FileRead::Directory ? FileCreate::Directory : FileCreate::Special;
    if (!Empty(file.get())) {
        error = errno;
        return FileCreate::CannotOpen;
    }
    descriptor_ = file.Release();
    return FileCreate::Done;
}

bool OutputFile::Write(const char* data, size_t size)
{
    while (size > 0) {
        if (descriptor_ < 0) return false;
        const long long put = WriteSome(descriptor_, data, size);
        if (put <= 0) return false;
        data += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

bool OutputFile::Close()
{
    if (descriptor_ < 0) return true;
    const bool closed = CloseDescriptor(descriptor_);
    descriptor_ = -1;
    return closed;
}

}  // namespace velsim
