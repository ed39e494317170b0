#include "simulator/view/request_guard.h"

namespace velsim {

namespace {

bool IsLoopbackPeer(std::string_view peer)
{
    return peer == "::1" || peer == "::ffff:127.0.0.1" || peer.substr(0, 4) == "127.";
}

// "127.0.0.1:PORT" or "localhost:PORT", the only names the page is reached by.
bool IsOwnAuthority(std::string_view authority, int port)
{
    const std::string suffix = ":" + std::to_string(port);
    for (std::string_view host : {std::string_view("127.0.0.1"), std::string_view("localhost")}) {
        if (authority.size() == host.size() + suffix.size() && authority.substr(0, host.size()) == host &&
            authority.substr(host.size()) == suffix)
            return true;
    }
    return false;
}

}  // namespace

bool SameToken(std::string_view given, std::string_view expected)
{
    unsigned char difference = given.size() == expected.size() ? 0 : 1;
    for (size_t i = 0; i < expected.size(); ++i)
        difference |= static_cast<unsigned char>(expected[i] ^ (i < given.size() ? given[i] : 0));
    return difference == 0 && !expected.empty();
}

GuardVerdict CheckRequest(const RequestFacts& facts, std::string_view expectedToken, int port)
{
    if (!IsLoopbackPeer(facts.peer)) return {403, "Only this machine may reach the simulated device's view"};
    if (!IsOwnAuthority(facts.host, port)) return {403, "The Host header does not name this view"};
    if (!facts.origin.empty()) {
        constexpr std::string_view scheme = "http://";
        if (facts.origin.substr(0, scheme.size()) != scheme ||
            !IsOwnAuthority(facts.origin.substr(scheme.size()), port))
            return {403, "Requests from another origin are refused"};
    }
    if (facts.token.empty()) return {403, "The view's token is missing (see the address printed at start)"};
    if (!SameToken(facts.token, expectedToken)) return {403, "The view's token is wrong"};
    return {};
}

}  // namespace velsim
