// Every change operation against the queries that read it back, and the
// refusals of values, kinds and names.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "simulator/effect_model.h"

namespace velsim {
namespace {

struct RoundTrip {
    EffectKind kind;
    ChangeId change;
    std::vector<int32_t> values;
    std::vector<std::pair<QueryId, int32_t>> expected;
};

std::ostream& operator<<(std::ostream& out, const RoundTrip& row)
{
    return out << KindName(row.kind) << " " << Describe(row.change).name;
}

class ChangeThenQuery : public testing::TestWithParam<RoundTrip> {};

TEST_P(ChangeThenQuery, QueriesReadBackWhatTheChangeSet)
{
    const RoundTrip& row = GetParam();
    EffectModel model;
    ASSERT_TRUE(model.Create(u"e", row.kind, 0).ok());
    const Status status = model.Change(u"e", row.change, row.values);
    ASSERT_TRUE(status.ok()) << std::string(status.message.begin(), status.message.end());
    for (const auto& [query, value] : row.expected) {
        int32_t read = -1;
        ASSERT_TRUE(model.Read(u"e", query, read).ok()) << Describe(query).name;
        EXPECT_EQ(read, value) << Describe(query).name;
    }
}

using K = EffectKind;
using C = ChangeId;
using Q = QueryId;

INSTANTIATE_TEST_SUITE_P(
    EveryQueriedChange, ChangeThenQuery,
    testing::Values(
        RoundTrip{K::Spring, C::Center, {-120, 340}, {{Q::CenterX, -120}, {Q::CenterY, 340}}},
        RoundTrip{K::Grid, C::Center, {7, 8}, {{Q::CenterX, 7}, {Q::CenterY, 8}}},
        RoundTrip{K::Enclosure, C::ClippingMask, {5}, {{Q::ClippingMask, 5}}},
        RoundTrip{K::Damper, C::Coefficient, {3000, -2000},
                  {{Q::CoefficientPositiveX, 3000}, {Q::CoefficientNegativeX, -2000},
                   {Q::CoefficientPositiveY, 3000}, {Q::CoefficientNegativeY, -2000}}},
        RoundTrip{K::Friction, C::CoefficientX, {100, 200},
                  {{Q::CoefficientPositiveX, 100}, {Q::CoefficientNegativeX, 200}, {Q::CoefficientPositiveY, 0}}},
        RoundTrip{K::Inertia, C::CoefficientY, {300, 400},
                  {{Q::CoefficientPositiveY, 300}, {Q::CoefficientNegativeY, 400}, {Q::CoefficientPositiveX, 0}}},
        RoundTrip{K::Spring, C::DeadBand, {250}, {{Q::DeadBandX, 250}, {Q::DeadBandY, 250}}},
        RoundTrip{K::Spring, C::DeadBandX, {11}, {{Q::DeadBandX, 11}, {Q::DeadBandY, 0}}},
        RoundTrip{K::Spring, C::DeadBandY, {12}, {{Q::DeadBandY, 12}, {Q::DeadBandX, 0}}},
        RoundTrip{K::Constant, C::Direction, {0, -5}, {{Q::DirectionX, 0}, {Q::DirectionY, -5}, {Q::DirectionPolar, 0}}},
        RoundTrip{K::Ramp, C::Direction, {-3, 3}, {{Q::DirectionX, -3}, {Q::DirectionY, 3}, {Q::DirectionPolar, 22500}}},
        RoundTrip{K::Periodic, C::DirectionPolar, {18000},
                  {{Q::DirectionPolar, 18000}, {Q::DirectionX, 0}, {Q::DirectionY, 10000}}},
        RoundTrip{K::Constant, C::DirectionPolar, {27000},
                  {{Q::DirectionPolar, 27000}, {Q::DirectionX, -10000}, {Q::DirectionY, 0}}},
        RoundTrip{K::Texture, C::Duration, {2500}, {{Q::Duration, 2500}}},
        RoundTrip{K::Constant, C::Envelope, {1000, 200, 3000, 400},
                  {{Q::EnvelopeAttackLevel, 1000}, {Q::EnvelopeAttackTime, 200}, {Q::EnvelopeFadeLevel, 3000},
                   {Q::EnvelopeFadeTime, 400}}},
        RoundTrip{K::Ellipse, C::Gain, {0}, {{Q::Gain, 0}}},
        RoundTrip{K::Ramp, C::Magnitude, {-10000, 10000}, {{Q::Magnitude, -10000}, {Q::Magnitude2, 10000}}},
        RoundTrip{K::Texture, C::MagnitudeX, {500, 600}, {{Q::MagnitudePositiveX, 500}, {Q::MagnitudeNegativeX, 600}}},
        RoundTrip{K::Texture, C::MagnitudeY, {700, 800}, {{Q::MagnitudePositiveY, 700}, {Q::MagnitudeNegativeY, 800}}},
        RoundTrip{K::Spring, C::Minimum, {90}, {{Q::MinimumX, 90}, {Q::MinimumY, 90}}},
        RoundTrip{K::Damper, C::MinimumX, {91}, {{Q::MinimumX, 91}, {Q::MinimumY, 0}}},
        RoundTrip{K::Damper, C::MinimumY, {92}, {{Q::MinimumY, 92}, {Q::MinimumX, 0}}},
        RoundTrip{K::Periodic, C::Offset, {-50, 60}, {{Q::Offset, -50}, {Q::Offset2, 60}}},
        RoundTrip{K::Periodic, C::Period, {20}, {{Q::Period, 20}}},
        RoundTrip{K::Periodic, C::Phase, {35999}, {{Q::Phase, 35999}}},
        RoundTrip{K::Enclosure, C::Rectangle, {-10, 20, 300, 400},
                  {{Q::RectangleLeft, -10}, {Q::RectangleTop, 20}, {Q::RectangleWidth, 300}, {Q::RectangleHeight, 400}}},
        RoundTrip{K::Ellipse, C::Saturation, {10000, 1}, {{Q::Saturation, 10000}, {Q::Saturation2, 1}}},
        RoundTrip{K::Spring, C::SaturationX, {1, 2}, {{Q::SaturationPositiveX, 1}, {Q::SaturationNegativeX, 2}}},
        RoundTrip{K::Spring, C::SaturationY, {3, 4}, {{Q::SaturationPositiveY, 3}, {Q::SaturationNegativeY, 4}}},
        RoundTrip{K::Grid, C::Spacing, {40, 60}, {{Q::SpacingX, 40}, {Q::SpacingY, 60}}},
        RoundTrip{K::Texture, C::SpacingX, {5, 6}, {{Q::SpacingPositiveX, 5}, {Q::SpacingNegativeX, 6}}},
        RoundTrip{K::Texture, C::SpacingY, {7, 8}, {{Q::SpacingPositiveY, 7}, {Q::SpacingNegativeY, 8}}},
        RoundTrip{K::Spring, C::StartDelay, {150}, {{Q::StartDelay, 150}}},
        RoundTrip{K::Enclosure, C::Stiffness, {4000, 5000}, {{Q::Stiffness, 4000}, {Q::Stiffness2, 5000}}},
        RoundTrip{K::Ellipse, C::StiffnessMask, {15}, {{Q::StiffnessMask, 15}}},
        RoundTrip{K::Enclosure, C::Thickness, {3, 9}, {{Q::Thickness, 3}, {Q::Thickness2, 9}}},
        RoundTrip{K::Grid, C::Thickness, {2, 4}, {{Q::Thickness, 2}, {Q::Thickness2, 4}}},
        RoundTrip{K::Texture, C::ThicknessX, {1, 2}, {{Q::ThicknessPositiveX, 1}, {Q::ThicknessNegativeX, 2}}},
        RoundTrip{K::Texture, C::ThicknessY, {3, 4}, {{Q::ThicknessPositiveY, 3}, {Q::ThicknessNegativeY, 4}}}));

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
