// Creation, playback, enumeration and the parameter questions of the model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator/effects/effect_model.h"

namespace velsim {
namespace {

std::vector<std::u16string> Names(const EffectModel& model, Selection selection)
{
    std::vector<std::u16string> names;
    for (int32_t i = 0; i < model.Count(selection); ++i) {
        std::u16string name;
        EXPECT_TRUE(model.NameAt(selection, i, name).ok());
        names.push_back(name);
    }
    return names;
}

std::vector<std::u16string> Members(const EffectModel& model, const std::u16string& name, Selection selection)
{
    int32_t count = -1;
    EXPECT_TRUE(model.MemberCount(name, selection, count).ok());
    std::vector<std::u16string> members;
    for (int32_t i = 0; i < count; ++i) {
        std::u16string member;
        EXPECT_TRUE(model.MemberAt(name, selection, i, member).ok());
        members.push_back(member);
    }
    return members;
}

using Strings = std::vector<std::u16string>;

TEST(Creation, NamesAreExactCaseSensitiveUtf16AndKeptInCreationOrder)
{
    EffectModel model;
    const std::u16string pile = u"pile \U0001F4A9 \u00E9t\u00E9";  // a supplementary character and accents
    ASSERT_TRUE(model.Create(u"push", EffectKind::Constant, 0).ok());
    ASSERT_TRUE(model.Create(u"Push", EffectKind::Ramp, 0).ok());
    ASSERT_TRUE(model.Create(pile, EffectKind::Spring, 1).ok());
    EXPECT_EQ(Names(model, Selection::All), (Strings{u"push", u"Push", pile}));
    std::u16string type;
    ASSERT_TRUE(model.TypeName(u"Push", type).ok());
    EXPECT_EQ(type, u"Ramp");
    ASSERT_TRUE(model.TypeName(pile, type).ok());
    EXPECT_EQ(type, u"Spring");
}

TEST(Creation, RefusesTakenEmptyAndBadCreationValues)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"a", EffectKind::Constant, 0).ok());
    const Status taken = model.Create(u"a", EffectKind::Spring, 0);
    EXPECT_EQ(taken.fault, Fault::DuplicateName);
    EXPECT_EQ(taken.message, u"An effect named 'a' already exists");
    EXPECT_EQ(model.Create(u"", EffectKind::Constant, 0).fault, Fault::InvalidValue);
    const Status axis = model.Create(u"s", EffectKind::Spring, 3);
    EXPECT_EQ(axis.fault, Fault::InvalidValue);
    EXPECT_EQ(axis.message, u"Axis must be 0 (both), 1 (X) or 2 (Y), not 3");
    EXPECT_EQ(model.Create(u"p", EffectKind::Periodic, 5).fault, Fault::InvalidValue);
    EXPECT_EQ(model.Create(u"g", EffectKind::Grid, -1).fault, Fault::InvalidValue);
    EXPECT_EQ(model.Count(Selection::All), 1);
}

TEST(Enumeration, IndexOutOfRangeAndBadSelectorsFail)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"a", EffectKind::Constant, 0).ok());
    std::u16string name;
    EXPECT_EQ(model.NameAt(Selection::All, 1, name).fault, Fault::InvalidValue);
    EXPECT_EQ(model.NameAt(Selection::All, -1, name).fault, Fault::InvalidValue);
    EXPECT_EQ(model.NameAt(Selection::Playing, 0, name).fault, Fault::InvalidValue);
    Selection selection = Selection::All;
    EXPECT_TRUE(SelectionFrom(1, selection).ok());
    EXPECT_EQ(selection, Selection::Playing);
    EXPECT_EQ(SelectionFrom(2, selection).fault, Fault::InvalidValue);
    EXPECT_EQ(SelectionFrom(-1, selection).fault, Fault::InvalidValue);
}

class Playback : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char16_t* name : {u"a", u"b", u"c"}) ASSERT_TRUE(model.Create(name, EffectKind::Constant, 0).ok());
        ASSERT_TRUE(model.CreateCompound(u"ab", {u"b", u"a"}).ok());
    }
    EffectModel model;
};

