// The layer's registry, the equivalent of HKCR\CLSID\{...}\InprocServer32.
// Two directories map a CLSID to a module, one file per class named like
// "{18B46DCC-AD84-47A3-8974-433DC96BACB6}" holding the module path on its first
// line:
//   $HOME/.jvelcom/classes/   per-user registrations, absolute paths only;
//   jvelcom-classes/          beside libjvelcom: bundled components, named by
//                             bare file name (a module in libjvelcom's own
//                             directory) or by absolute path.
// The per-user entry hides the bundled one, as HKCU hides HKLM on Windows.
// Modules are only ever loaded by absolute path, so neither the working
// directory nor the loader's search path can substitute a module.
#include "registry.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <memory>
#include <new>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Lookup { NotFound, Found };

std::string registryFileName(REFCLSID id)
{
    char name[40];
    std::snprintf(name, sizeof name, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(id.Data1),
                  unsigned(id.Data2), unsigned(id.Data3), id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3],
                  id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return name;
}

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
    directory = base + "/.jvelcom/classes";
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

// libjvelcom's directory (absolute), or "" when it cannot be told.
const std::string& ownDirectory()
{
    static const std::string directory = [] {
        const std::string path = ownModulePath();
        const auto slash = path.rfind('/');
        return isAbsolute(path) && slash != std::string::npos ? path.substr(0, slash) : std::string();
    }();
    return directory;
}

// Reads the first line of a registration file, without its line end.
Lookup readRegistration(const std::string& file, std::string& line)
{
    std::ifstream in(file);
    if (!in) return Lookup::NotFound;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return Lookup::Found;
}

// A per-user entry must be an absolute path.
bool resolvePerUserEntry(const std::string& entry, std::string& modulePath)
{
    if (!isAbsolute(entry)) return false;
    modulePath = entry;
    return true;
}

// A bundled entry is an absolute path or a bare file name in libjvelcom's
// directory; anything with a slash that is not absolute is refused.
bool resolveBundledEntry(const std::string& entry, std::string& modulePath)
{
    if (isAbsolute(entry)) {
        modulePath = entry;
        return true;
    }
    const std::string& directory = ownDirectory();
    if (entry.empty() || entry == "." || entry == ".." || entry.find('/') != std::string::npos || directory.empty())
        return false;
    modulePath = directory + "/" + entry;
    return true;
}

// Finds the registration for classId: the per-user one if there is one, else
// the bundled one. `usable` is false when the entry names a refused path.
Lookup findModule(REFCLSID classId, std::string& modulePath, bool& usable)
{
    const std::string name = registryFileName(classId);
    std::string directory, entry;
    if (perUserDirectory(directory) && readRegistration(directory + "/" + name, entry) == Lookup::Found) {
        usable = resolvePerUserEntry(entry, modulePath);
        return Lookup::Found;
    }
    const std::string& own = ownDirectory();
    if (!own.empty() && readRegistration(own + "/jvelcom-classes/" + name, entry) == Lookup::Found) {
        usable = resolveBundledEntry(entry, modulePath);
        return Lookup::Found;
    }
    return Lookup::NotFound;
}

// The module stays loaded for the life of the process: objects and class
// factories it handed out may be alive anywhere, and COM callers never know
// when the last one goes.
void* loadModule(const std::string& absolutePath)
{
    if (!isAbsolute(absolutePath)) return nullptr;  // never let dlopen search
    return dlopen(absolutePath.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// UTF-8 (paths, dlerror) to zero-terminated UTF-16, into `wide`, which has
// room for text.size() + 1 units (never more units than bytes); a byte that
// does not start a well-formed sequence becomes U+FFFD.
void widen(const std::string& text, OLECHAR* wide)
{
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int extra = byte < 0x80           ? 0
                          : (byte >> 5) == 0x6  ? 1
                          : (byte >> 4) == 0xE  ? 2
                          : (byte >> 3) == 0x1E ? 3
                                                : -1;
        char32_t code = extra == 0 ? byte : extra == 1 ? (byte & 0x1F) : extra == 2 ? (byte & 0x0F) : (byte & 0x07);
        bool wellFormed = extra >= 0 && i + extra < text.size();
        for (int k = 1; wellFormed && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!wellFormed || code > 0x10FFFF) {
            *wide++ = u'\uFFFD';
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            *wide++ = char16_t(0xD800 + ((code - 0x10000) >> 10));
            *wide++ = char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            *wide++ = char16_t(code);
        }
        i += extra + 1;
    }
    *wide = u'\0';
}

// Leaves error information on the calling thread saying why a class could
// not be served, as a component leaves it for a failed call: the caller of
// CoCreateInstance takes it with GetErrorInfo. Source "jvelcom".
void setLookupError(const std::string& description)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return;
    create->SetSource(const_cast<LPOLESTR>(u"jvelcom"));
    std::unique_ptr<OLECHAR[]> wide(new (std::nothrow) OLECHAR[description.size() + 1]);
    if (wide) {
        widen(description, wide.get());
        create->SetDescription(wide.get());
    }
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
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

}  // namespace

HRESULT jvelcom::getClassObjectFromRegistry(REFCLSID classId, REFIID riid, void** object)
{
    std::string modulePath;
    bool usable = false;
    const std::string className = registryFileName(classId);
    if (findModule(classId, modulePath, usable) == Lookup::NotFound) {
        std::string perUser, description = "Class ";
        if (!perUserDirectory(perUser)) perUser = "the per-user registry";
        description += className;
        description += " is not registered: no file ";
        description += className;
        description += " in ";
        description += perUser;
        description += " or ";
        description += ownDirectory().empty() ? std::string("the bundled registry") : ownDirectory();
        if (!ownDirectory().empty()) description += "/jvelcom-classes";
        setLookupError(description);
        return REGDB_E_CLASSNOTREG;
    }
    if (!usable) {
        std::string description = "Class ";
        description += className;
        description += ": its registered module path is refused (not absolute, nor a bare file name beside libjvelcom)";
        setLookupError(description);
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    }
    dlerror();  // the reason read below is this load's
    void* module = loadModule(modulePath);
    if (module == nullptr) {
        const char* reason = dlerror();
        std::string description = "Class ";
        description += className;
        description += ": module ";
        description += modulePath;
        description += " cannot be loaded: ";
        description += reason != nullptr ? reason : "unknown reason";
        setLookupError(description);
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    }
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(module, "DllGetClassObject"));
    if (getClassObject == nullptr) return CO_E_ERRORINDLL;
    return getClassObject(classId, riid, object);
}

// Registers absoluteModulePath as the in-process server of classId for the
// current user: writes $HOME/.jvelcom/classes/{CLSID}, creating the
// directories, replacing any earlier registration. The module is not opened.
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
        HRESULT hr = makeDirectory(jvelcomDirectory);
        if (SUCCEEDED(hr)) hr = makeDirectory(directory);
        if (SUCCEEDED(hr)) hr = writeRegistration(directory, registryFileName(classId), absoluteModulePath);
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// Removes the current user's registration of classId. The bundled registry is
// never touched.
// Returns S_OK, also when there was no registration: like regsvr32 /u, undoing
// a registration that is already gone succeeds. E_ACCESSDENIED or E_FAIL when
// the file exists and cannot be removed; HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)
// when there is no absolute home directory.
STDAPI JVelComUnregisterServer(REFCLSID classId)
{
    try {
        std::string directory;
        if (!perUserDirectory(directory)) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        const std::string file = directory + "/" + registryFileName(classId);
        if (unlink(file.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR) return S_OK;
        return fromErrno(errno);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
