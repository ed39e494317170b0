// The one place where the simulator reads files, and so the one place that
// differs between Windows and POSIX systems: the checks are the same, the
// calls that open, inspect and read a descriptor are each system's own.
#include "simulator/effects/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
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
void Close(int descriptor)
{
    _close(descriptor);
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
long long ReadSome(int descriptor, char* buffer, size_t size)
{
    ssize_t got = 0;
    do {
        got = read(descriptor, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}
void Close(int descriptor)
{
    close(descriptor);
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
        if (descriptor_ >= 0) Close(descriptor_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }

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

}  // namespace velsim
