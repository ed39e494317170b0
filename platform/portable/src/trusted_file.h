// Internal to libjvelcom: the one check every registry lookup and module load
// passes through, in the manner of ssh's checks on its configuration files.
#pragma once

#include <cstddef>
#include <string>

struct stat;

namespace jvelcom {

enum class FileVerdict {
    Usable,     // trusted, a regular file, and (when read) within the bound
    Untrusted,  // another user could have written it or what leads to it
    Unusable,   // missing, a dangling link or loop, not a regular file,
                // unreadable, or (when read) too large
};

struct CheckedFile {
    FileVerdict verdict = FileVerdict::Unusable;
    std::string path;    // with every link resolved once that succeeded
    std::string reason;  // why it was refused, a clause: "it is a FIFO, not a regular file"
};

// Checks the file at `path` (an absolute path; links are followed):
// - the file, and every directory from "/" down to it, must be owned by root
//   or by the effective user and not be writable by group or others. A
//   directory above the file's own directory may instead be sticky and owned
//   by root or the user, like /tmp: there no one else can rename or replace
//   what lies below it. Since nobody else can change the resolved path, it
//   names the same file when it is opened or loaded afterwards.
// - the file is opened with O_NONBLOCK (a FIFO cannot block) and O_CLOEXEC,
//   and fstat of that descriptor must show a regular file its owner can read.
// When content is not null, up to maxBytes are read into it, and a longer
// file is Unusable.
CheckedFile checkTrustedFile(const std::string& path, std::string* content = nullptr, std::size_t maxBytes = 0);

// The parts of that rule, for what the layer opens that is no registration
// or module (the trace file). Each gives "" when trusted, else the reason.
// Every directory of `resolvedFile` (a path with no link left), from the
// file's own directory up to "/":
std::string untrustedDirectory(const std::string& resolvedFile);
// The owner (root or the effective user) and the mode (no group or other
// write) of an opened file:
std::string untrustedOwnerOrMode(const struct stat& status);
// What a file type is called in a reason: "a FIFO", "a directory", ...
const char* kindOf(unsigned mode);

}  // namespace jvelcom
