// IPv4 name resolution through the address-info query, restricted to IPv4
// answers with one entry per address.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "net/host_lookup.h"

namespace {

// A text made only of four dotted decimal components 0..255.
bool parseDotted(const std::string& text, uint32_t& address) {
    uint32_t result = 0;
    size_t i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (i >= text.size() || text[i] != '.') return false;
            ++i;
        }
        size_t start = i;
        uint32_t value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3) value = value * 10 + (text[i++] - '0');
        if (i == start || value > 255) return false;
        result = (result << 8) | value;
    }
    if (i != text.size()) return false;
    address = result;
    return true;
}

} // namespace

bool lookupHost(const std::string& name, std::vector<uint32_t>& addresses) {
    addresses.clear();
    // The resolver stops at a NUL byte; such a name would stand for another.
    if (name.find('\0') != std::string::npos) return false;
    std::string host = name;
    if (host.empty()) {
        char own[256];
        if (gethostname(own, sizeof own) != 0) return false;
        host = own;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM; // one answer per address, not one per socket type
    addrinfo* answer = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &answer) != 0) return false;
    for (addrinfo* a = answer; a; a = a->ai_next) {
        if (a->ai_family != AF_INET || !a->ai_addr) continue;
        addresses.push_back(ntohl(reinterpret_cast<sockaddr_in*>(a->ai_addr)->sin_addr.s_addr));
    }
    freeaddrinfo(answer);
    return true;
}

bool resolveHost(const std::string& name, uint32_t& address) {
    if (parseDotted(name, address)) return true;
    std::vector<uint32_t> addresses;
    if (!lookupHost(name, addresses)) return false;
    address = addresses.empty() ? 0 : addresses.front();
    return true;
}
