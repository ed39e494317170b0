#include "trusted_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using jvelcom::CheckedFile;
using jvelcom::FileVerdict;
using jvelcom::kindOf;
using jvelcom::untrustedDirectory;
using jvelcom::untrustedOwnerOrMode;

CheckedFile judged(CheckedFile file, FileVerdict verdict, std::string reason = std::string())
{
    file.verdict = verdict;
    file.reason = std::move(reason);
    return file;
}

std::string octal(mode_t mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", unsigned(mode & 07777));
    return text;
}

bool ownerTrusted(const struct stat& status) { return status.st_uid == 0 || status.st_uid == geteuid(); }

std::string ownedBy(const std::string& subject, const struct stat& status)
{
    return subject + " is owned by uid " + std::to_string(status.st_uid) + ", not by root or uid " +
           std::to_string(geteuid());
}

std::string unreadable(const struct stat& status)
{
    return "it cannot be read by its owner (mode " + octal(status.st_mode) + ")";
}

}  // namespace

const char* jvelcom::kindOf(unsigned mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a plain file";
}

std::string jvelcom::untrustedDirectory(const std::string& resolved)
{
    std::string directory = resolved;
    bool ownDirectory = true;
    do {
        const auto slash = directory.rfind('/');
        directory.resize(slash == 0 ? 1 : slash);
        struct stat status;
        if (lstat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
            return "directory " + directory + " changed while it was checked";
        if (!ownerTrusted(status)) return ownedBy("directory " + directory, status);
        const bool othersWrite = (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
        if (othersWrite && (ownDirectory || (status.st_mode & S_ISVTX) == 0))
            return "directory " + directory + " is writable by group or others (mode " + octal(status.st_mode) + ")";
        ownDirectory = false;
    } while (directory != "/");
    return std::string();
}

std::string jvelcom::untrustedOwnerOrMode(const struct stat& status)
{
    if (!ownerTrusted(status)) return ownedBy("it", status);
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return "it is writable by group or others (mode " + octal(status.st_mode) + ")";
    return std::string();
}

namespace {

std::string resolveProblem(int error)
{
    switch (error) {
    case ENOENT: return "it does not exist (or is a dangling link)";
    case ELOOP: return "it is a link loop";
    case ENOTDIR: return "it does not exist (a part of its path is not a directory)";
    case EACCES: return "it cannot be reached (permission denied)";
    default: return std::string("it cannot be resolved: ") + std::strerror(error);
    }
}

// Reads up to maxBytes + 1 bytes; a file's size on disk may be 0 (procfs) or
// change, so the bound is on what is read.
bool readBounded(int fd, std::string& content, std::size_t maxBytes, std::string& problem)
{
    content.assign(maxBytes + 1, '\0');
    std::size_t total = 0;
    while (total < content.size()) {
        const ssize_t got = read(fd, &content[total], content.size() - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            problem = std::string("it cannot be read: ") + std::strerror(errno);
            return false;
        }
        if (got == 0) break;
        total += std::size_t(got);
    }
    if (total > maxBytes) {
        problem = "it is larger than " + std::to_string(maxBytes) + " bytes";
        return false;
    }
    content.resize(total);
    return true;
}

}  // namespace

CheckedFile jvelcom::checkTrustedFile(const std::string& path, std::string* content, std::size_t maxBytes)
{
    CheckedFile file;
    file.path = path;
    if (path.empty() || path[0] != '/') return judged(file, FileVerdict::Unusable, "it is not an absolute path");
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return judged(file, FileVerdict::Unusable, resolveProblem(errno));
    file.path = resolved;
    const std::string directoryProblem = untrustedDirectory(file.path);
    if (!directoryProblem.empty()) return judged(file, FileVerdict::Untrusted, directoryProblem);

    // O_NOFOLLOW: the resolved path has no link left, unless one was put there
    // since, which only a trusted user could have done.
    const int fd = open(file.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        struct stat status;
        if (error == EACCES && stat(file.path.c_str(), &status) == 0 && (status.st_mode & S_IRUSR) == 0)
            return judged(file, FileVerdict::Unusable, unreadable(status));  // as root would be told
        return judged(file, FileVerdict::Unusable, std::string("it cannot be opened: ") + std::strerror(error));
    }
    struct stat status;
    std::string problem;
    FileVerdict verdict = FileVerdict::Unusable;
    if (fstat(fd, &status) != 0) {
        problem = std::string("it cannot be examined: ") + std::strerror(errno);
    } else if (!S_ISREG(status.st_mode)) {
        // First: what is not a regular file is never read, whoever owns it
        // (/dev/zero is writable by all).
        problem = std::string("it is ") + kindOf(status.st_mode) + ", not a regular file";
    } else if (!(problem = untrustedOwnerOrMode(status)).empty()) {
        verdict = FileVerdict::Untrusted;
    } else if ((status.st_mode & S_IRUSR) == 0) {
        // Refused for root as well, who could read it: the answer must not
        // depend on who asks.
        problem = unreadable(status);
    } else if (content == nullptr || readBounded(fd, *content, maxBytes, problem)) {
        verdict = FileVerdict::Usable;
    }
    close(fd);
    return judged(file, verdict, problem);
}
