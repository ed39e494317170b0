#include <array>
#include <cmath>

#include "simulator/device/forces.h"

namespace velsim {

namespace {

// A quarter of a turn of sines, in hundredths of a degree, made once; every
// force after that is integer arithmetic.
const std::array<int16_t, 9001>& QuarterSines()
{
    static const std::array<int16_t, 9001> table = [] {
        std::array<int16_t, 9001> values{};
        constexpr double kPi = 3.14159265358979323846;
        for (int i = 0; i <= 9000; ++i) values[i] = static_cast<int16_t>(std::lround(10000.0 * std::sin(i * kPi / 18000.0)));
        return values;
    }();
    return table;
}

int64_t Wrapped(int64_t hundredths)
{
    const int64_t turn = hundredths % 36000;
    return turn < 0 ? turn + 36000 : turn;
}

}  // namespace

int32_t Sine(int64_t hundredths)
{
    const int64_t angle = Wrapped(hundredths);
    const auto& quarter = QuarterSines();
    if (angle <= 9000) return quarter[angle];
    if (angle <= 18000) return quarter[18000 - angle];
    if (angle <= 27000) return -quarter[angle - 18000];
    return -quarter[36000 - angle];
}

int32_t WaveAt(int32_t waveform, int64_t hundredths)
{
    const int64_t p = Wrapped(hundredths);
    switch (waveform) {
    case kSquare: return p < 18000 ? kMaxForce : -kMaxForce;
    case kTriangle:
        return static_cast<int32_t>(p < 18000 ? kMaxForce - 2 * kMaxForce * p / 18000
                                              : -kMaxForce + 2 * kMaxForce * (p - 18000) / 18000);
    case kSawtoothUp: return static_cast<int32_t>(-kMaxForce + 2 * kMaxForce * p / 36000);
    case kSawtoothDown: return static_cast<int32_t>(kMaxForce - 2 * kMaxForce * p / 36000);
    default: return Sine(p);
    }
}

int64_t CyclePosition(int64_t ms, int32_t period, int32_t phase)
{
    if (period <= 0) return Wrapped(phase);
    return Wrapped(phase + 36000 * (ms % period) / period);
}

int64_t Interpolate(int32_t start, int32_t end, int64_t ms, int32_t duration)
{
    if (duration <= 0) return start;
    return start + (int64_t{end} - start) * ms / duration;
}

Force Directed(int64_t level, int32_t bearing)
{
    // Y grows downwards: bearing 0 (up) is -Y, 18000 (down) is +Y.
    return {level * Sine(bearing) / 10000, -level * Sine(int64_t{bearing} + 9000) / 10000};
}

}  // namespace velsim
