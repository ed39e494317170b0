// Who may talk to the view: every request passes this one check before any
// handler runs. The page is for the developer on this machine: the peer must
// be the loopback interface, the Host must name this server (a rebound DNS
// name cannot), an Origin, when the browser sends one, must be the page's
// own, and the query must carry the token printed at start.
#pragma once

#include <string>
#include <string_view>

namespace velsim {

struct RequestFacts {
    std::string_view peer;     // the remote address, "127.0.0.1" or "::1" when local
    std::string_view host;     // the Host header ("" when absent)
    std::string_view origin;   // the Origin header ("" when absent)
    std::string_view token;    // the token query parameter ("" when absent)
};

struct GuardVerdict {
    int status = 200;          // 200 to go on; 403 refused
    const char* reason = "";   // a short plain-text reason for a refusal
};

GuardVerdict CheckRequest(const RequestFacts& facts, std::string_view expectedToken, int port);

// Compares in a time that does not depend on where the texts differ.
bool SameToken(std::string_view given, std::string_view expected);

}  // namespace velsim
