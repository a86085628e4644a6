// The "KrTcpIp" module's process-wide settings and the ownership rule for
// the sockets made through it.
//
// The module starts the socket library when the program starts and shuts it
// down when the program ends; every stream and server that a command makes
// is handed to the module first, so that none outlives the socket library.
#pragma once

#include <cstdint>
#include <vector>

class KrResource;

struct TcpIpSettings {
    int tcpReadTimeout = 10000; // ms; negative waits without limit
    int tcpAcceptTimeout = 0;   // ms
    int udpRecvTimeout = 0;     // ms
    bool networkStarted = false;
    std::vector<uint32_t> hostIPs; // the last CountHostIPs answer, host order
};

TcpIpSettings& tcpIpSettings();

// Hands a new socket object to the module, which releases it when it stops.
void ownByTcpIpModule(KrResource* resource);
