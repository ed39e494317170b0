// Every change operation through the vtable, read back by the query
// operations paired with it: this checks that each COM method reaches the
// parameter and slot its name promises.
#include <functional>
#include <utility>
#include <vector>

#include "com_test_support.h"

namespace velsim_test {
namespace {

using Make = std::function<HRESULT(IWebPlugin2&, BSTR, VARIANT_BOOL*)>;
using ChangeCall = std::function<HRESULT(IWebPlugin2&, BSTR, VARIANT_BOOL*)>;
using QueryMethod = HRESULT (STDMETHODCALLTYPE IWebPlugin2::*)(BSTR, LONG, LONG*);

struct VtableRoundTrip {
    const char* label;
    Make make;
    ChangeCall change;
    std::vector<std::pair<QueryMethod, LONG>> expected;
};

std::ostream& operator<<(std::ostream& out, const VtableRoundTrip& row)
{
    return out << row.label;
}

class ChangeThroughVtable : public PluginTest, public testing::WithParamInterface<VtableRoundTrip> {};

TEST_P(ChangeThroughVtable, QueriesReadBackTheValues)
{
    const VtableRoundTrip& row = GetParam();
    const Bstr name(u"e");
    VARIANT_BOOL answer = VARIANT_FALSE;
    ASSERT_EQ(row.make(*plugin, name, &answer), S_OK);
    answer = VARIANT_FALSE;
    ASSERT_EQ(row.change(*plugin, name, &answer), S_OK) << Narrow(TakeErrorInfo().description);
    EXPECT_EQ(answer, VARIANT_TRUE);
    for (size_t i = 0; i < row.expected.size(); ++i) {
        LONG value = -1;
        ASSERT_EQ((plugin->*row.expected[i].first)(name, 0, &value), S_OK) << "query " << i;
        EXPECT_EQ(value, row.expected[i].second) << "query " << i;
    }
}

const Make constant = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeConstant(e, r); };
const Make ramp = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeRamp(e, r); };
const Make ellipse = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeEllipse(e, r); };
const Make enclosure = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeEnclosure(e, r); };
const Make periodic = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakePeriodic(e, 4, r); };
const Make damper = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeDamper(e, 1, r); };
const Make friction = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeFriction(e, 2, r); };
const Make inertia = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeInertia(e, 0, r); };
const Make spring = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeSpring(e, 1, r); };
const Make grid = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeGrid(e, 2, r); };
const Make texture = [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.MakeTexture(e, 1, r); };

using P = IWebPlugin2;
#define CHANGE(call) [](IWebPlugin2& p, BSTR e, VARIANT_BOOL* r) { return p.call; }

