// The device in time: effects that end by themselves, the sum of forces, the
// apply flag, compounds, hands, holding walls and the recorder, under the
// manual clock so that every value is exact.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "simulator/device/virtual_device.h"

namespace velsim {
namespace {

class DeviceTest : public testing::Test {
protected:
    // The device catches up to the moment of the switch, as the COM object
    // does: time passed since the device was made must not count afterwards.
    void SetUp() override
    {
        device.clock().UseManual();
        device.CatchUp();
    }

    void Make(const std::u16string& name, EffectKind kind, int32_t value = 0)
    {
        ASSERT_TRUE(effects.Create(name, kind, value).ok());
    }
    void Set(const std::u16string& name, ChangeId change, std::vector<int32_t> values, bool apply = false)
    {
        ASSERT_TRUE(effects.Change(name, change, values, apply).ok()) << static_cast<int>(change);
        device.EffectsChanged();
    }
    void Start(const std::u16string& name, int32_t iterations = 1)
    {
        ASSERT_TRUE(effects.Start(name, iterations, device.Now()).ok());
        device.EffectsChanged();
    }
    void Advance(int64_t millis)
    {
        device.clock().Advance(millis);
        device.CatchUp();
    }
    bool Playing(const std::u16string& name) const { return effects.Exists(name, Selection::Playing); }
    // A constant force pushing right (or left, when negative) for a duration.
    void Push(const std::u16string& name, int32_t level, int32_t duration = 0)
    {
        Make(name, EffectKind::Constant);
        Set(name, ChangeId::Magnitude, {level, level});
        Set(name, ChangeId::Duration, {duration});
    }

