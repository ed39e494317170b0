// The layer's registry and jvelcom-regsvr. Each test gets a temporary HOME,
// so the per-user registry starts empty; bundled registrations are written
// beside libjvelcom under class numbers no other test uses.
#include "test_component.h"
#include "test_support.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const HRESULT moduleNotFound = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

std::string registryName(REFCLSID id)
{
    char name[40];
    std::snprintf(name, sizeof name, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(id.Data1),
                  id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5],
                  id.Data4[6], id.Data4[7]);
    return name;
}

void writeFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << content;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isLoaded(const fs::path& module)
{
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
}

// A registration in the bundled registry beside libjvelcom, removed again at
// the end of the test.
class BundledEntry {
public:
    BundledEntry(REFCLSID id, const std::string& content) : file(fs::path(JVELCOM_LIBRARY_DIR) / "jvelcom-classes" / registryName(id))
    {
        writeFile(file, content);
    }
    ~BundledEntry() { fs::remove(file); }

private:
    fs::path file;
};

// Gives each test an empty home directory and the calling thread an apartment.
class Registry : public ::testing::Test {
protected:
    fs::path home;
    std::string savedHome;

    void SetUp() override
    {
        if (const char* current = std::getenv("HOME")) savedHome = current;
        char pattern[] = "/tmp/jvelcom-home-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        home = pattern;
        setenv("HOME", pattern, 1);
        CoInitialize(nullptr);
    }
    void TearDown() override
    {
        CoUninitialize();
        setenv("HOME", savedHome.c_str(), 1);
        fs::remove_all(home);
    }

    fs::path perUserFile(REFCLSID id) const { return home / ".jvelcom" / "classes" / registryName(id); }

    // Creates an object of the class and returns the identity of the module
    // that made it, or 0 when creation failed (the HRESULT is in hr).
    uint32_t createdBy(REFCLSID id, HRESULT& hr)
    {
        IPersist* object = nullptr;
        hr = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IPersist, reinterpret_cast<void**>(&object));
        if (FAILED(hr)) {
            EXPECT_EQ(nullptr, object) << "failed creation left an object";
            return 0;
        }
        CLSID identity = GUID_NULL;
        object->GetClassID(&identity);
        object->Release();
        return identity.Data1;
    }
};

TEST_F(Registry, RegisterWritesOneFileNamedByTheClassInRegistryForm)
{
    const CLSID plugin = {0x18B46DCC, 0xAD84, 0x47A3, {0x89, 0x74, 0x43, 0x3D, 0xC9, 0x6B, 0xAC, 0xB6}};
    ASSERT_HR(S_OK, JVelComRegisterServer(plugin, "/opt/velweb/libplugin.so"));
    const fs::path file = home / ".jvelcom/classes/{18B46DCC-AD84-47A3-8974-433DC96BACB6}";
    EXPECT_EQ("/opt/velweb/libplugin.so\n", readFile(file));
    ASSERT_HR(S_OK, JVelComRegisterServer(plugin, "/opt/velweb/newer.so"));
    EXPECT_EQ("/opt/velweb/newer.so\n", readFile(file)) << "re-registering must replace the entry";
    EXPECT_EQ(1, std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()))
        << "temporary files left behind";

    EXPECT_HR(S_OK, JVelComUnregisterServer(plugin));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_HR(S_OK, JVelComUnregisterServer(plugin)) << "unregistering twice must succeed, as regsvr32 /u does";
}

TEST_F(Registry, RegisterRefusesPathsThatAreNotAbsolute)
{
    const CLSID id = testClass(0x100);
    for (const char* path : {(const char*)nullptr, "", "libplugin.so", "./libplugin.so", "lib/libplugin.so",
                             "/opt/a.so\n/tmp/b.so"}) {
        SCOPED_TRACE(path ? path : "NULL");
        EXPECT_HR(E_INVALIDARG, JVelComRegisterServer(id, path));
        EXPECT_FALSE(fs::exists(perUserFile(id)));
    }
}

TEST_F(Registry, AbsolutePerUserRegistrationIsLoaded)
{
    const CLSID id = testClass(0x101);
    HRESULT hr = S_OK;
    EXPECT_EQ(0u, createdBy(id, hr));
    EXPECT_HR(REGDB_E_CLASSNOTREG, hr);
    ASSERT_HR(S_OK, JVelComRegisterServer(id, TEST_COMPONENT_A_PATH));
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(id, hr)) << hex(hr);

    IClassFactory* factory = nullptr;
    EXPECT_HR(S_OK, CoGetClassObject(id, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory)));
    ASSERT_NE(nullptr, factory);
    factory->Release();
    void* object = nullptr;
    EXPECT_HR(REGDB_E_CLASSNOTREG, CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object))
        << "the registry names in-process servers only";
}

TEST_F(Registry, LookupOrderIsRegisteredThenPerUserThenBundled)
{
    const CLSID id = testClass(0x102);
    BundledEntry bundled(id, TEST_COMPONENT_B_FILE_NAME "\n");
    HRESULT hr = S_OK;
    EXPECT_EQ(COMPONENT_B_IDENTITY, createdBy(id, hr)) << "bundled bare file name: " << hex(hr);

    ASSERT_HR(S_OK, JVelComRegisterServer(id, TEST_COMPONENT_A_PATH));
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(id, hr)) << "per-user must hide bundled: " << hex(hr);

    // A class object registered by running code comes before both.
    IClassFactory* moduleFactory = nullptr;
    ASSERT_HR(S_OK, CoGetClassObject(id, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     reinterpret_cast<void**>(&moduleFactory)));
    DWORD cookie = 0;
    ASSERT_HR(S_OK, CoRegisterClassObject(testClass(0x103), moduleFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                          &cookie));
    BundledEntry unusable(testClass(0x103), "/nonexistent/module.so\n");
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(testClass(0x103), hr)) << hex(hr);
    CoRevokeClassObject(cookie);
    EXPECT_EQ(0u, createdBy(testClass(0x103), hr));
    EXPECT_HR(moduleNotFound, hr);
    moduleFactory->Release();

    // A per-user entry hides the bundled one even when it cannot be used.
    writeFile(perUserFile(id), "relative.so\n");
    EXPECT_EQ(0u, createdBy(id, hr));
    EXPECT_HR(moduleNotFound, hr);
    ASSERT_HR(S_OK, JVelComUnregisterServer(id));
    EXPECT_EQ(COMPONENT_B_IDENTITY, createdBy(id, hr)) << hex(hr);
}

