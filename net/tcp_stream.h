// TCPStream and TCPServer: the TCP endpoints of the network commands.
//
// A TCPStream is a byte stream whose reads block up to the module's read
// time-out; its state moves once from good (0) to closed by the peer (1) or
// failed (-1), after which reads and writes do nothing. A TCPServer listens
// and accepts: the streams it accepts belong to it, so releasing the server
// releases them.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "system/kr_stream.h"

class TCPServer;

class TCPStream : public KrStream {
public:
    static constexpr const char* kHandleName = "TCP Stream";

    // Connects to server:port, from local_port when it is not 0; null when
    // the network is down, a port is outside 0..65535, or the name, bind or
    // connect fails. The name is taken whole: one holding a NUL names no host.
    static TCPStream* open(const std::string& server, int serverPort, int localPort);

    // Takes over a connected socket; `server` is the one that accepted it.
    TCPStream(uintptr_t socket, TCPServer* server);
    ~TCPStream() override;

    int read(void* buffer, int count) override;
    int write(const void* buffer, int count) override;
    int avail() override;
    int eof() override;

    int state() const { return state_; }
    uint32_t peerIP() const { return peerIP_; }
    int peerPort() const { return peerPort_; }
    TCPServer* server() const { return server_; }

private:
    // Bytes received from the socket and not yet read: reads take from here
    // first, so that a line or a run of small reads costs one receive per
    // block rather than one per byte. Nothing here is lost or read twice;
    // avail counts it and eof reports 0 while it holds anything.
    static constexpr int kBufferSize = 65536;
    int takeBuffered(char* to, int count);
    // One receive: into the buffer when it serves a small read, straight into
    // the caller's memory when the rest of the read fills a block anyway.
    int receive(char* to, int count);

    uintptr_t socket_;
    TCPServer* server_;
    std::unique_ptr<char[]> buffer_;
    int bufferStart_ = 0;
    int bufferEnd_ = 0;
    int state_ = 0;
    uint32_t peerIP_ = 0;
    int peerPort_ = 0;
};

class TCPServer : public KrResource {
public:
    static constexpr const char* kHandleName = "TCP Server";

    // Listens on `port` (0: the system chooses); null on failure or for a
    // port outside 0..65535.
    static TCPServer* create(int port);

    explicit TCPServer(uintptr_t socket) : socket_(socket) {}
    ~TCPServer() override;

    // The next pending connection as a new stream owned by this server, or
    // null when none arrives within the accept time-out.
    TCPStream* accept();

    int state() const { return state_; }
    int localPort() const;
    const std::set<TCPStream*>& accepted() const { return accepted_; }

private:
    friend class TCPStream;

    uintptr_t socket_;
    int state_ = 0;
    std::set<TCPStream*> accepted_;
};