    EffectModel effects;
    VirtualDevice device{effects};
};

TEST_F(DeviceTest, FiniteEffectsStopByThemselvesAndEnumerationFollows)
{
    Push(u"once", 1000, 500);
    Push(u"thrice", 1000, 100);
    Set(u"thrice", ChangeId::StartDelay, {50});
    Push(u"forever", 1000, 100);
    Start(u"once");
    Start(u"thrice", 3);
    Start(u"forever", -1);
    const struct {
        int64_t at;
        bool once, thrice;
    } steps[] = {{49, true, true}, {349, true, true}, {350, true, false}, {499, true, false}, {500, false, false}};
    int64_t now = 0;
    for (const auto& step : steps) {
        Advance(step.at - now);
        now = step.at;
        EXPECT_EQ(Playing(u"once"), step.once) << step.at;
        EXPECT_EQ(Playing(u"thrice"), step.thrice) << step.at;
        EXPECT_TRUE(Playing(u"forever")) << step.at;
        const int32_t count = effects.Count(Selection::Playing);
        EXPECT_EQ(count, 1 + step.once + step.thrice) << step.at;
        std::u16string last;
        ASSERT_TRUE(effects.NameAt(Selection::Playing, count - 1, last).ok());
        EXPECT_EQ(last, u"forever") << "enumeration keeps creation order";
    }
    EXPECT_EQ(device.Total().x, 1000) << "only forever pushes now";
}

TEST_F(DeviceTest, TheSumIsOrderFreeAndClippedOnce)
{
    std::vector<std::u16string> order{u"a", u"b", u"c"};
    do {
        EffectModel fresh;
        VirtualDevice device2(fresh);
        for (const auto& [name, level] : {std::pair{u"a", 8000}, {u"b", 8000}, {u"c", -8000}}) {
            ASSERT_TRUE(fresh.Create(name, EffectKind::Constant, 0).ok());
            ASSERT_TRUE(fresh.Change(name, ChangeId::Magnitude, {level, level}).ok());
        }
        for (const auto& name : order) ASSERT_TRUE(fresh.Start(name, 1, 0).ok());
        device2.EffectsChanged();
        EXPECT_EQ(device2.Total().x, 8000) << "+8000 +8000 -8000, not 10000 - 8000";
        EXPECT_EQ(device2.Total().y, 0);
        EXPECT_EQ(device2.ShareOf(fresh.PositionOf(u"c")).x, -8000);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(DeviceTest, TheApplyFlagDecidesWhenAPlayingEffectFeelsAChange)
{
    Push(u"push", 1000);
    Start(u"push", -1);
    Set(u"push", ChangeId::Magnitude, {3000, 3000}, false);
    int32_t stored = 0;
    ASSERT_TRUE(effects.Read(u"push", QueryId::Magnitude, stored).ok());
    EXPECT_EQ(stored, 3000) << "queries read the latest value";
    EXPECT_EQ(device.Total().x, 1000) << "apply 0 waits for the next start";
    Set(u"push", ChangeId::Gain, {5000}, true);
    EXPECT_EQ(device.Total().x, 500) << "applied at once; the magnitude still waits";
    Start(u"push", -1);
    EXPECT_EQ(device.Total().x, 1500) << "a new start takes every latest value";
}

TEST_F(DeviceTest, CompoundMembersFollowItsStartAndItEndsWithThem)
{
    Push(u"short", 1000, 100);
    Push(u"long", 2000, 200);
    ASSERT_TRUE(effects.CreateCompound(u"both", {u"short", u"long"}).ok());
    Advance(1000);
    Start(u"both");
    EXPECT_EQ(device.Total().x, 3000);
    Advance(150);
    EXPECT_TRUE(Playing(u"both"));
    EXPECT_FALSE(Playing(u"short"));
    Advance(50);
    EXPECT_FALSE(Playing(u"both"));
    EXPECT_EQ(effects.Count(Selection::Playing), 0);
}

TEST_F(DeviceTest, ASpringPullsTheHandBackAndForceAtChangesNothing)
{
    Make(u"spring", EffectKind::Spring);
    Set(u"spring", ChangeId::Center, {500, 400});
    Set(u"spring", ChangeId::Coefficient, {10000, 10000});
    device.MoveHand({500, 400});
    Start(u"spring", -1);
    EXPECT_EQ(device.Total().x, 0);
    device.MoveHand({550, 390});
    EXPECT_EQ(device.Total().x, -5000);
    EXPECT_EQ(device.Total().y, 1000);
    EXPECT_EQ(device.ForceAt({480, 400}).x, 2000);
    EXPECT_EQ(device.Total().x, -5000);
    EXPECT_EQ(device.HandlePlacement().screen.x, 550);
}

TEST_F(DeviceTest, APathIsInterpolatedAndHeldAtItsEnd)
{
    Advance(40);
    device.FollowPath({{0, 100, 100}, {100, 200, 300}, {100, 900, 900}, {200, 1000, 900}});
    const struct {
        int64_t at;
        int32_t x, y;
    } steps[] = {{0, 100, 100}, {50, 150, 200}, {99, 199, 298}, {100, 900, 900}, {150, 950, 900}, {5000, 1000, 900}};
    int64_t now = 0;
    for (const auto& step : steps) {
        Advance(step.at - now);
        now = step.at;
        EXPECT_EQ(device.HandPlacement().screen.x, step.x) << step.at;
        EXPECT_EQ(device.HandPlacement().screen.y, step.y) << step.at;
        EXPECT_EQ(device.HandlePlacement().screen.x, step.x) << "nothing holds the handle";
    }
}

TEST_F(DeviceTest, AHoldingWallStopsAJumpAndADamperStaysBoundedAfterIt)
{
    Make(u"box", EffectKind::Enclosure);
    Set(u"box", ChangeId::Rectangle, {100, 100, 200, 200});
    Set(u"box", ChangeId::ClippingMask, {15});
    Set(u"box", ChangeId::StiffnessMask, {15});
    Set(u"box", ChangeId::Stiffness, {4000, 4000});
    Make(u"damper", EffectKind::Damper);
    Set(u"damper", ChangeId::Coefficient, {10000, 10000});
    device.MoveHand({110, 200});
    Advance(200);  // the handle comes to rest there
    Start(u"box", -1);
    Start(u"damper", -1);
    device.MoveHand({60, 200});  // 50 px left, through the left wall
    EXPECT_EQ(device.HandlePlacement().screen.x, 100);
    EXPECT_EQ(device.ShareOf(effects.PositionOf(u"box")).x, 1600) << "4000 * 40 px / 100, pushing back in";
    device.MoveHand({700, 200});  // 600 px right in one step
    Advance(1);
    EXPECT_EQ(device.HandlePlacement().screen.x, 300);
    const int64_t damper = device.ShareOf(effects.PositionOf(u"damper")).x;
    EXPECT_LT(damper, 0);
    EXPECT_GE(damper, -10000LL * kMaxSpeed / kDamperScale / kSmoothingSteps);
}

TEST_F(DeviceTest, TheRecorderWritesARowPerStepWithEachPlayingEffect)
{
    const auto path = std::filesystem::temp_directory_path() / ("velsim-record-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".csv");
    std::filesystem::remove(path);
    Push(u"a,\"b\"", 1000, 2);
    Push(u"z", -300);
    device.MoveHand({10, 20});
    Start(u"z", -1);
    Start(u"a,\"b\"");
    int error = 0;
    ASSERT_EQ(device.StartRecording(path, error), FileCreate::Done) << error;
    Advance(3);
    EXPECT_TRUE(device.StopRecording());
    std::stringstream text;
    {
        std::ifstream file(path, std::ios::binary);  // closed before the file is removed
        text << file.rdbuf();
    }
    EXPECT_EQ(text.str(),
              "t_ms,hand_x,hand_y,handle_x,handle_y,force_x,force_y,effects\n"
              "1,10,20,10,20,700,0,\"a,\"\"b\"\"\",1000,0,z,-300,0\n"
              "2,10,20,10,20,-300,0,z,-300,0\n"
              "3,10,20,10,20,-300,0,z,-300,0\n");
    std::filesystem::remove(path);

    // A link as the last component is refused, and nothing is written through it.
    const auto link = path.string() + ".link";
    std::error_code failed;
    std::filesystem::create_symlink(path, link, failed);
    if (!failed) {
        EXPECT_EQ(device.StartRecording(link, error), FileCreate::Link);
        EXPECT_FALSE(std::filesystem::exists(path));
        std::filesystem::remove(link);
    }
    EXPECT_EQ(device.StartRecording(std::filesystem::temp_directory_path(), error), FileCreate::Directory);
    EXPECT_FALSE(device.Recording());
}

}  // namespace
}  // namespace velsim
