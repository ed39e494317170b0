// Resource text, parsed and then applied to a model that already holds
// effects, one of them playing and a shape with an inside effect. A parse
// fails with a numbered line or gives statements; applying them either adds
// exactly the effects it reports, or is refused and leaves every effect, every
// parameter value, every member and what plays exactly as it was.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "simulator/effects/effect_model.h"
#include "simulator/effects/resource_file.h"
#include "simulator/effects/resource_loader.h"

using namespace velsim;

namespace {

// Everything a caller can read back, as text-free numbers and names.
struct Snapshot {
    std::vector<std::u16string> names;
    std::vector<std::u16string> playing;
    std::vector<int64_t> values;  // every query of every effect; unsupported ones as a marker
    std::vector<std::u16string> members;

    bool operator==(const Snapshot& other) const
    {
        return names == other.names && playing == other.playing && values == other.values &&
               members == other.members;
    }
};

Snapshot Take(const EffectModel& model)
{
    Snapshot snapshot;
    for (Selection selection : {Selection::All, Selection::Playing}) {
        auto& list = selection == Selection::All ? snapshot.names : snapshot.playing;
        for (int32_t i = 0; i < model.Count(selection); ++i) {
            std::u16string name;
            FUZZ_CHECK(model.NameAt(selection, i, name).ok(), "no name at %d of %d", i, model.Count(selection));
            list.push_back(name);
        }
    }
    for (const std::u16string& name : snapshot.names) {
        for (int q = 0; q < kQueryCount; ++q) {
            int32_t value = 0;
            snapshot.values.push_back(model.Read(name, static_cast<QueryId>(q), value).ok() ? value : INT64_MIN);
        }
        int32_t count = 0;
        FUZZ_CHECK(model.MemberCount(name, Selection::All, count).ok(), "no member count");
        for (int32_t i = 0; i < count; ++i) {
            std::u16string member;
            FUZZ_CHECK(model.MemberAt(name, Selection::All, i, member).ok(), "no member %d of %d", i, count);
            snapshot.members.push_back(member);
        }
        snapshot.members.push_back(u"|");
    }
    return snapshot;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ResourceStatement> statements;
    const Status parsed = ParseResource(text, statements);
    if (!parsed.ok()) {
        FUZZ_CHECK(parsed.fault == Fault::BadResource && parsed.message.rfind(u"line ", 0) == 0,
                   "a parse failure that is not a numbered BadResource");
        return 0;
    }

    EffectModel model;
    FUZZ_CHECK(model.Create(u"a", EffectKind::Constant, 0).ok() && model.Create(u"s", EffectKind::Spring, 1).ok() &&
                   model.Create(u"box", EffectKind::Enclosure, 0).ok() &&
                   model.ChangeInsideEffect(u"box", u"a").ok() && model.CreateCompound(u"c", {u"s", u"a"}).ok() &&
                   model.Start(u"s", 1).ok(),
               "the starting model");
    const Snapshot before = Take(model);
    int32_t loaded = -1;
    const Status applied = ApplyResource(u"f.vel", statements, model, loaded);
    if (applied.ok()) {
        FUZZ_CHECK(loaded >= 0 && model.Count(Selection::All) == static_cast<int32_t>(before.names.size()) + loaded,
                   "loaded %d, but the model went from %zu to %d effects", loaded, before.names.size(),
                   model.Count(Selection::All));
        FUZZ_CHECK(Take(model).playing == before.playing, "loading a file changed what plays");
    } else {
        FUZZ_CHECK(applied.fault == Fault::BadResource && applied.message.rfind(u"Resource 'f.vel' line ", 0) == 0,
                   "a refusal that is not a BadResource naming the file and line");
        FUZZ_CHECK(loaded == -1, "a refused file reported %d effects", loaded);
        FUZZ_CHECK(Take(model) == before, "a refused file left a trace in the model");
    }
    return 0;
}
