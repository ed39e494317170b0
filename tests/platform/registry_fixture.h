// What the registry suites share: a fixture with an empty temporary HOME,
// bundled registrations beside libjvelcom (under class numbers no other test
// uses, since tests may run in parallel), and the outcome of a creation with
// the error information the layer left.
#pragma once

#include "test_component.h"
#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace registry_test {

namespace fs = std::filesystem;

const HRESULT moduleNotFound = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

inline std::string registryName(REFCLSID id)
{
    char name[40];
    std::snprintf(name, sizeof name, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(id.Data1),
                  id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5],
                  id.Data4[6], id.Data4[7]);
    return name;
}

inline void writeFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ASCII text of a BSTR; other characters become '?'.
inline std::string narrow(BSTR text)
{
    std::string result;
    for (UINT i = 0; text != nullptr && i < SysStringLen(text); ++i) result += text[i] < 0x80 ? char(text[i]) : '?';
    return result;
}

// A bundled registration, removed again when it goes out of scope.
struct BundledEntry {
    fs::path file;
    BundledEntry(REFCLSID id, const std::string& entry)
        : file(fs::path(JVELCOM_LIBRARY_DIR) / "jvelcom-classes" / registryName(id))
    {
        writeFile(file, entry + "\n");
    }
    ~BundledEntry() { fs::remove(file); }
};

// What CoCreateInstance answered, and the error information it left.
struct Outcome {
    HRESULT hr = E_FAIL;
    uint32_t identity = 0;  // of the module that made the object
    std::string source, description;
};

class Registry : public ::testing::Test {
protected:
    fs::path home, previousDirectory = fs::current_path();
    std::string previousHome = std::getenv("HOME") ? std::getenv("HOME") : "";

    void SetUp() override
    {
        char pattern[] = "/tmp/jvelcom-home-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        home = pattern;
        setenv("HOME", pattern, 1);
        CoInitialize(nullptr);
    }
    void TearDown() override
    {
        CoUninitialize();
        setenv("HOME", previousHome.c_str(), 1);
        fs::current_path(previousDirectory);
        fs::permissions(home, fs::perms::owner_all);  // a test may have changed it
        fs::remove_all(home);
    }

    fs::path perUserFile(REFCLSID id) const { return home / ".jvelcom/classes" / registryName(id); }
    void registerPerUser(REFCLSID id, const std::string& entry) const { writeFile(perUserFile(id), entry + "\n"); }

    // Creates an object of the class, with the thread's error slot emptied first.
    static Outcome create(REFCLSID id)
    {
        SetErrorInfo(0, nullptr);
        Outcome outcome;
        IPersist* object = reinterpret_cast<IPersist*>(1);
        outcome.hr = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IPersist, out(&object));
        EXPECT_EQ(FAILED(outcome.hr), object == nullptr) << "a failure must leave NULL, a success an object";
        if (SUCCEEDED(outcome.hr) && object != nullptr) {
            CLSID identity = GUID_NULL;
            object->GetClassID(&identity);
            object->Release();
            outcome.identity = identity.Data1;
        }
        IErrorInfo* info = nullptr;
        if (GetErrorInfo(0, &info) == S_OK) {
            BSTR source = nullptr, description = nullptr;
            info->GetSource(&source);
            info->GetDescription(&description);
            outcome.source = narrow(source);
            outcome.description = narrow(description);
            SysFreeString(source);
            SysFreeString(description);
            info->Release();
        }
        return outcome;
    }

    // The identity of the module that made an object of the class, or 0 when
    // creation failed with the HRESULT `expected`.
    uint32_t createdBy(REFCLSID id, HRESULT expected = S_OK)
    {
        const Outcome outcome = create(id);
        EXPECT_HR(expected, outcome.hr) << outcome.description;
        return outcome.identity;
    }
};

}  // namespace registry_test
