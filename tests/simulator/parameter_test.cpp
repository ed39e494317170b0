// Defaults, creation values, and the refusals of values, kinds and names.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "simulator/effects/effect_model.h"

namespace velsim {
namespace {

using K = EffectKind;
using C = ChangeId;
using Q = QueryId;

// Each change read back by its queries is covered through the COM vtable in
// com_round_trip_test.cpp, which also checks each method's mapping.

TEST(Defaults, NewEffectsStartFromDocumentedValues)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"p", EffectKind::Periodic, 0).ok());
    const std::pair<QueryId, int32_t> expected[] = {
        {Q::Gain, 10000}, {Q::Period, 100}, {Q::DirectionX, 10000}, {Q::DirectionY, 0},
        {Q::DirectionPolar, 9000}, {Q::Duration, 0}, {Q::Magnitude, 0}, {Q::Phase, 0},
    };
    for (const auto& [query, value] : expected) {
        int32_t read = -1;
        ASSERT_TRUE(model.Read(u"p", query, read).ok());
        EXPECT_EQ(read, value) << Describe(query).name;
    }
}

TEST(CreationValue, AxisAndWaveformReadBackAsGiven)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"s", EffectKind::Spring, 2).ok());
    ASSERT_TRUE(model.Create(u"w", EffectKind::Periodic, 3).ok());
    int32_t axis = -1, waveform = -1;
    ASSERT_TRUE(model.Read(u"s", Q::Axis, axis).ok());
    ASSERT_TRUE(model.Read(u"w", Q::Waveform, waveform).ok());
    EXPECT_EQ(axis, 2);
    EXPECT_EQ(waveform, 3);
    EXPECT_EQ(model.Read(u"w", Q::Axis, axis).fault, Fault::NotSupported);
    EXPECT_EQ(model.Read(u"s", Q::Waveform, waveform).fault, Fault::NotSupported);
}

struct Refusal {
    EffectKind kind;
    ChangeId change;
    std::vector<int32_t> values;
    Fault fault;
    std::u16string message;
};

std::ostream& operator<<(std::ostream& out, const Refusal& row)
{
    return out << KindName(row.kind) << " " << Describe(row.change).name;
}

class RefusedChange : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedChange, FailsWithItsFaultAndMessageAndKeepsTheOldValues)
{
    const Refusal& row = GetParam();
    EffectModel model;
    ASSERT_TRUE(model.Create(u"e", row.kind, 0).ok());
    const Status status = model.Change(u"e", row.change, row.values);
    EXPECT_EQ(status.fault, row.fault);
    EXPECT_EQ(status.message, row.message);
    if (row.fault == Fault::InvalidValue) {
        for (int q = 0; q < kQueryCount; ++q) {
            const QueryInfo& read = Describe(static_cast<QueryId>(q));
            if (read.parameter != Describe(row.change).parameters[0]) continue;
            int32_t value = -1;
            ASSERT_TRUE(model.Read(u"e", read.id, value).ok());
            EXPECT_EQ(value, DefaultValue(read.parameter, read.slot)) << read.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ValuesKindsAndCounts, RefusedChange,
    testing::Values(
        Refusal{K::Constant, C::Gain, {10001}, Fault::InvalidValue, u"Gain must be between 0 and 10000, not 10001"},
        Refusal{K::Spring, C::Gain, {-1}, Fault::InvalidValue, u"Gain must be between 0 and 10000, not -1"},
        Refusal{K::Constant, C::Duration, {-1}, Fault::InvalidValue, u"Duration must be at least 0, not -1"},
        Refusal{K::Ramp, C::Envelope, {0, -5, 0, 0}, Fault::InvalidValue,
                u"Envelope attack time must be at least 0, not -5"},
        Refusal{K::Periodic, C::Phase, {36000}, Fault::InvalidValue, u"Phase must be between 0 and 35999, not 36000"},
        Refusal{K::Enclosure, C::ClippingMask, {16}, Fault::InvalidValue,
                u"ClippingMask must be between 0 and 15, not 16"},
        Refusal{K::Periodic, C::Period, {0}, Fault::InvalidValue, u"Period must be at least 1, not 0"},
        Refusal{K::Constant, C::Direction, {0, 0}, Fault::InvalidValue, u"Direction must not be the zero vector"},
        Refusal{K::Constant, C::DirectionPolar, {-1}, Fault::InvalidValue,
                u"DirectionPolar must be between 0 and 35999, not -1"},
        Refusal{K::Ellipse, C::Rectangle, {0, 0, -1, 5}, Fault::InvalidValue,
                u"Rectangle width must be at least 0, not -1"},
        Refusal{K::Spring, C::CoefficientX, {0, -10001}, Fault::InvalidValue,
                u"CoefficientX negative must be between -10000 and 10000, not -10001"},
        Refusal{K::Constant, C::Center, {1, 2}, Fault::NotSupported, u"Constant effect 'e' has no parameter Center"},
        Refusal{K::Spring, C::Rectangle, {0, 0, 1, 1}, Fault::NotSupported,
                u"Spring effect 'e' has no parameter Rectangle"},
        Refusal{K::Grid, C::Saturation, {1, 1}, Fault::NotSupported, u"Grid effect 'e' has no parameter Saturation"},
        Refusal{K::Texture, C::Coefficient, {1, 1}, Fault::NotSupported,
                u"Texture effect 'e' has no parameter Coefficient"},
        Refusal{K::Constant, C::Gain, {1, 2}, Fault::InvalidValue, u"Gain takes 1 values, not 2"},
        Refusal{K::Enclosure, C::InsideEffect, {}, Fault::InvalidValue, u"InsideEffect takes the name of an effect"}));

TEST(Refusals, UnknownNamesAreReportedByName)
{
    EffectModel model;
    int32_t value = 0;
    const Status change = model.Change(u"ghost", C::Gain, {1});
    const Status read = model.Read(u"ghost", Q::Gain, value);
    EXPECT_EQ(change.fault, Fault::UnknownEffect);
    EXPECT_EQ(change.message, u"No effect named 'ghost'");
    EXPECT_EQ(read.fault, Fault::UnknownEffect);
}

TEST(Refusals, QueriesOfParametersTheKindLacksFail)
{
    EffectModel model;
    ASSERT_TRUE(model.Create(u"c", K::Constant, 0).ok());
    int32_t value = 0;
    const Status status = model.Read(u"c", Q::CenterX, value);
    EXPECT_EQ(status.fault, Fault::NotSupported);
    EXPECT_EQ(status.message, u"Constant effect 'c' has no parameter CenterX");
}

}  // namespace
}  // namespace velsim
