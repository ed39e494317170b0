// Reading a whole file that must be a regular file of bounded size. A FIFO,
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

}  // namespace velsim
