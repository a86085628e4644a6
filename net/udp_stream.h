// UDPStream: a message-based stream. Writes collect one outgoing datagram
// until send(); receive() loads one incoming datagram that reads then
// consume. Its state moves once from good (0) to failed (-1).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "system/kr_stream.h"

// An IPv4 address and port in host order.
struct UdpAddress {
    uint32_t ip = 0;
    int port = 0;
};

class UDPStream : public KrStream {
public:
    static constexpr const char* kHandleName = "UDP Stream";

    // A socket bound to any local address and `port` (0: the system
    // chooses); null when the network is down, the port is outside 0..65535
    // or the bind fails.
    static UDPStream* create(int port);

    UDPStream(uintptr_t socket, UdpAddress local);
    ~UDPStream() override;

    int read(void* buffer, int count) override;
    int write(const void* buffer, int count) override;
    int avail() override;
    int eof() override;

    // Loads the next datagram within the receive time-out; the sender's IP,
    // or 0 when none arrived (the previous datagram then stays readable).
    uint32_t receive();
    // Sends everything written since the last send as one datagram to
    // ip:port (port 0: this stream's own local port). A send that does not
    // go out whole, or a port outside 0..65535, fails the stream (state -1)
    // and keeps the bytes.
    void send(uint32_t ip, int port);

    int state() const { return state_; }
    UdpAddress local() const { return local_; }
    UdpAddress sender() const { return sender_; }
    UdpAddress destination() const { return destination_; }
    int pendingBytes() const { return static_cast<int>(sendBuffer_.size()); }

private:
    uintptr_t socket_;
    int state_ = 0;
    std::vector<uint8_t> recvBuffer_;
    int readPos_ = 0;
    std::vector<uint8_t> sendBuffer_;
    std::unique_ptr<uint8_t[]> scratch_; // receive area, made on the first receive
    UdpAddress local_;
    UdpAddress sender_;
    UdpAddress destination_;
};
