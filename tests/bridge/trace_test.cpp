// Where Trace's lines go, as ConfigureTrace chooses: stderr, a file, the
// keywords in any case, and destinations that cannot be used or are refused
// (one notice line on stderr, then stderr). Every line arrives whole and
// escaped, and lines of concurrent threads never mix.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bridge/trace.h"

#ifdef _WIN32
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define close _close
#define open _open
#else
#include <unistd.h>
#endif

namespace jvelweb::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines ReadLines(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    Lines lines;
    for (std::string line; std::getline(in, line);) {
        // Windows writes a text stream's line feed as CR LF; a CR of the
        // text itself arrives escaped, so only the line's end is dropped.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Sends fd 2 to a file while it lives.
class StderrToFile {
public:
    explicit StderrToFile(const fs::path& file) : saved_(dup(2))
    {
        std::fflush(stderr);
        const int fd = open(file.string().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 2);
        close(fd);
    }
    ~StderrToFile()
    {
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
    }

private:
    int saved_;
};

const std::string kLong(600, 'x');  // beyond the writer's 512-byte buffer
// What each row traces, and what must arrive: a null text as "(null)",
// control characters escaped (a line feed, a tab, a C1 NEL, U+0000 as C0 80).
const Lines kSent = {"first", "(null)", "forged\nJVelWeb COM Exception:\t\xC2\x85\xC0\x80!", kLong};
const Lines kArrived = {"first", "(null)", "forged\\nJVelWeb COM Exception:\\u0009\\u0085\\u0000!", kLong};

void TraceAll()
{
    for (const std::string& line : kSent) Trace(nullptr, line == "(null)" ? nullptr : line.c_str());
}

struct Destination {
    const char* name;
    std::function<std::string(const fs::path& dir)> make;  // the destination, with whatever it needs made
    enum { Stderr, File, Nowhere } arrives;
    const char* refusal;  // in the notice line when refused, else null
};

Lines Plus(Lines head, const Lines& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(TraceDestinations, LinesGoWhereChosenWholeAndEscapedOrToStderrWithOneLineSayingWhy)
{
    const TraceSink before = SetTraceSink(nullptr);
    const fs::path dir = fs::temp_directory_path() /
                         ("jvelweb-trace-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::remove_all(dir);
    fs::create_directory(dir);
    fs::permissions(dir, fs::perms::owner_all);
    const auto file = [](const char* name) { return [name](const fs::path& d) { return (d / name).string(); }; };
    const std::vector<Destination> rows = {
        {"stderr", [](auto&) { return "stderr"; }, Destination::Stderr, nullptr},
        {"STDERR, no file of that name", [](auto&) { return "STDERR"; }, Destination::Stderr, nullptr},
        {"Off", [](auto&) { return "Off"; }, Destination::Nowhere, nullptr},
        {"a new file", file("new.log"), Destination::File, nullptr},
        {"a file in a missing directory", [](auto& d) { return (d / "missing" / "t.log").string(); },
         Destination::Stderr, "No such file or directory"},
#ifndef _WIN32
        {"/dev/null", [](auto&) { return "/dev/null"; }, Destination::Nowhere, nullptr},
        {"/dev/stderr, a link in a trusted directory", [](auto&) { return "/dev/stderr"; }, Destination::Stderr,
         nullptr},
        {"a FIFO with no reader", [](auto& d) { mkfifo((d / "fifo").c_str(), 0600); return (d / "fifo").string(); },
         Destination::Stderr, "a FIFO with no reader"},
        {"a directory", [](auto& d) { fs::create_directory(d / "sub"); return (d / "sub").string(); },
         Destination::Stderr, "cannot be opened"},
        {"a file others can write", [](auto& d) {
             std::ofstream(d / "shared.log").put('\n');
             fs::permissions(d / "shared.log", fs::perms(0666));
             return (d / "shared.log").string(); }, Destination::Stderr, "writable by group or others (mode 0666)"},
        {"a directory others can write", [](auto& d) {
             fs::create_directory(d / "open");
             fs::permissions(d / "open", fs::perms(0777));
             return (d / "open" / "t.log").string(); }, Destination::Stderr, "(mode 0777)"},
        {"a sticky directory of its own, as /tmp", [](auto& d) {
             fs::create_directory(d / "sticky");
             fs::permissions(d / "sticky", fs::perms(01777));
             return (d / "sticky" / "t.log").string(); }, Destination::Stderr, "(mode 1777)"},
        {"a link to a file in a directory others can write", [](auto& d) {
             fs::create_directories(d / "planted");
             fs::permissions(d / "planted", fs::perms(0777));
             std::ofstream(d / "planted" / "victim").put('\n');
             fs::create_symlink(d / "planted" / "victim", d / "link.log");
             return (d / "link.log").string(); }, Destination::Stderr, "(mode 0777)"},
#endif
    };
    for (const Destination& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string destination = row.make(dir);
        const fs::path captured = dir / "stderr.txt";
        {
#ifndef _WIN32
            alarm(30);  // a blocking open ends the run instead of hanging it
#endif
            StderrToFile redirect(captured);
            ConfigureTrace(destination.c_str());
            TraceAll();
#ifndef _WIN32
            alarm(0);
#endif
        }
        Lines onStderr = ReadLines(captured);
        if (row.refusal != nullptr) {
            const std::string notice = onStderr.empty() ? "(no notice)" : onStderr.front();
            EXPECT_EQ(notice.rfind("JVelWeb: cannot open the trace file " + destination + " (", 0), 0u) << notice;
            EXPECT_NE(notice.find(row.refusal), std::string::npos) << notice;
            EXPECT_NE(notice.find("; tracing to stderr"), std::string::npos) << notice;
            if (!onStderr.empty()) onStderr.erase(onStderr.begin());
        }
        EXPECT_EQ(onStderr, row.arrives == Destination::Stderr ? kArrived : Lines());
        if (row.arrives == Destination::File) {
            EXPECT_EQ(ReadLines(destination), kArrived);
#ifndef _WIN32
            struct stat status;
            ASSERT_EQ(stat(destination.c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, 0600u) << "a trace file others can read";
#endif
            ConfigureTrace(destination.c_str());  // a second configuration appends
            Trace(nullptr, "again");
            EXPECT_EQ(ReadLines(destination), Plus(kArrived, {"again"}));
        }
    }
    EXPECT_FALSE(fs::exists("STDERR") || fs::exists("Off")) << "a keyword made a file";
#ifndef _WIN32
    EXPECT_EQ(ReadLines(dir / "planted" / "victim"), Lines{""}) << "the planted link's target was written";
#endif

    // Eight threads at once, lines of up to 1400 bytes: each arrives whole.
    const std::string shared = (dir / "threads.log").string();
    ConfigureTrace(shared.c_str());
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 2000; ++i)
                Trace(nullptr, (std::to_string(t) + std::string(i % 200 * 7, char('a' + t))).c_str());
        });
    for (auto& thread : threads) thread.join();
    const Lines lines = ReadLines(shared);
    EXPECT_EQ(lines.size(), 8u * 2000u);
    for (const std::string& line : lines) {
        ASSERT_FALSE(line.empty());
        const char letter = char('a' + (line[0] - '0'));
        EXPECT_EQ(line.find_first_not_of(letter, 1), std::string::npos) << "a mixed line: " << line.substr(0, 80);
    }
    SetTraceSink(before);
    // The library keeps every trace file it opened open, which Windows will
    // not remove: there the directory stays.
    std::error_code kept;
    fs::remove_all(dir, kept);
}

}  // namespace
}  // namespace jvelweb::testing
