// The network commands as compiled code calls them, for the unit tests.
#pragma once

#include "lang/kr_string.h"

extern "C" {
__attribute__((stdcall)) int OpenTCPStream(KrString* server, int serverPort, int localPort);
__attribute__((stdcall)) void CloseTCPStream(int stream);
__attribute__((stdcall)) int CreateTCPServer(int port);
__attribute__((stdcall)) void CloseTCPServer(int server);
__attribute__((stdcall)) int AcceptTCPStream(int server);
__attribute__((stdcall)) int TCPStreamIP(int stream);
__attribute__((stdcall)) int TCPStreamPort(int stream);
__attribute__((stdcall)) void TCPTimeouts(int readMillis, int acceptMillis);
__attribute__((stdcall)) int CreateUDPStream(int port);
__attribute__((stdcall)) void CloseUDPStream(int stream);
__attribute__((stdcall)) int RecvUDPMsg(int stream);
__attribute__((stdcall)) void SendUDPMsg(int stream, int destIP, int destPort);
__attribute__((stdcall)) int UDPStreamIP(int stream);
__attribute__((stdcall)) int UDPStreamPort(int stream);
__attribute__((stdcall)) int UDPMsgIP(int stream);
__attribute__((stdcall)) int UDPMsgPort(int stream);
__attribute__((stdcall)) void UDPTimeouts(int recvMillis);
__attribute__((stdcall)) int CountHostIPs(KrString* hostName);
__attribute__((stdcall)) int HostIP(int index);
__attribute__((stdcall)) KrString* DottedIP(int ip);
__attribute__((stdcall)) int ReadBytes(int bank, int stream, int offset, int count);
__attribute__((stdcall)) int WriteBytes(int bank, int stream, int offset, int count);
}

constexpr int kLoopback = 0x7f000001; // 127.0.0.1 in host order

// A string argument that lives for one statement.
struct Text {
    explicit Text(const char* text) : s(krNewString(text)) {}
    Text(const char* bytes, int length) : s(krNewString(bytes, length)) {}
    ~Text() { s->release(); }
    operator KrString*() const { return s; }
    KrString* s;
};
