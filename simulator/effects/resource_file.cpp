#include "simulator/effects/resource_file.h"

#include <filesystem>
#include <limits>
#include <system_error>

#include "simulator/effects/regular_file.h"
#include "simulator/effects/text.h"

namespace velsim {

namespace {

struct LineError {
    std::u16string message;
};

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r';
}

// Splits a line into words, dropping a comment.
bool SplitWords(const std::u16string& line, std::vector<std::u16string>& words, LineError& error)
{
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
        } else if (line[i] == u'#') {
            break;
        } else if (line[i] == u'"') {
            std::u16string word;
            for (++i;; ++i) {
                if (i >= line.size()) {
                    error.message = u"Unterminated quoted word";
                    return false;
                }
                if (line[i] == u'"') break;
                if (line[i] == u'\\' && i + 1 < line.size() && (line[i + 1] == u'"' || line[i + 1] == u'\\')) ++i;
                word.push_back(line[i]);
            }
            ++i;
            if (i < line.size() && !IsBlank(line[i]) && line[i] != u'#') {
                error.message = u"A quoted word must be followed by a space";
                return false;
            }
            words.push_back(std::move(word));
        } else {
            const size_t start = i;
            while (i < line.size() && !IsBlank(line[i]) && line[i] != u'#' && line[i] != u'"') ++i;
            words.push_back(line.substr(start, i - start));
        }
    }
    return true;
}

bool ParseInteger(const std::u16string& word, int32_t& value)
{
    size_t i = word.size() > 1 && (word[0] == u'-' || word[0] == u'+') ? 1 : 0;
    if (i == word.size()) return false;
    int64_t magnitude = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < u'0' || word[i] > u'9') return false;
        magnitude = magnitude * 10 + (word[i] - u'0');
        if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
    }
    const int64_t signedValue = word[0] == u'-' ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int32_t>::max()) return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}

bool ParseIntegers(const std::vector<std::u16string>& words, size_t first, std::vector<int32_t>& values,
                   LineError& error)
{
    for (size_t i = first; i < words.size(); ++i) {
        int32_t value = 0;
        if (!ParseInteger(words[i], value)) {
            error.message = u"Expected an integer, not " + Quoted(words[i]);
            return false;
        }
        values.push_back(value);
    }
    return true;
}

bool ParseEffect(const std::vector<std::u16string>& words, ResourceStatement& statement, LineError& error)
{
    if (words.size() < 3 || words.size() > 4) {
        error.message = u"Expected: effect <name> <Kind> [<integer>]";
        return false;
    }
    if (!SimpleKindFromName(words[2], statement.kind)) {
        error.message = u"Unknown effect kind " + Quoted(words[2]) +
                        u" (Constant, Ramp, Periodic, Damper, Friction, Inertia, Spring, Ellipse, Enclosure, "
                        u"Grid or Texture)";
        return false;
    }
    if (words.size() == 4) {
        if (CreationValueOf(statement.kind) == CreationValue::None) {
            error.message = Ascii(KindName(statement.kind)) + u" effects take no integer";
            return false;
        }
        std::vector<int32_t> values;
        if (!ParseIntegers(words, 3, values, error)) return false;
        statement.creationValue = values[0];
    }
    return true;
}

bool ParseSet(const std::vector<std::u16string>& words, ResourceStatement& statement, LineError& error)
{
    if (words.size() < 3) {
        error.message = u"Expected: set <name> <Parameter> <value>...";
        return false;
    }
    const ChangeInfo* change = FindChange(words[2]);
    if (change == nullptr) {
        error.message = u"Unknown parameter " + Quoted(words[2]);
        return false;
    }
    statement.change = change->id;
    const size_t given = words.size() - 3;
    if (change->id == ChangeId::InsideEffect) {
        if (given != 1) {
            error.message = u"InsideEffect takes one effect name";
            return false;
        }
        statement.insideName = words[3];
        return true;
    }
    if (given != static_cast<size_t>(change->valueCount)) {
        error.message = Ascii(change->name) + u" takes " + Decimal(change->valueCount) + u" integers, not " +
                        Decimal(static_cast<int64_t>(given));
        return false;
    }
    return ParseIntegers(words, 3, statement.values, error);
}

