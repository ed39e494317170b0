// The layer's registry: lookup order, what a broken registration answers and
// says, case, and jvelcom-regsvr.
#ifndef _WIN32
#include "registry_fixture.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cctype>
#include <vector>

namespace {

using namespace registry_test;

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

// Each failure says, in the layer's error information, which class, which
// registration file and which module were tried, and why it failed.
TEST_F(Registry, BrokenRegistrationsReportWhatWentWrong)
{
    const std::string text = (home / "text.so").string();
    writeFile(text, "not a module\n");
    dlopen(text.c_str(), RTLD_NOW);  // fails; its reason is what the layer must pass on
    const std::string loaderSays = dlerror();
    const struct {
        bool perUser;
        std::string entry;
        HRESULT expected;
        std::vector<std::string> said;
    } cases[] = {
        {true, "/nonexistent/libmissing.so", moduleNotFound, {"/nonexistent/libmissing.so", "does not exist"}},
        {true, text, moduleNotFound, {text, loaderSays}},
        {true, "", moduleNotFound, {"names no module"}},
        {true, "relative.so", moduleNotFound, {"\"relative.so\", which is not an absolute path"}},
        {true, MODULE_WITHOUT_ENTRY_POINTS_PATH, CO_E_ERRORINDLL,
         {MODULE_WITHOUT_ENTRY_POINTS_PATH, "does not export DllGetClassObject"}},
        {false, "sub/" TEST_COMPONENT_B_FILE_NAME, moduleNotFound, {"an absolute path or a bare file name"}},
        {false, "..", moduleNotFound, {"\"..\""}},
        {false, "/nonexistent/libmissing.so", moduleNotFound, {"/nonexistent/libmissing.so", "does not exist"}},
        {false, TEST_COMPONENT_A_PATH, S_OK, {}},
    };
    uint32_t number = 0x200;
    for (const auto& c : cases) {
        SCOPED_TRACE((c.perUser ? "per-user: " : "bundled: ") + c.entry);
        const CLSID id = testClass(number++);
        if (c.perUser) registerPerUser(id, c.entry);
        BundledEntry bundled(id, c.perUser ? TEST_COMPONENT_B_FILE_NAME : c.entry);
        const Outcome outcome = create(id);
        EXPECT_HR(c.expected, outcome.hr);
        if (c.expected == S_OK) continue;
        EXPECT_EQ("jvelcom", outcome.source);
        const std::string file = c.perUser ? perUserFile(id).string() : bundled.file.string();
        for (const std::string& part : std::vector<std::string>{registryName(id), file})
            EXPECT_NE(std::string::npos, outcome.description.find(part)) << outcome.description;
        for (const std::string& part : c.said)
            EXPECT_NE(std::string::npos, outcome.description.find(part)) << outcome.description << "\nlacks " << part;
    }
    const Outcome none = create(testClass(number));
    EXPECT_HR(REGDB_E_CLASSNOTREG, none.hr);
    for (const std::string& part : {registryName(testClass(number)), (home / ".jvelcom/classes").string(),
                                    std::string(JVELCOM_LIBRARY_DIR "/jvelcom-classes")})
        EXPECT_NE(std::string::npos, none.description.find(part)) << none.description << "\nlacks " << part;

    // The module's own answer comes back: it serves only the test classes.
    const CLSID foreign = {0x0F0E1671, 0x1234, 0x4321, {0x80, 0, 0, 0, 0, 0, 0, 1}};
    registerPerUser(foreign, TEST_COMPONENT_A_PATH);
    createdBy(foreign, CLASS_E_CLASSNOTAVAILABLE);
}

// A module that claims success without handing out an object gives an error,
// not a crash, and a pointer a failing module leaves behind is not passed on.
TEST_F(Registry, HostileModulesGiveErrorsNotCrashes)
{
    const struct {
        uint32_t number;
        HRESULT expected;
        const char* said;
    } cases[] = {
        {hostileNullClassObject, E_UNEXPECTED, "DllGetClassObject succeeded without an object"},
        {hostileNullInstance, E_UNEXPECTED, "CreateInstance succeeded without an object"},
        {hostileFailureWithPointer, CLASS_E_CLASSNOTAVAILABLE, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hex(c.number));
        registerPerUser(testClass(c.number), HOSTILE_COMPONENT_PATH);
        const Outcome outcome = create(testClass(c.number));
        EXPECT_HR(c.expected, outcome.hr);
        if (c.said != nullptr) {
            EXPECT_NE(std::string::npos, outcome.description.find(c.said)) << outcome.description;
        }
        IUnknown* factory = reinterpret_cast<IUnknown*>(1);
        const HRESULT hr = CoGetClassObject(testClass(c.number), CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                            out(&factory));
        EXPECT_EQ(nullptr, FAILED(hr) ? factory : nullptr) << "a failing module's pointer was passed on";
        if (c.number == hostileNullClassObject) {
            EXPECT_HR(E_UNEXPECTED, hr);
        }
        if (SUCCEEDED(hr)) factory->Release();
    }
}

// Class identifiers are looked up in any case, as registry keys are; two
// spellings of one class are ambiguous, and registering replaces both.
TEST_F(Registry, ClassNamesMatchInAnyCase)
{
    auto lower = [](std::string name) {
        for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
        return name;
    };
    const CLSID id = testClass(0x6A0BCDEF), bundledOnly = testClass(0x6A0BCDF0);
    BundledEntry bundled(id, TEST_COMPONENT_B_FILE_NAME);
    const fs::path lowerFile = home / ".jvelcom/classes" / lower(registryName(id));
    writeFile(lowerFile, TEST_COMPONENT_A_PATH "\n");
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(id)) << "a lower-case per-user name must hide the bundled entry";