TEST_F(Registry, BrokenRegistrationsReportWhatWentWrong)
{
    const fs::path notAModule = home / "not-a-module.so";
    writeFile(notAModule, "plain text\n");
    struct Case {
        const char* name;
        bool perUser;
        std::string entry;
        HRESULT expected;
    } cases[] = {
        {"missing module", true, "/nonexistent/libmissing.so", moduleNotFound},
        {"file that is not a module", true, notAModule.string(), moduleNotFound},
        {"empty entry", true, "", moduleNotFound},
        {"no DllGetClassObject", true, MODULE_WITHOUT_ENTRY_POINTS_PATH, CO_E_ERRORINDLL},
        {"bundled path with a directory part", false, "sub/" TEST_COMPONENT_B_FILE_NAME, moduleNotFound},
        {"bundled parent directory", false, "..", moduleNotFound},
        {"bundled absolute path", false, TEST_COMPONENT_A_PATH, S_OK},
    };
    uint32_t number = 0x200;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CLSID id = testClass(number++);
        if (c.perUser) writeFile(perUserFile(id), c.entry + "\n");
        BundledEntry bundled(id, c.perUser ? TEST_COMPONENT_B_FILE_NAME : c.entry);
        HRESULT hr = S_OK;
        createdBy(id, hr);
        EXPECT_HR(c.expected, hr);
    }

    // The module's own answer comes back: it serves only the test classes.
    const CLSID foreign = {0x0F0E1671, 0x1234, 0x4321, {0x80, 0, 0, 0, 0, 0, 0, 1}};
    ASSERT_HR(S_OK, JVelComRegisterServer(foreign, TEST_COMPONENT_A_PATH));
    HRESULT hr = S_OK;
    createdBy(foreign, hr);
    EXPECT_HR(CLASS_E_CLASSNOTAVAILABLE, hr);
}

TEST_F(Registry, ModulesInTheWorkingDirectoryAreNeverLoaded)
{
    const fs::path previous = fs::current_path();
    fs::current_path(home);
    const std::string name = "libcwd_component.so";
    fs::copy_file(TEST_COMPONENT_A_PATH, home / name);

    uint32_t number = 0x300;
    for (const std::string& entry : {name, "./" + name}) {
        for (bool perUser : {true, false}) {
            SCOPED_TRACE(entry + (perUser ? " (per-user)" : " (bundled)"));
            const CLSID id = testClass(number++);
            if (perUser) writeFile(perUserFile(id), entry + "\n");
            BundledEntry bundled(id, perUser ? "" : entry + "\n");
            HRESULT hr = S_OK;
            EXPECT_EQ(0u, createdBy(id, hr));
            EXPECT_HR(moduleNotFound, hr);
        }
    }
    EXPECT_FALSE(isLoaded(home / name)) << "a module was loaded from the working directory";
    fs::current_path(previous);
}

TEST_F(Registry, RelativeHomeIsNotUsed)
{
    const fs::path previous = fs::current_path();
    fs::current_path(home);
    setenv("HOME", "relative-home", 1);
    const CLSID id = testClass(0x400);
    writeFile(home / "relative-home/.jvelcom/classes" / registryName(id), TEST_COMPONENT_A_PATH "\n");
    HRESULT hr = S_OK;
    EXPECT_EQ(0u, createdBy(id, hr));
    EXPECT_HR(REGDB_E_CLASSNOTREG, hr);
    EXPECT_HR(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), JVelComRegisterServer(id, TEST_COMPONENT_A_PATH));
    fs::current_path(previous);
}

int runRegsvr(const std::string& arguments)
{
    const int status = std::system((std::string("'") + JVELCOM_REGSVR_PATH + "' " + arguments).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Registry, RegsvrToolRunsTheModulesOwnRegistration)
{
    const fs::path file = perUserFile(testClass(selfRegisteringClass));
    ASSERT_EQ(0, runRegsvr("'" TEST_COMPONENT_A_PATH "'"));
    EXPECT_EQ(std::string(TEST_COMPONENT_A_PATH) + "\n", readFile(file));
    HRESULT hr = S_OK;
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(testClass(selfRegisteringClass), hr)) << hex(hr);
    ASSERT_EQ(0, runRegsvr("-u '" TEST_COMPONENT_A_PATH "'"));
    EXPECT_FALSE(fs::exists(file));

    struct Case {
        const char* name;
        std::string arguments;
        int status;
    } failures[] = {
        {"no arguments", "", 1},
        {"relative path", TEST_COMPONENT_B_FILE_NAME, 1},
        {"unknown option", "-x '" TEST_COMPONENT_A_PATH "'", 1},
        {"missing module", "/nonexistent/module.so", 3},
        {"no DllRegisterServer", "'" MODULE_WITHOUT_ENTRY_POINTS_PATH "'", 4},
    };
    for (const Case& c : failures) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.status, runRegsvr(c.arguments + " 2>/dev/null"));
    }
}

}  // namespace
#endif
