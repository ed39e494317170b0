// Force resource files: a small line-based text format naming effects, their
// parameters and compounds of them. Parsing checks the form of every line;
// applying the statements to a model (resource_loader.h) checks their sense.
//
//   # a comment, to the end of the line
//   effect <name> <Kind> [<integer>]     make an effect, as Make<Kind> would
//   set <name> <Change> <integer>...     as Change<Change>, without the apply flag
//   set <name> InsideEffect <name>       as ChangeInsideEffect
//   compound <name> <member> <member>... a compound of effects made before
//
// Files are UTF-8. Words are separated by spaces or tabs; a word in double
// quotes may hold spaces and '#', with \" and \\ for a quote and a backslash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "simulator/effects/effect_kind.h"
#include "simulator/effects/parameters.h"
#include "simulator/effects/status.h"

namespace velsim {

struct ResourceStatement {
    enum class Type { Effect, Set, Compound };

    Type type = Type::Effect;
    int64_t line = 0;
    std::u16string name;
    EffectKind kind = EffectKind::Constant;  // effect
    int32_t creationValue = 0;               // effect; 0 when the line gives none
    ChangeId change = ChangeId::Center;      // set
    std::vector<int32_t> values;             // set, except InsideEffect
    std::u16string insideName;               // set InsideEffect
    std::vector<std::u16string> members;     // compound
};

// Parses the text of a resource. A failure is a BadResource whose message
// starts with the line: "line 4: Unknown effect kind 'Sprong'".
Status ParseResource(std::string_view text, std::vector<ResourceStatement>& statements);

// The largest resource file read, in bytes: plenty for hundreds of thousands of
// statements, and a bound on the memory and time a file costs.
inline constexpr size_t kMaxResourceBytes = size_t{4} << 20;

// Reads and parses a file. Messages start with the file: "Resource 'a.vel'
// line 4: ...". A file that cannot be read is an UnreadableResource: one that
// is missing or not permitted, a directory, a FIFO, device or socket (refused
// without waiting or reading), one larger than kMaxResourceBytes, and a name
// containing U+0000.
Status ReadResourceFile(const std::u16string& path, std::vector<ResourceStatement>& statements);

// "Resource 'path' " + message, the form of every message about a file.
std::u16string AboutResource(const std::u16string& path, const std::u16string& message);

}  // namespace velsim