    const fs::path bundledLower = fs::path(JVELCOM_LIBRARY_DIR) / "jvelcom-classes" / lower(registryName(bundledOnly));
    writeFile(bundledLower, TEST_COMPONENT_B_FILE_NAME "\n");
    EXPECT_EQ(COMPONENT_B_IDENTITY, createdBy(bundledOnly));
    fs::remove(bundledLower);

    registerPerUser(id, TEST_COMPONENT_A_PATH);  // the upper-case spelling beside the lower-case one
    const Outcome twice = create(id);
    EXPECT_HR(moduleNotFound, twice.hr);
    EXPECT_NE(std::string::npos, twice.description.find("differ only in case")) << twice.description;

    ASSERT_HR(S_OK, JVelComRegisterServer(id, TEST_COMPONENT_A_PATH));
    EXPECT_FALSE(fs::exists(lowerFile)) << "registering must replace every spelling";
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(id));
    fs::rename(perUserFile(id), lowerFile);
    ASSERT_HR(S_OK, JVelComUnregisterServer(id));
    EXPECT_FALSE(fs::exists(lowerFile)) << "unregistering must remove any spelling";
    EXPECT_EQ(COMPONENT_B_IDENTITY, createdBy(id));
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
    // timeout: a run that blocks ends with status 124 instead of hanging the suite.
    const int status =
        std::system(("timeout 30 '" JVELCOM_REGSVR_PATH "' " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Registry, RegsvrToolRunsTheModulesOwnRegistration)
{
    const fs::path file = perUserFile(testClass(selfRegisteringClass));
    ASSERT_EQ(0, mkfifo((home / "fifo.so").c_str(), 0600));
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
        {"'" + (home / "fifo.so").string() + "'", 3},  // must not block
        {"/dev/zero", 3},
        {"'" MODULE_WITHOUT_ENTRY_POINTS_PATH "'", 4},
    };
    for (const auto& c : failures) EXPECT_EQ(c.status, runRegsvr(c.arguments)) << "arguments: " << c.arguments;
}

}  // namespace
#endif
