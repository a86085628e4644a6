// Loopback network throughput: TCP through WriteBytes/ReadBytes with 64 KB
// banks beside a plain WinSock send/recv loop moving the same blocks, lines
// read with ReadLine (64 KB and 40-byte lines), and 100-byte UDP datagrams
// per second through the UDP stream commands beside plain sendto/recvfrom.
#include <winsock2.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "bench/support/bench_clock.h"
#include "lang/kr_string.h"
#include "net/tcp_stream.h"
#include "net/udp_stream.h"
#include "runtime/module.h"

extern "C" {
__attribute__((stdcall)) int CreateBank(int size);
__attribute__((stdcall)) int ReadBytes(int bank, int stream, int offset, int count);
__attribute__((stdcall)) int WriteBytes(int bank, int stream, int offset, int count);
__attribute__((stdcall)) int RecvUDPMsg(int stream);
__attribute__((stdcall)) KrString* ReadLine(int stream);
__attribute__((stdcall)) void SendUDPMsg(int stream, int destIP, int destPort);
__attribute__((stdcall)) void UDPTimeouts(int recvMillis);
}

namespace {

constexpr int kBlock = 65536;
constexpr long long kTcpBytes = 64LL << 20;
constexpr int kDatagrams = 20000;
constexpr int kLoopback = 0x7f000001;

double runtimeTcp() {
    TCPServer* server = TCPServer::create(0);
    TCPStream* client = TCPStream::open("127.0.0.1", server->localPort(), 0);
    TCPStream* conn = server->accept();
    int out = CreateBank(kBlock), in = CreateBank(kBlock);
    int writer = toHandle(client), reader = toHandle(conn);
    std::thread send([&] {
        for (long long sent = 0; sent < kTcpBytes;) sent += WriteBytes(out, writer, 0, kBlock);
    });
    BenchClock clock;
    long long got = 0;
    while (got < kTcpBytes) {
        int n = ReadBytes(in, reader, 0, kBlock);
        if (n == 0) break;
        got += n;
    }
    double seconds = clock.seconds();
    send.join();
    client->release();
    server->release();
    return got / seconds / 1e6;
}

// ReadLine over loopback while a thread writes lines of `lineLength` bytes
// (CR LF included) in 64 KB blocks; returns MB/s and sets lines per second.
double tcpReadLines(int lineLength, long long totalBytes, double& linesPerSecond) {
    TCPServer* server = TCPServer::create(0);
    TCPStream* client = TCPStream::open("127.0.0.1", server->localPort(), 0);
    TCPStream* conn = server->accept();
    std::vector<char> block(static_cast<size_t>(lineLength) * std::max(1, kBlock / lineLength));
    for (size_t i = 0; i < block.size(); ++i) {
        int column = static_cast<int>(i % lineLength);
        block[i] = column == lineLength - 2 ? '\r' : column == lineLength - 1 ? '\n' : static_cast<char>('a' + column % 26);
    }
    const long long lines = totalBytes / lineLength;
    std::thread send([&] {
        for (long long sent = 0; sent < lines * lineLength;) sent += client->write(block.data(), static_cast<int>(block.size()));
    });
    int reader = toHandle(conn);
    BenchClock clock;
    long long got = 0, bytes = 0;
    for (; got < lines; ++got) {
        KrString* line = ReadLine(reader);
        bytes += krLength(line) + 2;
        bool whole = krLength(line) == lineLength - 2;
        release(line);
        if (!whole) break;
    }
    double seconds = clock.seconds();
    send.join();
    client->release();
    server->release();
    if (got < lines) return linesPerSecond = 0;
    linesPerSecond = got / seconds;
    return bytes / seconds / 1e6;
}

double plainTcp() {
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(kLoopback);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, 1);
    int size = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
    SOCKET conn = accept(listener, nullptr, nullptr);
    std::vector<char> out(kBlock), in(kBlock);
    std::thread send([&] {
        for (long long sent = 0; sent < kTcpBytes; sent += kBlock)
            for (int done = 0; done < kBlock;) done += ::send(client, out.data() + done, kBlock - done, 0);
    });
    BenchClock clock;
    long long got = 0;
    while (got < kTcpBytes) {
        for (int done = 0; done < kBlock;) {
            int n = recv(conn, in.data() + done, kBlock - done, 0);
            if (n <= 0) return 0;
            done += n;
        }
        got += kBlock;
    }
    double seconds = clock.seconds();
    send.join();
    closesocket(client);
    closesocket(conn);
    closesocket(listener);
    return got / seconds / 1e6;
}

