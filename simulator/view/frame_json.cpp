#include "simulator/view/frame_json.h"

#include "simulator/effects/effect_kind.h"

namespace velsim {

namespace {

void AppendPair(std::string& out, const char* key, int64_t x, int64_t y)
{
    out += '"';
    out += key;
    out += "\":[";
    out += std::to_string(x);
    out += ',';
    out += std::to_string(y);
    out += ']';
}

}  // namespace

const char* PhaseName(EffectPhase phase)
{
    switch (phase) {
    case EffectPhase::Waiting: return "waiting";
    case EffectPhase::Playing: return "playing";
    case EffectPhase::Fading: return "fading";
    case EffectPhase::Done: return "done";
    }
    return "done";
}

void AppendJsonString(std::string& out, const std::u16string& text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7f && unit != u'"' && unit != u'\\') {
            out += static_cast<char>(unit);
        } else {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xf];
        }
    }
    out += '"';
}

std::string FrameJson(const DeviceFrame& frame)
{
    std::string out;
    out.reserve(160 + frame.effects.size() * 120);
    out += "{\"t\":";
    out += std::to_string(frame.millis);
    out += ',';
    AppendPair(out, "screen", frame.screenWidth, frame.screenHeight);
    out += ',';
    AppendPair(out, "hand", frame.handX, frame.handY);
    out += ',';
    AppendPair(out, "handle", frame.handleX, frame.handleY);
    out += ',';
    AppendPair(out, "force", frame.forceX, frame.forceY);
    out += ",\"effects\":[";
    bool first = true;
    for (const EffectFrame& effect : frame.effects) {
        if (!first) out += ',';
        first = false;
        out += "{\"name\":";
        AppendJsonString(out, effect.name);
        out += ",\"kind\":\"";
        out += KindName(effect.kind);
        out += "\",\"phase\":\"";
        out += PhaseName(effect.phase);
        out += "\",";
        AppendPair(out, "force", effect.forceX, effect.forceY);
        out += ",\"shape\":[";
        for (int i = 0; i < 6; ++i) {
            if (i > 0) out += ',';
            out += std::to_string(effect.shape[i]);
        }
        out += "]}";
    }
    out += "]}";
    return out;
}

}  // namespace velsim