bool ParseStatement(const std::vector<std::u16string>& words, ResourceStatement& statement, LineError& error)
{
    const std::u16string& keyword = words[0];
    if (words.size() >= 2) statement.name = words[1];
    if (keyword == u"effect") {
        statement.type = ResourceStatement::Type::Effect;
        return ParseEffect(words, statement, error);
    }
    if (keyword == u"set") {
        statement.type = ResourceStatement::Type::Set;
        return ParseSet(words, statement, error);
    }
    if (keyword == u"compound") {
        statement.type = ResourceStatement::Type::Compound;
        if (words.size() < 3) {
            error.message = u"Expected: compound <name> <member>...";
            return false;
        }
        statement.members.assign(words.begin() + 2, words.end());
        return true;
    }
    error.message = u"Unknown statement " + Quoted(keyword) + u" (effect, set or compound)";
    return false;
}

}  // namespace

Status ParseResource(std::string_view text, std::vector<ResourceStatement>& statements)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::vector<ResourceStatement> parsed;
    // 64 bits: no text has that many lines, however long.
    int64_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view bytes = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        LineError error;
        std::u16string line;
        std::vector<std::u16string> words;
        ResourceStatement statement;
        statement.line = lineNumber;
        bool good = DecodeUtf8(bytes, line);
        if (!good) error.message = u"Not valid UTF-8";
        good = good && SplitWords(line, words, error);
        if (good && words.empty()) continue;
        if (!good || !ParseStatement(words, statement, error))
            return Status::Failure(Fault::BadResource, u"line " + Decimal(lineNumber) + u": " + error.message);
        parsed.push_back(std::move(statement));
    }
    statements = std::move(parsed);
    return Status::Ok();
}

std::u16string AboutResource(const std::u16string& path, const std::u16string& message)
{
    return u"Resource " + Quoted(path) + u" " + message;
}

namespace {

// How a resource name looks in a message: as given, except that U+0000, which
// would end the text early in many places, is written \u0000.
std::u16string Shown(const std::u16string& path)
{
    std::u16string shown;
    for (char16_t c : path) {
        if (c == u'\0')
            shown += u"\\u0000";
        else
            shown.push_back(c);
    }
    return shown;
}

std::u16string WhyUnreadable(FileRead result)
{
    switch (result) {
    case FileRead::Directory: return u"cannot be read: it is a directory";
    case FileRead::Special: return u"cannot be read: it is not a regular file (a FIFO, device or socket)";
    case FileRead::TooLarge:
        return u"cannot be read: it is larger than " + Decimal(static_cast<int64_t>(kMaxResourceBytes)) + u" bytes";
    default: return u"cannot be read";
    }
}

}  // namespace

Status ReadResourceFile(const std::u16string& path, std::vector<ResourceStatement>& statements)
{
    // The system would end the name at U+0000, and read another file than the
    // one whose whole name the caller may have checked.
    if (path.find(u'\0') != std::u16string::npos)
        return Status::Failure(Fault::UnreadableResource,
                               AboutResource(Shown(path), u"cannot be read: its name contains U+0000"));
    std::string text;
    FileRead read = FileRead::CannotOpen;
    try {
        // The path converts from UTF-16 to the system's form of file names,
        // wide on Windows and UTF-8 elsewhere.
        read = ReadRegularFile(std::filesystem::path(path), kMaxResourceBytes, text);
    } catch (const std::system_error&) {
        read = FileRead::CannotOpen;  // a name with no form on this system, such as a lone surrogate
    }
    if (read != FileRead::Done)
        return Status::Failure(Fault::UnreadableResource, AboutResource(path, WhyUnreadable(read)));
    Status status = ParseResource(text, statements);
    if (!status.ok()) status.message = AboutResource(path, status.message);
    return status;
}

}  // namespace velsim