// 100-byte datagrams sent and received per second: batches small enough for
// the receiving socket's buffer, so that none is lost, sent and then received
// by the same thread.
constexpr int kBatch = 50;

double runtimeUdp() {
    UDPStream* rx = UDPStream::create(0);
    UDPStream* tx = UDPStream::create(0);
    int rxHandle = toHandle(rx), txHandle = toHandle(tx), port = rx->local().port;
    int out = CreateBank(100), in = CreateBank(100);
    UDPTimeouts(1000);
    int received = 0;
    BenchClock clock;
    for (int i = 0; i < kDatagrams; i += kBatch) {
        for (int j = 0; j < kBatch; ++j) {
            WriteBytes(out, txHandle, 0, 100);
            SendUDPMsg(txHandle, kLoopback, port);
        }
        for (int j = 0; j < kBatch && RecvUDPMsg(rxHandle); ++j) received += ReadBytes(in, rxHandle, 0, 100) == 100;
    }
    double seconds = clock.seconds();
    UDPTimeouts(0);
    rx->release();
    tx->release();
    return received == kDatagrams ? received / seconds : 0;
}

double plainUdp() {
    SOCKET rx = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP), tx = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(kLoopback);
    bind(rx, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(rx, reinterpret_cast<sockaddr*>(&address), &size);
    char out[100] = {}, in[65536];
    int received = 0;
    BenchClock clock;
    for (int i = 0; i < kDatagrams; i += kBatch) {
        for (int j = 0; j < kBatch; ++j) sendto(tx, out, 100, 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
        for (int j = 0; j < kBatch; ++j) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(rx, &readable);
            timeval limit{1, 0};
            if (select(0, &readable, nullptr, nullptr, &limit) != 1) break;
            received += recvfrom(rx, in, sizeof in, 0, nullptr, nullptr) == 100;
        }
    }
    double seconds = clock.seconds();
    closesocket(rx);
    closesocket(tx);
    return received == kDatagrams ? received / seconds : 0;
}

} // namespace

// The machine is shared and loopback figures swing from run to run, so the
// two kinds take turns over several rounds: each figure is the best round,
// and the ratio is the median of the rounds' paired ratios.
int main() {
    if (!requireModule("KrTcpIp")) return 1;
    constexpr int kRounds = 9;
    double bestRuntime = 0, bestPlain = 0;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        double plain = plainTcp();
        double runtime = runtimeTcp();
        bestPlain = std::max(bestPlain, plain);
        bestRuntime = std::max(bestRuntime, runtime);
        ratios.push_back(plain > 0 ? 100 * runtime / plain : 0);
    }
    std::sort(ratios.begin(), ratios.end());
    report("tcp loopback, plain send/recv 64 KB blocks", bestPlain, "MB/s");
    report("tcp loopback, WriteBytes/ReadBytes 64 KB banks", bestRuntime, "MB/s");
    report("tcp runtime vs plain, best rounds", 100 * bestRuntime / bestPlain, "%");
    report("tcp runtime vs plain, median of paired rounds", ratios[kRounds / 2], "%");
    double linesPerSecond = 0;
    double bigLines = tcpReadLines(65536, 64LL << 20, linesPerSecond);
    report("tcp ReadLine, 64 KB lines", bigLines, "MB/s");
    double smallLines = tcpReadLines(40, 80LL << 20, linesPerSecond);
    report("tcp ReadLine, 40-byte lines", smallLines, "MB/s");
    report("tcp ReadLine, 40-byte lines", linesPerSecond, "lines/s");
    report("udp 100-byte datagrams, plain sendto/select/recvfrom", plainUdp(), "per s");
    report("udp 100-byte datagrams, SendUDPMsg/RecvUDPMsg/ReadBytes", runtimeUdp(), "per s");
    return 0;
}
