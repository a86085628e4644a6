// IPv4 address resolution for the network commands. Addresses are 32-bit
// integers in host order, the first dotted component in the top byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every IPv4 address of `name` in the order the resolver gives them; a
// dotted-decimal name stands for itself and an empty name means this host.
// False when the lookup fails.
bool lookupHost(const std::string& name, std::vector<uint32_t>& addresses);

// The first address of `name`: a dotted-decimal text taken as is, else the
// first answer of a lookup (0.0.0.0 when it holds none). False on failure.
bool resolveHost(const std::string& name, uint32_t& address);
