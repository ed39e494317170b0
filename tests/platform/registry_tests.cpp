// The layer's registry and jvelcom-regsvr. Each test gets an empty temporary
// HOME; bundled registrations are written beside libjvelcom under class
// numbers no other test uses, since tests may run in parallel.
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
        fs::remove_all(home);
    }

    fs::path perUserFile(REFCLSID id) const { return home / ".jvelcom/classes" / registryName(id); }
    void registerPerUser(REFCLSID id, const std::string& entry) const { writeFile(perUserFile(id), entry + "\n"); }

    // The identity of the module that made an object of the class, or 0 when
    // creation failed with the HRESULT `expected`.
    uint32_t createdBy(REFCLSID id, HRESULT expected = S_OK)
    {
        IPersist* object = nullptr;
        EXPECT_HR(expected, CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IPersist, out(&object)));
        CLSID identity = GUID_NULL;
        if (object != nullptr) {
            object->GetClassID(&identity);
            object->Release();
        }
        return identity.Data1;
    }
};

TEST_F(Registry, RegisterWritesTheAbsolutePathUnderTheClassName)
{
    const CLSID plugin = {0x18B46DCC, 0xAD84, 0x47A3, {0x89, 0x74, 0x43, 0x3D, 0xC9, 0x6B, 0xAC, 0xB6}};
    const fs::path file = home / ".jvelcom/classes/{18B46DCC-AD84-47A3-8974-433DC96BACB6}";
    for (const char* path :
         {(const char*)nullptr, "", "libplugin.so", "./libplugin.so", "lib/plugin.so", "/a.so\n/b.so"})
        EXPECT_HR(E_INVALIDARG, JVelComRegisterServer(plugin, path)) << (path ? path : "NULL");
    EXPECT_FALSE(fs::exists(home / ".jvelcom")) << "a refused registration created directories";
    ASSERT_HR(S_OK, JVelComRegisterServer(plugin, "/opt/velweb/old.so"));
    ASSERT_HR(S_OK, JVelComRegisterServer(plugin, "/opt/velweb/libplugin.so"));
    EXPECT_EQ("/opt/velweb/libplugin.so\n", readFile(file));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()))
        << "temporary files left behind";
    EXPECT_HR(S_OK, JVelComUnregisterServer(plugin));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_HR(S_OK, JVelComUnregisterServer(plugin)) << "unregistering twice succeeds, as regsvr32 /u does";
}

TEST_F(Registry, LookupOrderIsRegisteredThenPerUserThenBundled)
{
    const CLSID id = testClass(0x100), other = testClass(0x101);
    EXPECT_EQ(0u, createdBy(id, REGDB_E_CLASSNOTREG));
    BundledEntry bundled(id, TEST_COMPONENT_B_FILE_NAME);
    EXPECT_EQ(COMPONENT_B_IDENTITY, createdBy(id)) << "bundled, by bare file name";
    ASSERT_HR(S_OK, JVelComRegisterServer(id, TEST_COMPONENT_A_PATH));
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(id)) << "per-user must hide bundled";
    void* object = nullptr;
    EXPECT_HR(REGDB_E_CLASSNOTREG, CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object))
        << "the registry names in-process servers only";

    // A class object registered by running code comes before any registry.
    IClassFactory* moduleFactory = nullptr;
    ASSERT_HR(S_OK, CoGetClassObject(id, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, out(&moduleFactory)));
    DWORD cookie = 0;
    ASSERT_HR(S_OK, CoRegisterClassObject(other, moduleFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    registerPerUser(other, "/nonexistent/module.so");
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(other));
    CoRevokeClassObject(cookie);
    moduleFactory->Release();
    EXPECT_EQ(0u, createdBy(other, moduleNotFound));

    // A per-user entry hides the bundled one even when it cannot be used.
    registerPerUser(id, "relative.so");
    EXPECT_EQ(0u, createdBy(id, moduleNotFound));
    ASSERT_HR(S_OK, JVelComUnregisterServer(id));
    EXPECT_EQ(COMPONENT_B_IDENTITY, createdBy(id));
}

