// Thousands of effects under a long random mix of operations, resource files
// that load and files that fail half-way among them, checked against a plain
// model that recomputes every answer: enumeration by index, counts, lookups
// and members stay exactly what they were before effects were indexed.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "simulator/effects/effect_model.h"
#include "simulator/effects/resource_file.h"
#include "simulator/effects/resource_loader.h"

namespace velsim {
namespace {

// The effects as a list, every answer found by walking it.
struct Plain {
    std::vector<std::u16string> names;
    std::vector<bool> playing;
    std::vector<std::vector<size_t>> members;
    std::vector<int32_t> gains;  // of simple effects
    std::unordered_map<std::u16string, size_t> positions;

    void Add(const std::u16string& name, std::vector<size_t> of = {})
    {
        positions[name] = names.size();
        names.push_back(name);
        playing.push_back(false);
        members.push_back(std::move(of));
        gains.push_back(10000);
    }
    void SetPlaying(size_t position, bool on)
    {
        playing[position] = on;
        for (size_t member : members[position]) playing[member] = on;
    }
    std::vector<std::u16string> Selected(bool onlyPlaying, const std::vector<size_t>& among) const
    {
        std::vector<std::u16string> selected;
        for (size_t position : among)
            if (!onlyPlaying || playing[position]) selected.push_back(names[position]);
        return selected;
    }
};

std::u16string Name(const char16_t* prefix, int number)
{
    const std::string digits = std::to_string(number);
    return prefix + std::u16string(digits.begin(), digits.end());
}

void ExpectSame(const EffectModel& model, const Plain& plain)
{
    std::vector<size_t> everyone(plain.names.size());
    for (size_t i = 0; i < everyone.size(); ++i) everyone[i] = i;
    for (Selection selection : {Selection::All, Selection::Playing}) {
        const auto expected = plain.Selected(selection == Selection::Playing, everyone);
        ASSERT_EQ(model.Count(selection), static_cast<int32_t>(expected.size()));
        std::u16string name;
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_TRUE(model.NameAt(selection, static_cast<int32_t>(i), name).ok());
            ASSERT_EQ(name, expected[i]) << "index " << i;
        }
        EXPECT_FALSE(model.NameAt(selection, static_cast<int32_t>(expected.size()), name).ok());
        for (size_t position = 0; position < plain.names.size(); ++position) {
            const std::u16string& compound = plain.names[position];
            ASSERT_EQ(model.Exists(compound, selection), selection == Selection::All || plain.playing[position]);
            if (plain.members[position].empty()) {
                int32_t gain = -1;
                ASSERT_TRUE(model.Read(compound, QueryId::Gain, gain).ok());
                ASSERT_EQ(gain, plain.gains[position]);
                continue;
            }
            const auto members = plain.Selected(selection == Selection::Playing, plain.members[position]);
            int32_t count = -1;
            ASSERT_TRUE(model.MemberCount(compound, selection, count).ok());
            ASSERT_EQ(count, static_cast<int32_t>(members.size()));
            for (size_t i = 0; i < members.size(); ++i) {
                ASSERT_TRUE(model.MemberAt(compound, selection, static_cast<int32_t>(i), name).ok());
                ASSERT_EQ(name, members[i]);
            }
            EXPECT_FALSE(model.MemberAt(compound, selection, count, name).ok());
        }
    }
}

TEST(Scale, ThousandsOfEffectsAnswerAsAPlainListWould)
{
    EffectModel model;
    Plain plain;
    std::mt19937 random(20261209);
    int made = 0;
    const auto any = [&] { return std::uniform_int_distribution<size_t>(0, plain.names.size() - 1)(random); };
    for (int step = 0; step < 20000; ++step) {
        const int choice = std::uniform_int_distribution<int>(0, 99)(random);
        if (plain.names.empty() || choice < 40) {
            const std::u16string name = Name(u"e", made++);
            ASSERT_TRUE(model.Create(name, EffectKind::Constant, 0).ok());
            plain.Add(name);
        } else if (choice < 48) {
            std::vector<std::u16string> names;
            std::vector<size_t> positions;
            for (int m = 0; m < 4; ++m) {
                const size_t member = any();
                if (!plain.members[member].empty()) continue;
                bool listed = false;
                for (size_t p : positions) listed = listed || p == member;
                if (listed) continue;
                names.push_back(plain.names[member]);
                positions.push_back(member);
            }
            if (names.empty()) continue;
            const std::u16string name = Name(u"c", made++);
            ASSERT_TRUE(model.CreateCompound(name, names).ok());
            plain.Add(name, positions);
        } else if (choice < 68) {
            const size_t position = any();
            ASSERT_TRUE(model.Start(plain.names[position], 1).ok());
            plain.SetPlaying(position, true);
        } else if (choice < 85) {
            const size_t position = any();
            ASSERT_TRUE(model.Stop(plain.names[position]).ok());
            plain.SetPlaying(position, false);
        } else if (choice < 86) {
            model.StopAll();
            for (size_t i = 0; i < plain.playing.size(); ++i) plain.playing[i] = false;
        } else if (choice < 90) {
            ASSERT_EQ(model.Create(plain.names[any()], EffectKind::Ramp, 0).fault, Fault::DuplicateName);
        } else {
            // A resource file of new effects and changes to old ones; every
            // other one fails on its last line and must leave no trace.
            const bool fails = choice % 2 == 0;
            std::string text;
            std::vector<std::u16string> names;
            std::vector<std::pair<size_t, int32_t>> gains;
            for (int i = 0; i < 20; ++i) {
                names.push_back(Name(u"f", made++));
                text += "effect " + std::string(names.back().begin(), names.back().end()) + " Constant\n";
                const size_t old = any();
                if (!plain.members[old].empty()) continue;
                gains.emplace_back(old, std::uniform_int_distribution<int32_t>(0, 10000)(random));
                text += "set " + std::string(plain.names[old].begin(), plain.names[old].end()) + " Gain " +
                        std::to_string(gains.back().second) + "\n";
            }
            text += fails ? "set nobody Gain 1\n" : "\n";
            std::vector<ResourceStatement> statements;
            ASSERT_TRUE(ParseResource(text, statements).ok());
            int32_t loaded = -1;
            ASSERT_EQ(ApplyResource(u"r.vel", statements, model, loaded).ok(), !fails);
            if (fails) continue;
            for (const std::u16string& name : names) plain.Add(name);
            for (const auto& [position, gain] : gains) plain.gains[position] = gain;
        }
        if (step % 1000 == 0) {
            ASSERT_NO_FATAL_FAILURE(ExpectSame(model, plain)) << "after step " << step;
        }
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(model, plain));
    EXPECT_GT(plain.names.size(), 8000u);
}

}  // namespace
}  // namespace velsim
