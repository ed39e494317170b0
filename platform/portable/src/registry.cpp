// The layer's registry, the equivalent of HKCR\CLSID\{...}\InprocServer32.
// Two directories map a CLSID to a module, one file per class named like
// "{18B46DCC-AD84-47A3-8974-433DC96BACB6}" (in any case, as registry keys
// are) holding the module path on its first line:
//   $HOME/.jvelcom/classes/   per-user registrations, absolute paths only;
//   jvelcom-classes/          beside libjvelcom: bundled components, named by
//                             bare file name (a module in libjvelcom's own
//                             directory) or by absolute path.
// A per-user registration hides the bundled one, as HKCU hides HKLM on
// Windows, also when it cannot be used: the caller then gets an error naming
// it rather than a different component. Modules are only ever loaded by
// absolute path, so neither the working directory nor the loader's search
// path can substitute a module.
#include "registry.h"

#include "layer_error.h"
#include "trusted_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fstream>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using jvelcom::Registration;

// A registration is one short line; anything longer is not one.
constexpr std::size_t registrationLimit = 4096;

bool isAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

// $HOME, or the password database's home when HOME is unset. A relative home
// is not used: it would make the registry depend on the working directory.
bool perUserDirectory(std::string& directory)
{
    const char* home = std::getenv("HOME");
    std::string base = home != nullptr ? home : "";
    if (base.empty()) {
        struct passwd entry;
        struct passwd* found = nullptr;
        char buffer[4096];
        if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr)
            base = found->pw_dir;
    }
    if (!isAbsolute(base)) return false;
    while (base.size() > 1 && base.back() == '/') base.pop_back();  // "/root/" and "/" name plain paths
    directory = (base == "/" ? "" : base) + "/.jvelcom/classes";
    return true;
}

// The path the dynamic loader gives for libjvelcom, or, when that one is
// relative (loaded through a relative search path), the kernel's absolute
// name of the file mapped at this code.
std::string ownModulePath()
{
    Dl_info info{};
    const void* here = reinterpret_cast<const void*>(&ownModulePath);
    if (dladdr(here, &info) != 0 && info.dli_fname != nullptr && info.dli_fname[0] == '/') return info.dli_fname;
    std::ifstream maps("/proc/self/maps");
    std::string line;
    const auto address = reinterpret_cast<uintptr_t>(here);
    while (std::getline(maps, line)) {
        unsigned long long start = 0, end = 0;
        if (std::sscanf(line.c_str(), "%llx-%llx", &start, &end) != 2) continue;
        const auto slash = line.find('/');
        if (address >= start && address < end && slash != std::string::npos) return line.substr(slash);
    }
    return std::string();
}

// libjvelcom's directory (absolute, links resolved, so that messages name it
// plainly), or "" when it cannot be told.
const std::string& ownDirectory()
{
    static const std::string directory = [] {
        const std::string path = ownModulePath();
        const auto slash = path.rfind('/');
        if (!isAbsolute(path) || slash == std::string::npos) return std::string();
        char resolved[PATH_MAX];
        const std::string given = path.substr(0, slash + 1);
        return realpath(given.c_str(), resolved) != nullptr ? std::string(resolved) : given.substr(0, slash);
    }();
    return directory;
}

// The entries of directory whose names equal name but for case.
enum class Listing { Listed, Missing, Unreadable };
Listing entriesNamed(const std::string& directory, const std::string& name, std::vector<std::string>& found,
                     int* error = nullptr)
{
    DIR* stream = opendir(directory.c_str());
    if (stream == nullptr && error != nullptr) *error = errno;
    if (stream == nullptr) return errno == ENOENT || errno == ENOTDIR ? Listing::Missing : Listing::Unreadable;
    while (const dirent* entry = readdir(stream))
        if (strcasecmp(entry->d_name, name.c_str()) == 0) found.push_back(entry->d_name);
    closedir(stream);
    return Listing::Listed;
}

Registration unusable(Registration registration, std::string problem)
{
    registration.state = Registration::State::Unusable;
    registration.problem = std::move(problem);
    return registration;
}

// A per-user entry must be an absolute path; a bundled one may also be a
// bare file name in libjvelcom's directory (never ".", ".." or a name with a
// slash, which would lead elsewhere).
bool resolveEntry(const std::string& entry, bool bundled, std::string& modulePath)
{
    if (isAbsolute(entry)) {
        modulePath = entry;
        return true;
    }
    if (!bundled || entry.empty() || entry == "." || entry == ".." || entry.find('/') != std::string::npos)
        return false;
    modulePath = ownDirectory() + "/" + entry;
    return true;
}