INSTANTIATE_TEST_SUITE_P(
    EveryQueriedChange, ChangeThroughVtable,
    testing::Values(
        VtableRoundTrip{"Center", spring, CHANGE(ChangeCenter(e, 0, -7, 8, r)), {{&P::GetCenterX, -7}, {&P::GetCenterY, 8}}},
        VtableRoundTrip{"ClippingMask", enclosure, CHANGE(ChangeClippingMask(e, 1, 9, r)), {{&P::GetClippingMask, 9}}},
        VtableRoundTrip{"Coefficient", damper, CHANGE(ChangeCoefficient(e, 0, 11, -12, r)),
                        {{&P::GetCoefficientPositiveX, 11}, {&P::GetCoefficientNegativeX, -12},
                         {&P::GetCoefficientPositiveY, 11}, {&P::GetCoefficientNegativeY, -12}}},
        VtableRoundTrip{"CoefficientX", friction, CHANGE(ChangeCoefficientX(e, 0, 13, 14, r)),
                        {{&P::GetCoefficientPositiveX, 13}, {&P::GetCoefficientNegativeX, 14}, {&P::GetCoefficientPositiveY, 0}}},
        VtableRoundTrip{"CoefficientY", inertia, CHANGE(ChangeCoefficientY(e, 0, 15, 16, r)),
                        {{&P::GetCoefficientPositiveY, 15}, {&P::GetCoefficientNegativeY, 16}, {&P::GetCoefficientNegativeX, 0}}},
        VtableRoundTrip{"DeadBand", spring, CHANGE(ChangeDeadBand(e, 0, 17, r)), {{&P::GetDeadBandX, 17}, {&P::GetDeadBandY, 17}}},
        VtableRoundTrip{"DeadBandX", spring, CHANGE(ChangeDeadBandX(e, 0, 18, r)), {{&P::GetDeadBandX, 18}, {&P::GetDeadBandY, 0}}},
        VtableRoundTrip{"DeadBandY", spring, CHANGE(ChangeDeadBandY(e, 0, 19, r)), {{&P::GetDeadBandY, 19}, {&P::GetDeadBandX, 0}}},
        VtableRoundTrip{"Direction", constant, CHANGE(ChangeDirection(e, 0, 20, 0, r)),
                        {{&P::GetDirectionX, 20}, {&P::GetDirectionY, 0}, {&P::GetDirectionPolar, 9000}}},
        VtableRoundTrip{"Direction down-left", periodic, CHANGE(ChangeDirection(e, 0, -3, 3, r)),
                        {{&P::GetDirectionX, -3}, {&P::GetDirectionY, 3}, {&P::GetDirectionPolar, 22500}}},
        VtableRoundTrip{"DirectionPolar left", constant, CHANGE(ChangeDirectionPolar(e, 0, 27000, r)),
                        {{&P::GetDirectionPolar, 27000}, {&P::GetDirectionX, -10000}, {&P::GetDirectionY, 0}}},
        VtableRoundTrip{"DirectionPolar", ramp, CHANGE(ChangeDirectionPolar(e, 0, 0, r)),
                        {{&P::GetDirectionPolar, 0}, {&P::GetDirectionX, 0}, {&P::GetDirectionY, -10000}}},
        VtableRoundTrip{"Duration", grid, CHANGE(ChangeDuration(e, 0, 21, r)), {{&P::GetDuration, 21}}},
        VtableRoundTrip{"Envelope", periodic, CHANGE(ChangeEnvelope(e, 0, 22, 23, 24, 25, r)),
                        {{&P::GetEnvelopeAttackLevel, 22}, {&P::GetEnvelopeAttackTime, 23},
                         {&P::GetEnvelopeFadeLevel, 24}, {&P::GetEnvelopeFadeTime, 25}}},
        VtableRoundTrip{"Gain", texture, CHANGE(ChangeGain(e, 0, 26, r)), {{&P::GetGain, 26}}},
        VtableRoundTrip{"Magnitude", constant, CHANGE(ChangeMagnitude(e, 0, 27, -28, r)),
                        {{&P::GetMagnitude, 27}, {&P::GetMagnitude2, -28}}},
        VtableRoundTrip{"MagnitudeX", texture, CHANGE(ChangeMagnitudeX(e, 0, 29, 30, r)),
                        {{&P::GetMagnitudePositiveX, 29}, {&P::GetMagnitudeNegativeX, 30}}},
        VtableRoundTrip{"MagnitudeY", texture, CHANGE(ChangeMagnitudeY(e, 0, 31, 32, r)),
                        {{&P::GetMagnitudePositiveY, 31}, {&P::GetMagnitudeNegativeY, 32}}},
        VtableRoundTrip{"Minimum", damper, CHANGE(ChangeMinimum(e, 0, 33, r)), {{&P::GetMinimumX, 33}, {&P::GetMinimumY, 33}}},
        VtableRoundTrip{"MinimumX", damper, CHANGE(ChangeMinimumX(e, 0, 34, r)), {{&P::GetMinimumX, 34}, {&P::GetMinimumY, 0}}},
        VtableRoundTrip{"MinimumY", damper, CHANGE(ChangeMinimumY(e, 0, 35, r)), {{&P::GetMinimumY, 35}, {&P::GetMinimumX, 0}}},
        VtableRoundTrip{"Offset", periodic, CHANGE(ChangeOffset(e, 0, 36, -37, r)), {{&P::GetOffset, 36}, {&P::GetOffset2, -37}}},
        VtableRoundTrip{"Period", periodic, CHANGE(ChangePeriod(e, 0, 38, r)), {{&P::GetPeriod, 38}}},
        VtableRoundTrip{"Phase", periodic, CHANGE(ChangePhase(e, 0, 39, r)), {{&P::GetPhase, 39}}},
        VtableRoundTrip{"Rectangle", ellipse, CHANGE(ChangeRectangle(e, 0, 40, 41, 42, 43, r)),
                        {{&P::GetRectangleLeft, 40}, {&P::GetRectangleTop, 41}, {&P::GetRectangleWidth, 42},
                         {&P::GetRectangleHeight, 43}}},
        VtableRoundTrip{"Saturation", enclosure, CHANGE(ChangeSaturation(e, 0, 44, 45, r)),
                        {{&P::GetSaturation, 44}, {&P::GetSaturation2, 45}}},
        VtableRoundTrip{"SaturationX", spring, CHANGE(ChangeSaturationX(e, 0, 46, 47, r)),
                        {{&P::GetSaturationPositiveX, 46}, {&P::GetSaturationNegativeX, 47}, {&P::GetSaturationPositiveY, 0}}},
        VtableRoundTrip{"SaturationY", spring, CHANGE(ChangeSaturationY(e, 0, 48, 49, r)),
                        {{&P::GetSaturationPositiveY, 48}, {&P::GetSaturationNegativeY, 49}, {&P::GetSaturationNegativeX, 0}}},
        VtableRoundTrip{"Spacing", grid, CHANGE(ChangeSpacing(e, 0, 50, 51, r)), {{&P::GetSpacingX, 50}, {&P::GetSpacingY, 51}}},
        VtableRoundTrip{"SpacingX", texture, CHANGE(ChangeSpacingX(e, 0, 52, 53, r)),
                        {{&P::GetSpacingPositiveX, 52}, {&P::GetSpacingNegativeX, 53}}},
        VtableRoundTrip{"SpacingY", texture, CHANGE(ChangeSpacingY(e, 0, 54, 55, r)),
                        {{&P::GetSpacingPositiveY, 54}, {&P::GetSpacingNegativeY, 55}}},
        VtableRoundTrip{"StartDelay", ellipse, CHANGE(ChangeStartDelay(e, 0, 56, r)), {{&P::GetStartDelay, 56}}},
        VtableRoundTrip{"Stiffness", ellipse, CHANGE(ChangeStiffness(e, 0, 57, 58, r)),
                        {{&P::GetStiffness, 57}, {&P::GetStiffness2, 58}}},
        VtableRoundTrip{"StiffnessMask", enclosure, CHANGE(ChangeStiffnessMask(e, 0, 10, r)), {{&P::GetStiffnessMask, 10}}},
        VtableRoundTrip{"Thickness", grid, CHANGE(ChangeThickness(e, 0, 59, 60, r)),
                        {{&P::GetThickness, 59}, {&P::GetThickness2, 60}}},
        VtableRoundTrip{"ThicknessX", texture, CHANGE(ChangeThicknessX(e, 0, 61, 62, r)),
                        {{&P::GetThicknessPositiveX, 61}, {&P::GetThicknessNegativeX, 62}}},
        VtableRoundTrip{"ThicknessY", texture, CHANGE(ChangeThicknessY(e, 0, 63, 64, r)),
                        {{&P::GetThicknessPositiveY, 63}, {&P::GetThicknessNegativeY, 64}}},
        // Changes with no query of their own still check and store.
        VtableRoundTrip{"Strength", grid, CHANGE(ChangeStrength(e, 0, 65, 66, r)), {{&P::GetAxis, 2}}},
        VtableRoundTrip{"Viscosity", enclosure, CHANGE(ChangeViscosity(e, 0, 67, r)), {}},
        VtableRoundTrip{"Waveform from creation", periodic, CHANGE(ChangeGain(e, 0, 0, r)), {{&P::GetWaveform, 4}}},
        VtableRoundTrip{"Axis from creation", friction, CHANGE(ChangeGain(e, 0, 0, r)), {{&P::GetAxis, 2}}}));

