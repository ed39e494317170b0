// JVelComOpenTraceFile: the trace file the user named, held to the rule the
// registry holds its registrations to. The name comes from a system property
// or an environment variable, and the directory may be shared (/tmp): what
// is opened must be what the user meant, not a FIFO that hangs the loading
// JVM, nor a link another user planted towards the user's own files.
#include "platform/services.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "trusted_file.h"

namespace {

void say(char* reason, size_t size, const std::string& text) { std::snprintf(reason, size, "%s", text.c_str()); }

std::string errorText(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

// Opens `path` (whose last component may be a link only if `mayResolve`)
// once its directory, with every link in it resolved, passes the trust rule.
// Gives the descriptor, or -1 with `problem` set.
int openJudged(const std::string& path, bool mayResolve, std::string& problem)
{
    const auto slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") {
        problem = "it names no file";
        return -1;
    }
    char resolved[PATH_MAX];
    if (realpath(directory.c_str(), resolved) == nullptr) {
        problem = errorText("its directory cannot be resolved", errno);
        return -1;
    }
    const std::string file = (std::strcmp(resolved, "/") == 0 ? "" : std::string(resolved)) + "/" + name;
    problem = jvelcom::untrustedDirectory(file);
    if (!problem.empty()) return -1;
    // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of
    // blocking; O_NOFOLLOW: a link is not followed here (ELOOP).
    const int fd = open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY,
                        0600);
    if (fd >= 0) return fd;
    const int error = errno;
    if (error == ELOOP && mayResolve) {
        // A link in a directory no one else can write was put there by root
        // or the user (/dev/stderr is one): its target is held to the rule.
        if (realpath(file.c_str(), resolved) == nullptr) {
            problem = errorText("it is a link whose target cannot be resolved", errno);
            return -1;
        }
        return openJudged(resolved, false, problem);
    }
    if (error == ENXIO) {
        problem = "it is a FIFO with no reader";
    } else if (error == ELOOP) {
        problem = "it is a link to a link";
    } else {
        problem = errorText("it cannot be opened", error);
    }
    return -1;
}

}  // namespace

JVELCOM_API FILE* JVelComOpenTraceFile(const char* path, char* reason, size_t reasonSize)
{
    std::string problem;
    const int fd = path != nullptr && *path != '\0' ? openJudged(path, true, problem) : -1;
    if (path == nullptr || *path == '\0') problem = "it names no file";
    if (fd < 0) {
        say(reason, reasonSize, problem);
        return nullptr;
    }
    struct stat status;
    if (fstat(fd, &status) != 0) {
        problem = errorText("it cannot be examined", errno);
    } else if (S_ISREG(status.st_mode)) {
        problem = jvelcom::untrustedOwnerOrMode(status);
    } else if (!S_ISCHR(status.st_mode)) {
        problem = std::string("it is ") + jvelcom::kindOf(status.st_mode) + ", not a regular file or character device";
    }
    // Blocking again for the writes: a terminal that is busy waits rather
    // than losing the line.
    if (problem.empty() && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        problem = errorText("it cannot be set to blocking writes", errno);
    FILE* file = problem.empty() ? fdopen(fd, "a") : nullptr;
    if (file == nullptr) {
        if (problem.empty()) problem = errorText("it cannot be opened as a stream", errno);
        close(fd);
        say(reason, reasonSize, problem);
        return nullptr;
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}