TEST_F(Playback, StartAndStopChangeWhatCountsAsPlaying)
{
    ASSERT_TRUE(model.Start(u"c", 1).ok());
    EXPECT_TRUE(model.Exists(u"c", Selection::Playing));
    EXPECT_FALSE(model.Exists(u"a", Selection::Playing));
    EXPECT_TRUE(model.Exists(u"a", Selection::All));
    EXPECT_FALSE(model.Exists(u"A", Selection::All));
    ASSERT_TRUE(model.Start(u"ab", kUntilStopped).ok());
    EXPECT_EQ(Names(model, Selection::Playing), (Strings{u"a", u"b", u"c", u"ab"}));
    ASSERT_TRUE(model.Stop(u"a").ok());
    EXPECT_EQ(Names(model, Selection::Playing), (Strings{u"b", u"c", u"ab"}));
    EXPECT_EQ(Members(model, u"ab", Selection::Playing), (Strings{u"b"}));
    ASSERT_TRUE(model.Stop(u"ab").ok());
    EXPECT_EQ(Names(model, Selection::Playing), (Strings{u"c"}));
    ASSERT_TRUE(model.Stop(u"ab").ok());  // stopping a stopped effect is fine
    model.StopAll();
    EXPECT_EQ(model.Count(Selection::Playing), 0);
    EXPECT_EQ(model.Count(Selection::All), 4);
}

TEST_F(Playback, IterationsMustBePositiveOrUntilStopped)
{
    for (int32_t bad : {0, -2}) {
        const Status status = model.Start(u"a", bad);
        EXPECT_EQ(status.fault, Fault::InvalidValue) << bad;
        EXPECT_FALSE(model.Exists(u"a", Selection::Playing));
    }
    EXPECT_EQ(model.Start(u"nope", 1).fault, Fault::UnknownEffect);
    EXPECT_EQ(model.Stop(u"nope").fault, Fault::UnknownEffect);
}

TEST_F(Playback, StartWithSetsDelayAndGainOfTheEffectOrEveryMember)
{
    ASSERT_TRUE(model.StartWith(u"ab", 2, 300, 4000).ok());
    for (const char16_t* member : {u"a", u"b"}) {
        int32_t delay = -1, gain = -1;
        ASSERT_TRUE(model.Read(member, QueryId::StartDelay, delay).ok());
        ASSERT_TRUE(model.Read(member, QueryId::Gain, gain).ok());
        EXPECT_EQ(delay, 300);
        EXPECT_EQ(gain, 4000);
        EXPECT_TRUE(model.Exists(member, Selection::Playing));
    }
    int32_t untouched = -1;
    ASSERT_TRUE(model.Read(u"c", QueryId::Gain, untouched).ok());
    EXPECT_EQ(untouched, 10000);
}

TEST_F(Playback, StartWithRefusesBadValuesBeforeChangingAnything)
{
    EXPECT_EQ(model.StartWith(u"ab", 1, 0, 10001).fault, Fault::InvalidValue);
    EXPECT_EQ(model.StartWith(u"ab", 1, -1, 0).fault, Fault::InvalidValue);
    int32_t gain = -1;
    ASSERT_TRUE(model.Read(u"a", QueryId::Gain, gain).ok());
    EXPECT_EQ(gain, 10000);
    EXPECT_EQ(model.Count(Selection::Playing), 0);
}

TEST(Compounds, MembersAreListedInOrderAndMustBeSimpleDistinctAndExisting)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"a", EffectKind::Constant, 0).ok());
    ASSERT_TRUE(model.Create(u"b", EffectKind::Spring, 0).ok());
    ASSERT_TRUE(model.CreateCompound(u"ba", {u"b", u"a"}).ok());
    EXPECT_EQ(Members(model, u"ba", Selection::All), (Strings{u"b", u"a"}));
    EXPECT_EQ(Members(model, u"a", Selection::All), Strings{});
    std::u16string type, member;
    ASSERT_TRUE(model.TypeName(u"ba", type).ok());
    EXPECT_EQ(type, u"Compound");
    EXPECT_EQ(model.MemberAt(u"ba", Selection::All, 2, member).fault, Fault::InvalidValue);
    EXPECT_EQ(model.CreateCompound(u"x", {u"ba"}).fault, Fault::InvalidValue);
    EXPECT_EQ(model.CreateCompound(u"x", {u"a", u"a"}).fault, Fault::InvalidValue);
    EXPECT_EQ(model.CreateCompound(u"x", {u"a", u"zz"}).fault, Fault::UnknownEffect);
    EXPECT_EQ(model.CreateCompound(u"x", {}).fault, Fault::InvalidValue);
    EXPECT_EQ(model.CreateCompound(u"a", {u"b"}).fault, Fault::DuplicateName);
    EXPECT_EQ(model.Change(u"ba", ChangeId::Gain, {1}).fault, Fault::NotSupported);
    EXPECT_EQ(model.Create(u"y", EffectKind::Compound, 0).fault, Fault::InvalidValue);
}