#undef CHANGE

TEST_F(PluginTest, InsideEffectBecomesTheShapesMember)
{
    VARIANT_BOOL answer = VARIANT_FALSE;
    ASSERT_EQ(plugin->MakeEnclosure(Bstr(u"box"), &answer), S_OK);
    ASSERT_EQ(plugin->MakeDamper(Bstr(u"mud"), 0, &answer), S_OK);
    ASSERT_EQ(plugin->ChangeInsideEffect(Bstr(u"box"), 0, Bstr(u"mud"), 0, &answer), S_OK);
    LONG members = -1;
    ASSERT_EQ(plugin->GetNumberOfEffectsInCompound(Bstr(u"box"), 0, &members), S_OK);
    EXPECT_EQ(members, 1);
    BSTR member = nullptr;
    ASSERT_EQ(plugin->GetNameOfEffectInCompound(Bstr(u"box"), 0, 0, &member), S_OK);
    EXPECT_EQ(Take(member), u"mud");
    EXPECT_EQ(plugin->ChangeInsideEffect(Bstr(u"box"), 0, Bstr(u"box"), 0, &answer), E_INVALIDARG);
}

TEST_F(PluginTest, StartEffect2SetsStartDelayAndGain)
{
    VARIANT_BOOL answer = VARIANT_FALSE;
    ASSERT_EQ(plugin->MakeRamp(Bstr(u"r"), &answer), S_OK);
    ASSERT_EQ(plugin->StartEffect2(Bstr(u"r"), 3, 250, 7500, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    LONG delay = -1, gain = -1;
    ASSERT_EQ(plugin->GetStartDelay(Bstr(u"r"), 0, &delay), S_OK);
    ASSERT_EQ(plugin->GetGain(Bstr(u"r"), 0, &gain), S_OK);
    EXPECT_EQ(delay, 250);
    EXPECT_EQ(gain, 7500);
}

TEST_F(PluginTest, SupportQuestionsAnswerThroughTheVtable)
{
    VARIANT_BOOL answer = VARIANT_FALSE;
    ASSERT_EQ(plugin->MakeSpring(Bstr(u"s"), 0, &answer), S_OK);
    ASSERT_EQ(plugin->EffectSupportsGet(Bstr(u"s"), 0, Bstr(u"CoefficientNegativeY"), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    ASSERT_EQ(plugin->EffectSupportsChange(Bstr(u"s"), 0, Bstr(u"Rectangle"), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    ASSERT_EQ(plugin->EffectSupportsChange(Bstr(u"s"), 0, Bstr(u"DeadBand"), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
}

}  // namespace
}  // namespace velsim_test
