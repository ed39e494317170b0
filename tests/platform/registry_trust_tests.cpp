// What the registry and the loader refuse: files and directories another user
// could write, anything but a regular file, oversized or NUL-bearing
// registrations. Every unusable registration gives one answer, and a refused
// module is never loaded. A FIFO must not block: alarm() ends a hung run.
#ifndef _WIN32
#include "registry_fixture.h"

#include <dlfcn.h>
#include <functional>
#include <pwd.h>
#include <sys/stat.h>

namespace {

using namespace registry_test;

// Runs the body with an alarm set, so a blocking open fails the run instead
// of hanging it.
struct HangGuard {
    HangGuard() { alarm(60); }
    ~HangGuard() { alarm(0); }
};

bool loaded(const fs::path& module) { return dlopen(module.c_str(), RTLD_NOW | RTLD_NOLOAD) != nullptr; }

void expectSaid(const Outcome& outcome, const std::vector<std::string>& parts)
{
    for (const std::string& part : parts)
        EXPECT_NE(std::string::npos, outcome.description.find(part)) << outcome.description << "\nlacks " << part;
}

// Ways a registration file can exist and still be unusable.
struct Unusable {
    const char* cause;
    const char* said;
    std::function<void(const fs::path& file, const fs::path& scratch)> make;
};

const std::string goodLine = TEST_COMPONENT_A_PATH "\n";

const Unusable unusableRegistrations[] = {
    {"dangling link", "does not exist", [](auto& f, auto& s) { fs::create_symlink(s / "missing", f); }},
    {"link loop", "link loop", [](auto& f, auto&) { fs::create_symlink(f, f); }},
    {"mode 000", "mode 0000",
     [](auto& f, auto&) {
         writeFile(f, goodLine);
         fs::permissions(f, fs::perms::none);
     }},
    {"empty file", "names no module", [](auto& f, auto&) { writeFile(f, ""); }},
    {"empty first line", "names no module", [](auto& f, auto&) { writeFile(f, "\n" + goodLine); }},
    {"directory", "a directory, not a regular file", [](auto& f, auto&) { fs::create_directories(f); }},
    {"FIFO", "a FIFO, not a regular file", [](auto& f, auto&) { ASSERT_EQ(0, mkfifo(f.c_str(), 0600)); }},
    {"link to /dev/zero", "a character device", [](auto& f, auto&) { fs::create_symlink("/dev/zero", f); }},
    {"4097 bytes", "larger than 4096 bytes",
     [](auto& f, auto&) { writeFile(f, goodLine + std::string(4097 - goodLine.size(), '#')); }},
    {"NUL in the line", "NUL byte",
     [](auto& f, auto&) { writeFile(f, std::string(TEST_COMPONENT_A_PATH) + '\0' + "x\n"); }},
    {"NUL on a later line", "NUL byte", [](auto& f, auto&) { writeFile(f, goodLine + '\0'); }},
    {"relative entry", "not an absolute path", [](auto& f, auto&) { writeFile(f, "lib/component.so\n"); }},
};

// A per-user registration that exists but cannot be used hides the bundled
// one, whatever the cause, and the answer is always the same. A bundled one
// gives that answer too.
TEST_F(Registry, UnusableRegistrationsAllGiveTheSameAnswer)
{
    HangGuard guard;
    uint32_t number = 0x500;
    for (const Unusable& u : unusableRegistrations) {
        SCOPED_TRACE(u.cause);
        const CLSID perUser = testClass(number++), bundledOnly = testClass(number++);
        fs::create_directories(perUserFile(perUser).parent_path());
        u.make(perUserFile(perUser), home);
        BundledEntry bundled(perUser, TEST_COMPONENT_B_FILE_NAME);
        const Outcome outcome = create(perUser);
        EXPECT_HR(moduleNotFound, outcome.hr);
        EXPECT_EQ(0u, outcome.identity) << "the bundled registration was used";
        expectSaid(outcome, {perUserFile(perUser).string(), "cannot be used", u.said});

        const fs::path file = fs::path(JVELCOM_LIBRARY_DIR) / "jvelcom-classes" / registryName(bundledOnly);
        u.make(file, home);
        const Outcome fromBundle = create(bundledOnly);
        fs::remove_all(file);
        EXPECT_HR(moduleNotFound, fromBundle.hr);
        expectSaid(fromBundle, {file.string(), u.said});
    }
    // The bounds: 4096 bytes are a registration, links to one are followed.
    const CLSID full = testClass(number++), linked = testClass(number++);
    writeFile(perUserFile(full), goodLine + std::string(4096 - goodLine.size(), '#'));
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(full));
    writeFile(home / "elsewhere", goodLine);
    fs::create_symlink(home / "elsewhere", perUserFile(linked));
    EXPECT_EQ(COMPONENT_A_IDENTITY, createdBy(linked));
}