TEST(InsideEffects, AShapeListsItsInsideEffectAsItsMember)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"box", EffectKind::Enclosure, 0).ok());
    ASSERT_TRUE(model.Create(u"oval", EffectKind::Ellipse, 0).ok());
    ASSERT_TRUE(model.Create(u"mud", EffectKind::Damper, 0).ok());
    ASSERT_TRUE(model.CreateCompound(u"all", {u"mud"}).ok());
    ASSERT_TRUE(model.ChangeInsideEffect(u"box", u"mud").ok());
    EXPECT_EQ(Members(model, u"box", Selection::All), (Strings{u"mud"}));
    EXPECT_EQ(Members(model, u"box", Selection::Playing), Strings{});

    EXPECT_EQ(model.ChangeInsideEffect(u"box", u"oval").fault, Fault::InvalidValue);
    EXPECT_EQ(model.ChangeInsideEffect(u"box", u"box").fault, Fault::InvalidValue);
    EXPECT_EQ(model.ChangeInsideEffect(u"box", u"all").fault, Fault::InvalidValue);
    EXPECT_EQ(model.ChangeInsideEffect(u"box", u"zz").fault, Fault::UnknownEffect);
    EXPECT_EQ(model.ChangeInsideEffect(u"mud", u"box").fault, Fault::NotSupported);
    EXPECT_EQ(Members(model, u"box", Selection::All), (Strings{u"mud"}));  // refusals change nothing

    ASSERT_TRUE(model.ChangeInsideEffect(u"box", u"").ok());
    EXPECT_EQ(Members(model, u"box", Selection::All), Strings{});
}

struct Support {
    EffectKind kind;
    std::u16string parameter;
    bool get;
    bool change;
};

std::ostream& operator<<(std::ostream& out, const Support& row)
{
    return out << KindName(row.kind) << " " << std::string(row.parameter.begin(), row.parameter.end());
}

class Supports : public testing::TestWithParam<Support> {};

TEST_P(Supports, AnswerByKindAndName)
{
    const Support& row = GetParam();
    EffectModel model;
    ASSERT_TRUE(model.Create(u"x", EffectKind::Constant, 0).ok());
    ASSERT_TRUE(model.CreateCompound(u"c", {u"x"}).ok());
    const std::u16string name = row.kind == EffectKind::Compound ? u"c" : u"e";
    if (row.kind != EffectKind::Compound) {
        ASSERT_TRUE(model.Create(u"e", row.kind, 0).ok());
    }
    bool get = !row.get, change = !row.change;
    ASSERT_TRUE(model.SupportsGet(name, row.parameter, get).ok());
    ASSERT_TRUE(model.SupportsChange(name, row.parameter, change).ok());
    EXPECT_EQ(get, row.get);
    EXPECT_EQ(change, row.change);
}

INSTANTIATE_TEST_SUITE_P(
    ParameterNames, Supports,
    testing::Values(Support{EffectKind::Spring, u"Center", true, true},
                    Support{EffectKind::Spring, u"CenterX", true, false},
                    Support{EffectKind::Constant, u"Center", false, false},
                    Support{EffectKind::Spring, u"Coefficient", false, true},
                    Support{EffectKind::Spring, u"CoefficientX", true, true},
                    Support{EffectKind::Spring, u"CoefficientNegativeY", true, false},
                    Support{EffectKind::Spring, u"Axis", true, false},
                    Support{EffectKind::Constant, u"Axis", false, false},
                    Support{EffectKind::Periodic, u"Waveform", true, false},
                    Support{EffectKind::Constant, u"DirectionPolar", true, true},
                    Support{EffectKind::Damper, u"DirectionPolar", false, false},
                    Support{EffectKind::Enclosure, u"InsideEffect", false, true},
                    Support{EffectKind::Grid, u"Strength", false, true},
                    Support{EffectKind::Ellipse, u"Viscosity", false, true},
                    Support{EffectKind::Texture, u"Magnitude", false, false},
                    Support{EffectKind::Ramp, u"Magnitude2", true, false},
                    Support{EffectKind::Compound, u"Gain", false, false}));

TEST(Supports, UnknownParameterAndEffectNamesFail)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"e", EffectKind::Spring, 0).ok());
    bool answer = true;
    const Status unknown = model.SupportsGet(u"e", u"centerx", answer);
    EXPECT_EQ(unknown.fault, Fault::InvalidValue);
    EXPECT_EQ(unknown.message, u"No parameter named 'centerx'");
    EXPECT_EQ(model.SupportsChange(u"e", u"Bogus", answer).fault, Fault::InvalidValue);
    EXPECT_EQ(model.SupportsGet(u"f", u"Center", answer).fault, Fault::UnknownEffect);
}

}  // namespace
}  // namespace velsim
