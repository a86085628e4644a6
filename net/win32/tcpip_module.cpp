// The "KrTcpIp" core module: starts the socket library (version 1.1) for the
// run, resets the time-outs, and owns every socket object made through the
// network commands until it stops.
#include <winsock2.h>

#include "net/tcpip_module.h"
#include "runtime/module.h"

namespace {

TcpIpSettings settings;

class TCPIPModule : public KrModule {
public:
    TCPIPModule() { setup("KrTcpIp"); }

    bool startup() override {
        settings.tcpReadTimeout = 10000;
        settings.tcpAcceptTimeout = 0;
        settings.udpRecvTimeout = 0;
        settings.hostIPs.clear();
        WSADATA data;
        settings.networkStarted = WSAStartup(MAKEWORD(1, 1), &data) == 0;
        return settings.networkStarted;
    }

    // Runs after the module released its resources, so no socket is left.
    void shutdown() override {
        if (settings.networkStarted) WSACleanup();
        settings.networkStarted = false;
        settings.hostIPs.clear();
    }
};

TCPIPModule tcpIpModule;

} // namespace

TcpIpSettings& tcpIpSettings() { return settings; }

void ownByTcpIpModule(KrResource* resource) { tcpIpModule.addResource(resource); }
