// The TCP, UDP and host-address commands. Network failures never raise
// errors: creation returns 0, reads and writes come up short, and the state
// shows through Eof. Only bad handles and HostIP's index are misuse.
#include <cstdio>
#include <string>

#include "lang/kr_string.h"
#include "net/host_lookup.h"
#include "net/tcp_stream.h"
#include "net/tcpip_module.h"
#include "net/udp_stream.h"
#include "runtime/symbol_registration.h"

namespace {

std::string textOf(KrString* s) { return std::string(krText(s), krLength(s)); }

// A new socket object belongs to the module until the program releases it.
template <typename T>
int handed(T* object) {
    if (!object) return 0;
    ownByTcpIpModule(object);
    return toHandle(object);
}

} // namespace

extern "C" {

__attribute__((stdcall)) int OpenTCPStream(KrString* server, int serverPort, int localPort) {
    return handed(TCPStream::open(textOf(server), serverPort, localPort));
}

__attribute__((stdcall)) void CloseTCPStream(int stream) {
    if (stream) castHandle<TCPStream>(stream)->release();
}

__attribute__((stdcall)) int CreateTCPServer(int port) { return handed(TCPServer::create(port)); }

__attribute__((stdcall)) void CloseTCPServer(int server) {
    if (server) castHandle<TCPServer>(server)->release();
}

// An accepted stream belongs to its server, not to the module.
__attribute__((stdcall)) int AcceptTCPStream(int server) {
    return toHandle(castHandle<TCPServer>(server)->accept());
}

__attribute__((stdcall)) int TCPStreamIP(int stream) { return castHandle<TCPStream>(stream)->peerIP(); }
__attribute__((stdcall)) int TCPStreamPort(int stream) { return castHandle<TCPStream>(stream)->peerPort(); }

__attribute__((stdcall)) void TCPTimeouts(int readMillis, int acceptMillis) {
    tcpIpSettings().tcpReadTimeout = readMillis;
    tcpIpSettings().tcpAcceptTimeout = acceptMillis;
}

__attribute__((stdcall)) int CreateUDPStream(int port) { return handed(UDPStream::create(port)); }

__attribute__((stdcall)) void CloseUDPStream(int stream) {
    if (stream) castHandle<UDPStream>(stream)->release();
}

__attribute__((stdcall)) int RecvUDPMsg(int stream) { return castHandle<UDPStream>(stream)->receive(); }

__attribute__((stdcall)) void SendUDPMsg(int stream, int destIP, int destPort) {
    castHandle<UDPStream>(stream)->send(destIP, destPort);
}

__attribute__((stdcall)) int UDPStreamIP(int stream) { return castHandle<UDPStream>(stream)->local().ip; }
__attribute__((stdcall)) int UDPStreamPort(int stream) { return castHandle<UDPStream>(stream)->local().port; }
__attribute__((stdcall)) int UDPMsgIP(int stream) { return castHandle<UDPStream>(stream)->sender().ip; }
__attribute__((stdcall)) int UDPMsgPort(int stream) { return castHandle<UDPStream>(stream)->sender().port; }

__attribute__((stdcall)) void UDPTimeouts(int recvMillis) { tcpIpSettings().udpRecvTimeout = recvMillis; }

__attribute__((stdcall)) int CountHostIPs(KrString* hostName) {
    std::vector<uint32_t>& list = tcpIpSettings().hostIPs;
    if (!lookupHost(textOf(hostName), list)) return 0;
    return static_cast<int>(list.size());
}

__attribute__((stdcall)) int HostIP(int index) {
    const std::vector<uint32_t>& list = tcpIpSettings().hostIPs;
    if (index < 1 || index > static_cast<int>(list.size())) runtimeError("Host index out of range");
    return list[index - 1];
}

__attribute__((stdcall)) KrString* DottedIP(int ip) {
    auto address = static_cast<uint32_t>(ip);
    char text[16];
    int n = std::snprintf(text, sizeof text, "%u.%u.%u.%u", address >> 24, (address >> 16) & 255, (address >> 8) & 255,
                          address & 255);
    return krNewString(text, n);
}

}

KR_COMMAND(Runtime, "$DottedIP%IP", DottedIP);
KR_COMMAND(Runtime, "%CountHostIPs$host_name", CountHostIPs);
KR_COMMAND(Runtime, "%HostIP%host_index", HostIP);
KR_COMMAND(Runtime, "%CreateUDPStream%port=0", CreateUDPStream);
KR_COMMAND(Runtime, "CloseUDPStream%udp_stream", CloseUDPStream);
KR_COMMAND(Runtime, "SendUDPMsg%udp_stream%dest_ip%dest_port=0", SendUDPMsg);
KR_COMMAND(Runtime, "%RecvUDPMsg%udp_stream", RecvUDPMsg);
KR_COMMAND(Runtime, "%UDPStreamIP%udp_stream", UDPStreamIP);
KR_COMMAND(Runtime, "%UDPStreamPort%udp_stream", UDPStreamPort);
KR_COMMAND(Runtime, "%UDPMsgIP%udp_stream", UDPMsgIP);
KR_COMMAND(Runtime, "%UDPMsgPort%udp_stream", UDPMsgPort);
KR_COMMAND(Runtime, "UDPTimeouts%recv_timeout", UDPTimeouts);
KR_COMMAND(Runtime, "%OpenTCPStream$server%server_port%local_port=0", OpenTCPStream);
KR_COMMAND(Runtime, "CloseTCPStream%tcp_stream", CloseTCPStream);
KR_COMMAND(Runtime, "%CreateTCPServer%port", CreateTCPServer);
KR_COMMAND(Runtime, "CloseTCPServer%tcp_server", CloseTCPServer);
KR_COMMAND(Runtime, "%AcceptTCPStream%tcp_server", AcceptTCPStream);
KR_COMMAND(Runtime, "%TCPStreamIP%tcp_stream", TCPStreamIP);
KR_COMMAND(Runtime, "%TCPStreamPort%tcp_stream", TCPStreamPort);
KR_COMMAND(Runtime, "TCPTimeouts%read_millis%accept_millis", TCPTimeouts);
