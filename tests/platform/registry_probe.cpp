// registry_probe <absolute libjvelcom path> <expected HRESULT> [{CLSID}]:
// creates the simulated plug-in (or the class given) through that copy of the
// COM layer, loaded by path, so a test can try an installed or relocated tree
// rather than the build's own.
// Prints the HRESULT and the layer's error description; exit 0 when the
// HRESULT is the expected one.
#include "platform/com.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace {

const CLSID velWebPlugin = {0x18B46DCC, 0xAD84, 0x47A3, {0x89, 0x74, 0x43, 0x3D, 0xC9, 0x6B, 0xAC, 0xB6}};
// Spelled out: the probe links no copy of the layer, whose IIDs it would use.
const IID unknownInterface = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

template <typename Function>
Function find(void* library, const char* name)
{
    auto function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr) {
        std::fprintf(stderr, "%s not found\n", name);
        std::exit(2);
    }
    return function;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) return 2;
    CLSID classId = velWebPlugin;
    unsigned part[11];
    if (argc == 4) {
        if (std::sscanf(argv[3], "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}", &part[0], &part[1], &part[2], &part[3],
                        &part[4], &part[5], &part[6], &part[7], &part[8], &part[9], &part[10]) != 11)
            return 2;
        classId = CLSID{part[0], WORD(part[1]), WORD(part[2]), {}};
        for (int i = 0; i < 8; ++i) classId.Data4[i] = BYTE(part[3 + i]);
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 2;
    }
    auto initialize = find<HRESULT (*)(LPVOID)>(library, "CoInitialize");
    auto create = find<HRESULT (*)(REFCLSID, IUnknown*, DWORD, REFIID, LPVOID*)>(library, "CoCreateInstance");
    auto takeErrorInfo = find<HRESULT (*)(ULONG, IErrorInfo**)>(library, "GetErrorInfo");
    auto freeString = find<void (*)(BSTR)>(library, "SysFreeString");
    initialize(nullptr);
    IUnknown* plugin = nullptr;
    const HRESULT hr = create(classId, nullptr, CLSCTX_INPROC_SERVER, unknownInterface,
                              reinterpret_cast<void**>(&plugin));
    std::printf("0x%08X", unsigned(hr));
    IErrorInfo* info = nullptr;
    if (takeErrorInfo(0, &info) == S_OK) {
        BSTR description = nullptr;
        info->GetDescription(&description);
        std::string text;
        for (UINT i = 0; description != nullptr && description[i] != 0; ++i)
            text += description[i] < 0x80 ? char(description[i]) : '?';
        std::printf(" %s", text.c_str());
        freeString(description);
        info->Release();
    }
    std::printf("\n");
    if (plugin != nullptr) plugin->Release();
    return hr == HRESULT(std::strtoul(argv[2], nullptr, 16)) ? 0 : 1;
}