// The module must be a regular file that neither it nor its directory can be
// written by others; directories above that may be sticky, like /tmp.
TEST_F(Registry, ModulesMustBeTrustedRegularFiles)
{
    HangGuard guard;
    enum Kind { Fifo, DevZero, Directory, Dangling, Copy, Link };
    const struct {
        const char* cause;
        HRESULT expected;
        const char* said;
        Kind kind;
        unsigned fileMode, directoryMode, parentMode;  // of a copy, at PARENT/lib/m.so
    } cases[] = {
        {"FIFO", moduleNotFound, "a FIFO, not a regular file", Fifo, 0, 0755, 0755},
        {"link to /dev/zero", moduleNotFound, "a character device", DevZero, 0, 0755, 0755},
        {"directory", moduleNotFound, "a directory, not a regular file", Directory, 0, 0755, 0755},
        {"dangling link", moduleNotFound, "does not exist", Dangling, 0, 0755, 0755},
        {"module writable by others", E_ACCESSDENIED, "it is writable by group or others (mode 0666)", Copy, 0666,
         0755, 0755},
        {"module writable by its group", E_ACCESSDENIED, "(mode 0775)", Copy, 0775, 0755, 0755},
        {"directory writable by others", E_ACCESSDENIED, "lib is writable by group or others (mode 0777)", Copy, 0755,
         0777, 0755},
        {"own directory sticky", E_ACCESSDENIED, "lib is writable by group or others (mode 1777)", Copy, 0755, 01777,
         0755},
        {"sticky directory above", S_OK, nullptr, Copy, 0755, 0755, 01777},
        {"link to a module", S_OK, nullptr, Link, 0, 0755, 0755},
    };
    uint32_t number = 0x700;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cause);
        const CLSID id = testClass(number++);
        const fs::path parent = home / std::to_string(number), module = parent / "lib/m.so";
        fs::create_directories(module.parent_path());
        switch (c.kind) {
        case Fifo: ASSERT_EQ(0, mkfifo(module.c_str(), 0600)); break;
        case DevZero: fs::create_symlink("/dev/zero", module); break;
        case Directory: fs::create_directory(module); break;
        case Dangling: fs::create_symlink(parent / "missing.so", module); break;
        case Copy:
            fs::copy_file(TEST_COMPONENT_A_PATH, module);
            fs::permissions(module, fs::perms(c.fileMode));
            break;
        case Link: fs::create_symlink(TEST_COMPONENT_A_PATH, module); break;
        }
        fs::permissions(module.parent_path(), fs::perms(c.directoryMode));
        fs::permissions(parent, fs::perms(c.parentMode));
        registerPerUser(id, module.string());
        const Outcome outcome = create(id);
        EXPECT_HR(c.expected, outcome.hr) << outcome.description;
        if (c.said == nullptr) continue;
        const char* verdict = c.expected == E_ACCESSDENIED ? "was refused" : "cannot be loaded";
        expectSaid(outcome, {module.string(), verdict, c.said});
        if (c.kind == Copy) {
            EXPECT_FALSE(loaded(module)) << "a refused module was loaded";
        }
    }
}

