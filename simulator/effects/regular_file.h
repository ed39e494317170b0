// Reading a whole file that must be a regular file of bounded size, and
// writing one that must be a regular file. A FIFO,
// a device, a socket or a directory named as a file is refused without
// blocking and without reading it: opening a FIFO waits for a writer, and a
// device such as /dev/zero never ends.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace velsim {

enum class FileRead {
    Done,
    CannotOpen,   // missing, not permitted, or a name the system cannot take
    Directory,
    Special,      // a FIFO, device, socket or anything else that is not a regular file
    TooLarge,     // more than the limit, whether it says so up front or grows while read
    ReadFailed,
};

// Reads the file at path, following links, into text: at most limit bytes.
// text is changed only when the result is Done.
FileRead ReadRegularFile(const std::filesystem::path& path, size_t limit, std::string& text);

enum class FileCreate {
    Done,
    CannotOpen,  // see the error: missing directory, not permitted, ...
    Link,        // the last component is a symbolic link, which is not followed
    Directory,
    Special,     // a FIFO, device or socket
};

// A file open for writing, emptied, created readable and writable by its
// owner only when new. Closed when it goes.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // error receives the system's error number (errno) for CannotOpen.
    FileCreate Create(const std::filesystem::path& path, int& error);
    bool Write(const char* data, size_t size);
    // Closes it; false when the last writes failed.
    bool Close();

private:
    int descriptor_ = -1;
};

}  // namespace velsim
