// jvelcom-regsvr: the regsvr32 of the portable COM layer.
//
//   jvelcom-regsvr <absolute-module-path>      calls the module's DllRegisterServer
//   jvelcom-regsvr -u <absolute-module-path>   calls its DllUnregisterServer
//
// A component's DllRegisterServer records its own absolute path with
// JVelComRegisterServer. Exit status follows regsvr32: 0 done, 1 bad
// arguments, 2 CoInitialize failed, 3 module not loaded, 4 entry point
// missing, 5 the entry point failed.
#include "platform/com.h"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum ExitStatus { Done = 0, BadArguments = 1, InitializeFailed = 2, LoadFailed = 3, EntryMissing = 4, CallFailed = 5 };

int usage()
{
    std::fprintf(stderr, "usage: jvelcom-regsvr [-u] <absolute-module-path>\n");
    return BadArguments;
}

void printError(const char* what, const char* module, HRESULT hr)
{
    char* text = nullptr;
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS;
    const bool described = FormatMessageA(flags, nullptr, DWORD(hr), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::fprintf(stderr, "%s in %s failed: 0x%08X%s%s", what, module, unsigned(hr), described ? " " : "\n",
                 described ? text : "");
    LocalFree(text);
}

int callEntryPoint(void* module, const char* entryName, const char* modulePath)
{
    typedef HRESULT(STDAPICALLTYPE * EntryPoint)();
    auto entry = reinterpret_cast<EntryPoint>(dlsym(module, entryName));
    if (entry == nullptr) {
        std::fprintf(stderr, "%s was not found in %s.\n", entryName, modulePath);
        return EntryMissing;
    }
    const HRESULT hr = entry();
    if (FAILED(hr)) {
        printError(entryName, modulePath, hr);
        return CallFailed;
    }
    std::printf("%s in %s succeeded.\n", entryName, modulePath);
    return Done;
}

// Opened without blocking and examined on the open file.
bool isRegularFile(const char* path)
{
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return true;  // dlopen says why
    struct stat status;
    const bool regular = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    close(fd);
    return regular;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool unregister = argc == 3 && std::strcmp(argv[1], "-u") == 0;
    if (argc != (unregister ? 3 : 2)) return usage();
    const char* modulePath = argv[argc - 1];
    // Only an absolute path: a bare name would make dlopen search, and a
    // relative one would depend on the working directory.
    if (modulePath[0] != '/') {
        std::fprintf(stderr, "jvelcom-regsvr: %s is not an absolute path.\n", modulePath);
        return BadArguments;
    }
    // dlopen would block forever on a FIFO: only a regular file is loaded,
    // as the layer's own loader does.
    if (!isRegularFile(modulePath)) {
        std::fprintf(stderr, "jvelcom-regsvr: cannot load %s: not a regular file.\n", modulePath);
        return LoadFailed;
    }
    if (FAILED(CoInitialize(nullptr))) {
        std::fprintf(stderr, "jvelcom-regsvr: CoInitialize failed.\n");
        return InitializeFailed;
    }
    int status;
    if (void* module = dlopen(modulePath, RTLD_NOW | RTLD_LOCAL)) {
        status = callEntryPoint(module, unregister ? "DllUnregisterServer" : "DllRegisterServer", modulePath);
    } else {
        std::fprintf(stderr, "jvelcom-regsvr: cannot load %s: %s\n", modulePath, dlerror());
        status = LoadFailed;
    }
    CoUninitialize();
    return status;
}