// A registration, or a directory from / down to it, that group or others can
// write is refused with E_ACCESSDENIED, and hides the bundled entry. Above
// the file's own directory a sticky directory is accepted, as /tmp is.
TEST_F(Registry, RegistrationsOthersCanWriteAreRefused)
{
    const struct {
        const char* cause;
        fs::path changed;  // relative to HOME; "" is HOME itself
        unsigned mode;
        HRESULT expected;
    } cases[] = {
        {"file writable by group", ".jvelcom/classes/FILE", 0664, E_ACCESSDENIED},
        {"file writable by others", ".jvelcom/classes/FILE", 0646, E_ACCESSDENIED},
        {"registry directory writable by group", ".jvelcom/classes", 0775, E_ACCESSDENIED},
        {"registry directory sticky", ".jvelcom/classes", 01777, E_ACCESSDENIED},
        {".jvelcom writable by others", ".jvelcom", 0757, E_ACCESSDENIED},
        {".jvelcom writable by group, not sticky", ".jvelcom", 0775, E_ACCESSDENIED},
        {"HOME writable by others", "", 0777, E_ACCESSDENIED},
        {"HOME writable by group, not sticky", "", 0775, E_ACCESSDENIED},
        {"HOME sticky", "", 01777, S_OK},
        {"file read-only", ".jvelcom/classes/FILE", 0400, S_OK},
    };
    uint32_t number = 0x800;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cause);
        const CLSID id = testClass(number++);
        registerPerUser(id, TEST_COMPONENT_A_PATH);
        BundledEntry bundled(id, TEST_COMPONENT_B_FILE_NAME);
        const bool file = c.changed.string() == ".jvelcom/classes/FILE";
        const fs::path changed = file ? perUserFile(id) : c.changed.empty() ? home : home / c.changed;
        const fs::perms before = fs::status(changed).permissions();
        fs::permissions(changed, fs::perms(c.mode));
        const Outcome outcome = create(id);
        fs::permissions(changed, before);
        EXPECT_HR(c.expected, outcome.hr) << outcome.description;
        if (c.expected == S_OK) {
            EXPECT_EQ(COMPONENT_A_IDENTITY, outcome.identity);
            continue;
        }
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", c.mode);
        const std::string subject = file ? "it" : "directory " + changed.string();
        expectSaid(outcome, {perUserFile(id).string() + " was refused: " + subject +
                             " is writable by group or others (mode " + mode + ")"});
    }
    // A bundled registration is held to the same rule, and so is its
    // directory: group-writable, it is refused and its mode named.
    const CLSID id = testClass(number);
    BundledEntry bundled(id, TEST_COMPONENT_B_FILE_NAME);
    fs::permissions(bundled.file, fs::perms(0666));
    EXPECT_EQ(0u, createdBy(id, E_ACCESSDENIED));
    fs::permissions(bundled.file, fs::perms(0644));
    const fs::path classes = bundled.file.parent_path();
    const fs::perms before = fs::status(classes).permissions();
    fs::permissions(classes, fs::perms(0775));
    const Outcome outcome = create(id);
    fs::permissions(classes, before);
    EXPECT_HR(E_ACCESSDENIED, outcome.hr) << outcome.description;
    expectSaid(outcome, {"directory " + classes.string() + " is writable by group or others (mode 0775)"});
}

// Files of another user: as root, what `nobody` owns is refused, so a file
// planted in a shared HOME never runs in root's process.
TEST_F(Registry, FilesOfAnotherUserAreRefused)
{
    const passwd* nobody = getpwnam("nobody");
    if (geteuid() != 0 || nobody == nullptr)
        GTEST_SKIP() << "needs root and a user `nobody`, to give files to another user";
    const fs::path modules = home / "modules";
    fs::create_directories(modules);
    const struct {
        const char* cause;
        bool changesModule;
        std::function<fs::path(const fs::path& registration, const fs::path& module)> owned;
    } cases[] = {
        {"registration file", false, [](auto& r, auto&) { return r; }},
        {"registry directory", false, [](auto& r, auto&) { return r.parent_path(); }},
        {"HOME", false, [](auto& r, auto&) { return r.parent_path().parent_path().parent_path(); }},
        {"module file", true, [](auto&, auto& m) { return m; }},
        {"module directory", true, [](auto&, auto& m) { return m.parent_path(); }},
        {"directory above the module", true, [](auto&, auto& m) { return m.parent_path().parent_path(); }},
    };
    uint32_t number = 0x900;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cause);
        const CLSID id = testClass(number++);
        const fs::path module = modules / std::to_string(number) / "lib" / "m.so";
        fs::create_directories(module.parent_path());
        fs::copy_file(TEST_COMPONENT_A_PATH, module);
        registerPerUser(id, module.string());
        BundledEntry bundled(id, TEST_COMPONENT_B_FILE_NAME);
        const fs::path owned = c.owned(perUserFile(id), module);
        ASSERT_EQ(0, lchown(owned.c_str(), nobody->pw_uid, nobody->pw_gid));
        const Outcome outcome = create(id);
        ASSERT_EQ(0, lchown(owned.c_str(), 0, 0));
        EXPECT_HR(E_ACCESSDENIED, outcome.hr);
        EXPECT_EQ(0u, outcome.identity);
        const std::string subject = owned == module || owned == perUserFile(id) ? "it" : "directory " + owned.string();
        expectSaid(outcome, {c.changesModule ? module.string() : perUserFile(id).string(),
                             "was refused: " + subject + " is owned by uid " + std::to_string(nobody->pw_uid)});
        EXPECT_FALSE(loaded(module)) << "the module of a refused registration was loaded";
    }
}

}  // namespace
#endif
