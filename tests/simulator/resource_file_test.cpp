// The resource format: what parses, every syntax error with its line, and
// applying a file to a model (all of it or nothing).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "simulator/effects/resource_file.h"
#include "simulator/effects/resource_loader.h"
#include "simulator/effects/text.h"

namespace velsim {
namespace {

std::string Narrow(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

TEST(ResourceParse, ReadsEveryStatementForm)
{
    const std::string text =
        "\xEF\xBB\xBF# comment line\r\n"
        "effect push Constant   # trailing comment\r\n"
        "\n"
        "   \t\n"
        "effect \"slow zone\" Damper -0\n"
        "effect wave Periodic +3\n"
        "set push Magnitude -10000 2147483647\n"
        "set box InsideEffect \"slow zone\"\n"
        "set box InsideEffect \"\"\n"
        "compound both push \"slow zone\" \"a \\\"q\\\" \\\\ #x\"\n"
        "effect caf\xC3\xA9\xF0\x9F\x92\xA9 Grid";
    std::vector<ResourceStatement> parsed;
    const Status status = ParseResource(text, parsed);
    ASSERT_TRUE(status.ok()) << Narrow(status.message);
    ASSERT_EQ(parsed.size(), 8u);

    EXPECT_EQ(parsed[0].type, ResourceStatement::Type::Effect);
    EXPECT_EQ(parsed[0].line, 2);
    EXPECT_EQ(parsed[0].name, u"push");
    EXPECT_EQ(parsed[0].kind, EffectKind::Constant);
    EXPECT_EQ(parsed[1].name, u"slow zone");
    EXPECT_EQ(parsed[1].kind, EffectKind::Damper);
    EXPECT_EQ(parsed[1].line, 5);
    EXPECT_EQ(parsed[2].creationValue, 3);

    EXPECT_EQ(parsed[3].type, ResourceStatement::Type::Set);
    EXPECT_EQ(parsed[3].change, ChangeId::Magnitude);
    EXPECT_EQ(parsed[3].values, (std::vector<int32_t>{-10000, 2147483647}));
    EXPECT_EQ(parsed[4].change, ChangeId::InsideEffect);
    EXPECT_EQ(parsed[4].insideName, u"slow zone");
    EXPECT_EQ(parsed[5].insideName, u"");

    EXPECT_EQ(parsed[6].type, ResourceStatement::Type::Compound);
    EXPECT_EQ(parsed[6].members, (std::vector<std::u16string>{u"push", u"slow zone", u"a \"q\" \\ #x"}));
    EXPECT_EQ(parsed[7].name, u"caf\u00E9\U0001F4A9");
    EXPECT_EQ(parsed[7].line, 11);
}

struct SyntaxError {
    std::string text;
    std::u16string message;
};

class ResourceSyntaxError : public testing::TestWithParam<SyntaxError> {};

TEST_P(ResourceSyntaxError, NamesTheLineAndTheProblem)
{
    std::vector<ResourceStatement> parsed(1);
    const Status status = ParseResource(GetParam().text, parsed);
    EXPECT_EQ(status.fault, Fault::BadResource);
    EXPECT_EQ(status.message, GetParam().message);
    EXPECT_EQ(parsed.size(), 1u) << "a failed parse leaves the output alone";
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ResourceSyntaxError,
    testing::Values(
        SyntaxError{"effect a Constant\nmake b Spring\n", u"line 2: Unknown statement 'make' (effect, set or compound)"},
        SyntaxError{"# x\n\neffect a Sprong\n",
                    u"line 3: Unknown effect kind 'Sprong' (Constant, Ramp, Periodic, Damper, Friction, Inertia, "
                    u"Spring, Ellipse, Enclosure, Grid or Texture)"},
        SyntaxError{"effect a constant\n",
                    u"line 1: Unknown effect kind 'constant' (Constant, Ramp, Periodic, Damper, Friction, Inertia, "
                    u"Spring, Ellipse, Enclosure, Grid or Texture)"},
        SyntaxError{"effect a Compound\n",
                    u"line 1: Unknown effect kind 'Compound' (Constant, Ramp, Periodic, Damper, Friction, Inertia, "
                    u"Spring, Ellipse, Enclosure, Grid or Texture)"},
        SyntaxError{"effect a\n", u"line 1: Expected: effect <name> <Kind> [<integer>]"},
        SyntaxError{"effect a Spring 1 2\n", u"line 1: Expected: effect <name> <Kind> [<integer>]"},
        SyntaxError{"effect a Constant 1\n", u"line 1: Constant effects take no integer"},
        SyntaxError{"effect a Spring x\n", u"line 1: Expected an integer, not 'x'"},
        SyntaxError{"set a Gain 2147483648\n", u"line 1: Expected an integer, not '2147483648'"},
        SyntaxError{"set a Gain -\n", u"line 1: Expected an integer, not '-'"},
        SyntaxError{"set a Gain 1.5\n", u"line 1: Expected an integer, not '1.5'"},
        SyntaxError{"set a Gain\n", u"line 1: Gain takes 1 integers, not 0"},
        SyntaxError{"set a Center 1\n", u"line 1: Center takes 2 integers, not 1"},
        SyntaxError{"set a\n", u"line 1: Expected: set <name> <Parameter> <value>..."},
        SyntaxError{"set a CenterX 1\n", u"line 1: Unknown parameter 'CenterX'"},
        SyntaxError{"set a InsideEffect b c\n", u"line 1: InsideEffect takes one effect name"},
        SyntaxError{"compound a\n", u"line 1: Expected: compound <name> <member>..."},
        SyntaxError{"effect \"a Constant\n", u"line 1: Unterminated quoted word"},
        SyntaxError{"effect \"a\"b Constant\n", u"line 1: A quoted word must be followed by a space"},
        SyntaxError{"effect a Constant\neffect \xC3\x28 Constant\n", u"line 2: Not valid UTF-8"},
        SyntaxError{"effect \xED\xA0\x80 Constant\n", u"line 1: Not valid UTF-8"},
        SyntaxError{"effect \xC0\xAF Constant\n", u"line 1: Not valid UTF-8"}));

std::vector<ResourceStatement> Parse(const std::string& text)
{
    std::vector<ResourceStatement> parsed;
    EXPECT_TRUE(ParseResource(text, parsed).ok());
    return parsed;
}

TEST(ResourceApply, CountsEffectsAndCompoundsAndSetsParameters)
{
    EffectModel model;
    int32_t loaded = -1;
    const auto parsed = Parse(
        "effect a Constant\nset a Gain 5000\neffect b Spring 1\neffect box Enclosure\n"
        "set box InsideEffect b\ncompound ab a b\n");
    ASSERT_TRUE(ApplyResource(u"r.vel", parsed, model, loaded).ok());
    EXPECT_EQ(loaded, 4);
    int32_t gain = 0, axis = -1, members = 0;
    ASSERT_TRUE(model.Read(u"a", QueryId::Gain, gain).ok());
    ASSERT_TRUE(model.Read(u"b", QueryId::Axis, axis).ok());
    ASSERT_TRUE(model.MemberCount(u"ab", Selection::All, members).ok());
    EXPECT_EQ(gain, 5000);
    EXPECT_EQ(axis, 1);
    EXPECT_EQ(members, 2);
}

struct ContentError {
    std::string text;
    std::u16string message;
};

class ResourceContentError : public testing::TestWithParam<ContentError> {};

TEST_P(ResourceContentError, NamesFileAndLineAndLeavesTheModelUnchanged)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"old", EffectKind::Constant, 0).ok());
    ASSERT_TRUE(model.Create(u"box", EffectKind::Enclosure, 0).ok());
    ASSERT_TRUE(model.ChangeInsideEffect(u"box", u"old").ok());
    ASSERT_TRUE(model.Start(u"old", 1).ok());
    int32_t loaded = 77;
    const Status status = ApplyResource(u"dir/r.vel", Parse(GetParam().text), model, loaded);
    EXPECT_EQ(status.fault, Fault::BadResource);
    EXPECT_EQ(status.message, GetParam().message);
    EXPECT_EQ(loaded, 77);