// Reads the registration of the class in one registry directory. A name
// present in the directory counts as a registration whatever it is: every
// way of being unusable then gives the same answer.
bool readRegistration(const std::string& directory, const std::string& name, bool bundled, Registration& registration)
{
    std::vector<std::string> names;
    int error = 0;
    const Listing listing = entriesNamed(directory, name, names, &error);
    if (listing == Listing::Missing || (listing == Listing::Listed && names.empty())) return false;
    registration.file = directory + "/" + (names.empty() ? name : names.front());
    if (listing == Listing::Unreadable) {
        registration = unusable(registration, "its directory cannot be listed: " + std::string(std::strerror(error)));
        return true;
    }
    if (names.size() > 1) {
        registration = unusable(registration, "it is one of " + std::to_string(names.size()) +
                                                  " registration files whose names differ only in case");
        return true;
    }
    std::string content;
    const jvelcom::CheckedFile file = jvelcom::checkTrustedFile(registration.file, &content, registrationLimit);
    if (file.verdict == jvelcom::FileVerdict::Untrusted) {
        registration.state = Registration::State::Untrusted;
        registration.problem = file.reason;
        return true;
    }
    if (file.verdict == jvelcom::FileVerdict::Unusable) {
        registration = unusable(registration, file.reason);
        return true;
    }
    if (content.find('\0') != std::string::npos) {
        registration = unusable(registration, "it holds a NUL byte");
        return true;
    }
    std::string entry = content.substr(0, content.find('\n'));
    if (!entry.empty() && entry.back() == '\r') entry.pop_back();
    if (entry.empty()) {
        registration = unusable(registration, "it names no module (its first line is empty)");
        return true;
    }
    if (!resolveEntry(entry, bundled, registration.modulePath)) {
        registration = unusable(registration, "it names \"" + entry + "\", which is not " +
                                                  (bundled ? "an absolute path or a bare file name"
                                                           : "an absolute path"));
        return true;
    }
    registration.state = Registration::State::Found;
    return true;
}

HRESULT fromErrno(int error)
{
    return (error == EACCES || error == EPERM || error == EROFS) ? E_ACCESSDENIED : E_FAIL;
}

HRESULT makeDirectory(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return S_OK;
    return fromErrno(errno);
}

// Writes the registration through a temporary file renamed into place, so a
// concurrent lookup sees the old entry or the new one, never half of one.
HRESULT writeRegistration(const std::string& directory, const std::string& name, const char* modulePath)
{
    std::string temporary = directory + "/" + name + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) return fromErrno(errno);
    const std::string content = std::string(modulePath) + "\n";
    const bool written = write(fd, content.data(), content.size()) == ssize_t(content.size());
    const int writeError = errno;
    if (close(fd) == 0 && written && rename(temporary.c_str(), (directory + "/" + name).c_str()) == 0) return S_OK;
    const int error = written ? errno : writeError;
    unlink(temporary.c_str());
    return fromErrno(error);
}

// Removes the registrations of the class whose names differ from keep (any
// case); keep "" removes them all.
HRESULT removeOtherSpellings(const std::string& directory, const std::string& name, const std::string& keep)
{
    std::vector<std::string> names;
    entriesNamed(directory, name, names);
    for (const std::string& spelling : names) {
        if (spelling != keep && unlink((directory + "/" + spelling).c_str()) != 0 && errno != ENOENT)
            return fromErrno(errno);
    }
    return S_OK;
}

}  // namespace

Registration jvelcom::findRegistration(REFCLSID classId)
{
    const std::string name = classIdText(classId);
    Registration registration;
    std::string directory;
    if (perUserDirectory(directory)) {
        registration.searched = directory;
        if (readRegistration(directory, name, false, registration)) return registration;
    } else {
        registration.searched = "(no per-user registry: no absolute home directory)";
    }
    if (!ownDirectory().empty()) {
        directory = ownDirectory() + "/jvelcom-classes";
        registration.searched += " and " + directory;
        if (readRegistration(directory, name, true, registration)) return registration;
    }
    return registration;
}

// Registers absoluteModulePath as the in-process server of classId for the
// current user: writes $HOME/.jvelcom/classes/{CLSID}, creating the
// directories, replacing any earlier registration (also one whose file name
// differs in case). The module is not opened.
// Returns S_OK; E_INVALIDARG for NULL, a path that does not start with '/' or
// one holding a line break; HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) when there
// is no absolute home directory; E_ACCESSDENIED or E_FAIL when writing fails.
STDAPI JVelComRegisterServer(REFCLSID classId, const char* absoluteModulePath)
{
    if (absoluteModulePath == nullptr || absoluteModulePath[0] != '/' || std::strpbrk(absoluteModulePath, "\r\n"))
        return E_INVALIDARG;
    try {
        std::string directory;
        if (!perUserDirectory(directory)) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        const std::string jvelcomDirectory = directory.substr(0, directory.rfind('/'));
        const std::string name = jvelcom::classIdText(classId);
        HRESULT hr = makeDirectory(jvelcomDirectory);
        if (SUCCEEDED(hr)) hr = makeDirectory(directory);
        if (SUCCEEDED(hr)) hr = writeRegistration(directory, name, absoluteModulePath);
        if (SUCCEEDED(hr)) hr = removeOtherSpellings(directory, name, name);
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// Removes the current user's registration of classId, whatever the case of
// its file name. The bundled registry is never touched.
// Returns S_OK, also when there was no registration: like regsvr32 /u, undoing
// a registration that is already gone succeeds. E_ACCESSDENIED or E_FAIL when
// the file exists and cannot be removed; HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)
// when there is no absolute home directory.
STDAPI JVelComUnregisterServer(REFCLSID classId)
{
    try {
        std::string directory;
        if (!perUserDirectory(directory)) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        return removeOtherSpellings(directory, jvelcom::classIdText(classId), std::string());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