TEST_F(Registry, BrokenRegistrationsReportWhatWentWrong)
{
    writeFile(home / "text.so", "not a module\n");
    const struct {
        bool perUser;
        std::string entry;
        HRESULT expected;
    } cases[] = {
        {true, "/nonexistent/libmissing.so", moduleNotFound},
        {true, (home / "text.so").string(), moduleNotFound},
        {true, "", moduleNotFound},
        {true, MODULE_WITHOUT_ENTRY_POINTS_PATH, CO_E_ERRORINDLL},
        {false, "sub/" TEST_COMPONENT_B_FILE_NAME, moduleNotFound},
        {false, "..", moduleNotFound},
        {false, TEST_COMPONENT_A_PATH, S_OK},
    };
    uint32_t number = 0x200;
    for (const auto& c : cases) {
        SCOPED_TRACE((c.perUser ? "per-user: " : "bundled: ") + c.entry);
        const CLSID id = testClass(number++);
        if (c.perUser) registerPerUser(id, c.entry);
        BundledEntry bundled(id, c.perUser ? TEST_COMPONENT_B_FILE_NAME : c.entry);
        createdBy(id, c.expected);
    }
    // The module's own answer comes back: it serves only the test classes.
    const CLSID foreign = {0x0F0E1671, 0x1234, 0x4321, {0x80, 0, 0, 0, 0, 0, 0, 1}};
    registerPerUser(foreign, TEST_COMPONENT_A_PATH);
    createdBy(foreign, CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(Registry, ModulesInTheWorkingDirectoryAreNeverLoaded)
{
    fs::current_path(home);
    const std::string name = "libcwd_component.so";
    fs::copy_file(TEST_COMPONENT_A_PATH, home / name);  // a copy: a file the process has not loaded
    uint32_t number = 0x300;
    for (const std::string& entry : {name, "./" + name}) {
        SCOPED_TRACE(entry);
        registerPerUser(testClass(number), entry);
        createdBy(testClass(number++), moduleNotFound);
        BundledEntry bundled(testClass(number), entry);
        createdBy(testClass(number++), moduleNotFound);
    }
    void* loaded = dlopen((home / name).c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(nullptr, loaded) << "a module was loaded from the working directory";

    // A relative HOME would make the registry itself depend on the directory.
    setenv("HOME", "relative-home", 1);
    writeFile(home / "relative-home/.jvelcom/classes" / registryName(testClass(0x400)), TEST_COMPONENT_A_PATH "\n");
    createdBy(testClass(0x400), REGDB_E_CLASSNOTREG);
    EXPECT_HR(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), JVelComRegisterServer(testClass(0x400), TEST_COMPONENT_A_PATH));
}

int runRegsvr(const std::string& arguments)
{
    const int status = std::system(("'" JVELCOM_REGSVR_PATH "' " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Registry, RegsvrToolRunsTheModulesOwnRegistration)
{
    const fs::path file = perUserFile(testClass(selfRegisteringClass));
    ASSERT_EQ(0, runRegsvr("'" TEST_COMPONENT_A_PATH "'"));
    EXPECT_EQ(TEST_COMPONENT_A_PATH "\n", readFile(file));
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(testClass(selfRegisteringClass)));
    ASSERT_EQ(0, runRegsvr("-u '" TEST_COMPONENT_A_PATH "'"));
    EXPECT_FALSE(fs::exists(file));

    const struct {
        std::string arguments;
        int status;
    } failures[] = {
        {"", 1},
        {TEST_COMPONENT_B_FILE_NAME, 1},  // relative
        {"-x '" TEST_COMPONENT_A_PATH "'", 1},
        {"/nonexistent/module.so", 3},
        {"'" MODULE_WITHOUT_ENTRY_POINTS_PATH "'", 4},
    };
    for (const auto& c : failures) EXPECT_EQ(c.status, runRegsvr(c.arguments)) << "arguments: " << c.arguments;
}

}  // namespace
#endif
