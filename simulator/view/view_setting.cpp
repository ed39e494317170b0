#include "simulator/view/view_setting.h"

namespace velsim {

namespace {

bool ParsePort(std::string_view digits, int& port)
{
    if (digits.empty() || digits.size() > 5) return false;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > 65535) return false;
    port = value;
    return true;
}

ViewSetting Refused(std::string error)
{
    ViewSetting setting;
    setting.error = std::move(error);
    return setting;
}

}  // namespace

ViewSetting ParseViewSetting(std::string_view text)
{
    std::string_view portText = text;
    const size_t colon = text.rfind(':');
    if (colon != std::string_view::npos) {
        const std::string_view host = text.substr(0, colon);
        if (host != "127.0.0.1" && host != "localhost")
            return Refused("the view listens on 127.0.0.1 only; it refuses the address '" + std::string(host) +
                           "', which would let other machines reach the simulated device");
        portText = text.substr(colon + 1);
    }
    ViewSetting setting;
    if (!ParsePort(portText, setting.port))
        return Refused("the view's setting '" + std::string(text) +
                       "' is not a port from 0 to 65535 (0 picks a free one)");
    setting.valid = true;
    return setting;
}

}  // namespace velsim