    // Everything the file made is gone, names included; what it changed is back.
    EXPECT_EQ(model.Count(Selection::All), 2);
    EXPECT_FALSE(model.Exists(u"a", Selection::All));
    std::u16string name;
    ASSERT_TRUE(model.NameAt(Selection::Playing, 0, name).ok());
    EXPECT_EQ(name, u"old");
    int32_t gain = 0, count = 0, width = -1;
    ASSERT_TRUE(model.Read(u"old", QueryId::Gain, gain).ok());
    EXPECT_EQ(gain, 10000);
    ASSERT_TRUE(model.Read(u"box", QueryId::RectangleWidth, width).ok());
    EXPECT_EQ(width, 0);
    ASSERT_TRUE(model.MemberCount(u"box", Selection::All, count).ok());
    ASSERT_EQ(count, 1);
    ASSERT_TRUE(model.MemberAt(u"box", Selection::All, 0, name).ok());
    EXPECT_EQ(name, u"old");
    // The file's names are free again.
    ASSERT_TRUE(model.Create(u"a", EffectKind::Ramp, 0).ok());
    EXPECT_EQ(model.Count(Selection::All), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, ResourceContentError,
    testing::Values(
        ContentError{"effect a Constant\nset b Gain 1\n", u"Resource 'dir/r.vel' line 2: No effect named 'b'"},
        ContentError{"set old Gain 1\neffect a Spring 7\n",
                     u"Resource 'dir/r.vel' line 2: Axis must be 0 (both), 1 (X) or 2 (Y), not 7"},
        ContentError{"effect a Constant\neffect old Ramp\n",
                     u"Resource 'dir/r.vel' line 2: An effect named 'old' already exists"},
        ContentError{"effect a Constant\n\nset a Gain 10001\n",
                     u"Resource 'dir/r.vel' line 3: Gain must be between 0 and 10000, not 10001"},
        ContentError{"effect a Constant\nset a Center 1 2\n",
                     u"Resource 'dir/r.vel' line 2: Constant effect 'a' has no parameter Center"},
        ContentError{"effect a Enclosure\nset a InsideEffect zz\n",
                     u"Resource 'dir/r.vel' line 2: No effect named 'zz'"},
        ContentError{"effect a Constant\ncompound c a\ncompound d c\n",
                     u"Resource 'dir/r.vel' line 3: Compound 'c' cannot be a member of another compound"},
        ContentError{"set old Gain 1\nset old Gain 2\nset box Rectangle 1 2 3 4\nset box InsideEffect \"\"\n"
                     "effect a Damper\nset box InsideEffect a\nset old Gain 3\ncompound c a old\nset c Gain 4\n",
                     u"Resource 'dir/r.vel' line 9: Compound effect 'c' has no parameter Gain"},
        ContentError{"effect a Constant\ncompound c a old\ncompound d old a a\n",
                     u"Resource 'dir/r.vel' line 3: 'a' is listed twice in compound 'd'"}));

namespace fs = std::filesystem;

// A directory of the test's own, removed with what it holds.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        static int made = 0;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() /
                ("velsim-resources-" + std::to_string(++made) + "-" + std::to_string(now));
        fs::create_directories(path_);
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void WriteFile(const fs::path& file, const std::string& content)
{
    std::ofstream out(file, std::ios::binary);
    out << content;
}

// Reads on a thread of its own, so that a read which blocks fails the test
// instead of hanging it.
Status ReadWithin(const std::u16string& name)
{
    auto outcome = std::make_shared<std::promise<Status>>();
    std::future<Status> result = outcome->get_future();
    std::thread([outcome, name] {
        std::vector<ResourceStatement> parsed;
        outcome->set_value(ReadResourceFile(name, parsed));
    }).detach();
    if (result.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return result.get();
#ifndef _WIN32
    // A reader waiting for a FIFO's writer: be that writer, so the program can end.
    const int writer = open(fs::path(name).c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
#endif
    return Status::Failure(Fault::None, u"still reading after 10 s");
}

// A resource name as messages show it, U+0000 written out.
std::u16string Shown(const std::u16string& name)
{
    std::u16string shown;
    for (char16_t c : name) shown += c == u'\0' ? std::u16string(u"\\u0000") : std::u16string(1, c);
    return shown;
}

struct Unreadable {
    const char* label;
    // Makes what the row opens in the scratch directory, and gives its name.
    std::function<std::u16string(const fs::path& directory)> make;
    std::u16string why;  // what follows "Resource '<name>' "
};

std::ostream& operator<<(std::ostream& out, const Unreadable& row)
{
    return out << row.label;
}

class ResourceUnreadable : public testing::TestWithParam<Unreadable> {};

TEST_P(ResourceUnreadable, IsRefusedAtOnceWithTheReason)
{
    const ScratchDirectory scratch;
    // The sample beside it, which a name cut short at U+0000 would load.
    fs::copy_file(VELWEB_SAMPLES_DIR "/demo.vel", scratch.path() / "demo.vel");
    const std::u16string name = GetParam().make(scratch.path());
    const Status status = ReadWithin(name);
    EXPECT_EQ(status.fault, Fault::UnreadableResource) << Narrow(status.message);
    EXPECT_EQ(status.message, u"Resource '" + Shown(name) + u"' " + GetParam().why) << Narrow(status.message);
}

const std::u16string kCannotBeRead = u"cannot be read";
const std::u16string kDirectory = u"cannot be read: it is a directory";
const std::u16string kSpecial = u"cannot be read: it is not a regular file (a FIFO, device or socket)";
const std::u16string kNulInName = u"cannot be read: its name contains U+0000";

std::u16string In(const fs::path& directory, const char* name)
{
    return (directory / name).u16string();
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ResourceUnreadable,
    testing::Values(
        Unreadable{"missing", [](const fs::path& d) { return In(d, "none.vel"); }, kCannotBeRead},
        Unreadable{"missing directory", [](const fs::path&) { return std::u16string(u"/nonexistent/none.vel"); },
                   kCannotBeRead},
        Unreadable{"empty name", [](const fs::path&) { return std::u16string(); }, kCannotBeRead},
        Unreadable{"lone surrogate", [](const fs::path& d) { return d.u16string() + u"/\xD800.vel"; }, kCannotBeRead},
        Unreadable{"directory", [](const fs::path& d) { return d.u16string(); }, kDirectory},
        Unreadable{"oversized",
                   [](const fs::path& d) {
                       WriteFile(d / "big.vel", std::string(kMaxResourceBytes + 1, '\n'));
                       return In(d, "big.vel");
                   },
                   u"cannot be read: it is larger than " + Decimal(static_cast<int64_t>(kMaxResourceBytes)) +
                       u" bytes"},
        Unreadable{"U+0000 then a path elsewhere",
                   [](const fs::path& d) { return In(d, "demo.vel") + u'\0' + u"/../../etc/passwd"; }, kNulInName},
        Unreadable{"U+0000 at the end", [](const fs::path& d) { return In(d, "demo.vel") + u'\0'; }, kNulInName},
        Unreadable{"U+0000 alone", [](const fs::path&) { return std::u16string(1, u'\0'); }, kNulInName}
#ifndef _WIN32
        ,
        Unreadable{"FIFO",
                   [](const fs::path& d) {
                       EXPECT_EQ(mkfifo((d / "fifo.vel").c_str(), 0600), 0);
                       return In(d, "fifo.vel");
                   },
                   kSpecial},
        Unreadable{"link to /dev/zero",
                   [](const fs::path& d) {
                       fs::create_symlink("/dev/zero", d / "zero.vel");
                       return In(d, "zero.vel");
                   },
                   kSpecial},
        Unreadable{"device", [](const fs::path&) { return std::u16string(u"/dev/null"); }, kSpecial},
        Unreadable{"socket",
                   [](const fs::path& d) {
                       const std::string path = (d / "socket.vel").string();
                       sockaddr_un address{};
                       address.sun_family = AF_UNIX;
                       path.copy(address.sun_path, sizeof address.sun_path - 1);
                       const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
                       EXPECT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
                       close(listener);  // the socket file stays
                       return In(d, "socket.vel");
                   },
                   kSpecial},
        Unreadable{"link to a directory",
                   [](const fs::path& d) {
                       fs::create_directory_symlink(d, d / "dir.vel");
                       return In(d, "dir.vel");
                   },
                   kDirectory}
#endif
        ));

TEST(ResourceFile, AFileOfTheLimitIsReadAndItsLastLineNumbered)
{
    const ScratchDirectory scratch;
    const fs::path file = scratch.path() / "limit.vel";
    WriteFile(file, std::string(kMaxResourceBytes - 5, '\n') + "bogus");
    std::vector<ResourceStatement> parsed;
    const Status status = ReadResourceFile(file.u16string(), parsed);
    EXPECT_EQ(status.fault, Fault::BadResource);
    EXPECT_EQ(status.message, u"Resource " + Quoted(file.u16string()) + u" line " +
                                  Decimal(static_cast<int64_t>(kMaxResourceBytes - 4)) +
                                  u": Unknown statement 'bogus' (effect, set or compound)");
}

TEST(ResourceFile, NonAsciiPathsAndSyntaxErrorsNameTheFile)
{
    // Written by its UTF-8 name, read by its UTF-16 one.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / std::filesystem::u8path("velsim-r\xC3\xA9source-\xF0\x9F\x92\xA9.vel");
    const std::u16string path = file.u16string();
    {
        std::ofstream out(file, std::ios::binary);
        out << "effect a Constant\nbogus\n";
    }
    std::vector<ResourceStatement> parsed;
    const Status status = ReadResourceFile(path, parsed);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    EXPECT_EQ(status.fault, Fault::BadResource);
    EXPECT_EQ(status.message, u"Resource " + Quoted(path) + u" line 2: Unknown statement 'bogus' (effect, set or compound)");
}

TEST(ResourceFile, TheDemoSampleLoadsEveryKindAndACompound)
{
    std::vector<ResourceStatement> parsed;
    const std::string path = VELWEB_SAMPLES_DIR "/demo.vel";
    const Status read = ReadResourceFile(std::u16string(path.begin(), path.end()), parsed);
    ASSERT_TRUE(read.ok()) << Narrow(read.message);
    EffectModel model;
    int32_t loaded = 0;
    const Status applied = ApplyResource(u"demo.vel", parsed, model, loaded);
    ASSERT_TRUE(applied.ok()) << Narrow(applied.message);
    EXPECT_EQ(loaded, model.Count(Selection::All));
    std::vector<bool> seen(kEffectKindCount, false);
    for (int32_t i = 0; i < model.Count(Selection::All); ++i) {
        std::u16string name, type;
        ASSERT_TRUE(model.NameAt(Selection::All, i, name).ok());
        ASSERT_TRUE(model.TypeName(name, type).ok());
        for (int k = 0; k < kEffectKindCount; ++k)
            if (type == Ascii(KindName(static_cast<EffectKind>(k)))) seen[k] = true;
    }
    for (int k = 0; k < kEffectKindCount; ++k) EXPECT_TRUE(seen[k]) << KindName(static_cast<EffectKind>(k));
}

}  // namespace
}  // namespace velsim
