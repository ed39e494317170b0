// The view's switch: what -Djvelweb.sim.view or JVELWEB_SIM_VIEW holds. The
// page is served on the loopback interface only, so the setting is a port,
// optionally written with a loopback host ("127.0.0.1:8080", "localhost:0");
// any other host is refused, never silently replaced.
#pragma once

#include <string>
#include <string_view>

namespace velsim {

struct ViewSetting {
    bool valid = false;
    int port = 0;        // 0: a free port chosen by the system
    std::string error;   // why the setting was refused, for the one stderr line
};

ViewSetting ParseViewSetting(std::string_view text);

}  // namespace velsim
