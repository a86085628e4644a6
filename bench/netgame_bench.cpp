// Multiplayer session figures on loopback between two members of one
// session (host and joiner, each with its own sockets and service thread):
// the round trip of a small guaranteed message (median and 99th percentile)
// and the rate of 32-byte guaranteed messages from one player to another.
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/bench_clock.h"
#include "net/session/game_session.h"
#include "platform/clock.h"
#include "platform/session_socket.h"

using session::GameSession;
using session::SessionEvent;

namespace {

constexpr int kRoundTrips = 2000;
constexpr int kMessages = 200000;

void roundTrips(GameSession& a, uint32_t a1, GameSession& b, uint32_t b1) {
    std::atomic<bool> stop{false};
    std::thread echo([&] {
        SessionEvent e;
        while (!stop) {
            if (b.receive(e)) {
                if (e.kind == SessionEvent::Message) b.send(b1, a1, e.data.data(), e.data.size(), true);
            } else {
                std::this_thread::yield();
            }
        }
    });
    std::vector<double> micros;
    const char ping[16] = "ping";
    SessionEvent e;
    for (int i = 0; i < kRoundTrips; ++i) {
        BenchClock clock;
        a.send(a1, b1, ping, sizeof ping, true);
        while (!(a.receive(e) && e.kind == SessionEvent::Message)) std::this_thread::yield();
        micros.push_back(clock.seconds() * 1e6);
    }
    stop = true;
    echo.join();
    std::sort(micros.begin(), micros.end());
    report("netgame round trip median", micros[micros.size() / 2], "us");
    report("netgame round trip p99", micros[micros.size() * 99 / 100], "us");
}

void throughput(GameSession& a, uint32_t a1, GameSession& b, uint32_t b1) {
    std::atomic<int> got{0};
    std::thread count([&] {
        SessionEvent e;
        uint32_t start = platform::milliSecs();
        while (got < kMessages && platform::milliSecs() - start < 60000) {
            if (b.receive(e)) {
                if (e.kind == SessionEvent::Message) ++got;
            } else {
                std::this_thread::yield();
            }
        }
    });
    char message[32] = "thirty-two bytes of game state.";
    BenchClock clock;
    for (int i = 0; i < kMessages; ++i) a.send(a1, b1, message, sizeof message, true);
    count.join();
    double seconds = clock.seconds();
    report("netgame 32-byte guaranteed messages", got / seconds, "msg/s");
    if (got < kMessages) report("netgame messages lost", kMessages - got, "msg");
}

} // namespace

int main() {
    if (!platform::socketsStart()) return 1;
    std::string name = "bench" + std::to_string(platform::milliSecs());
    auto host = GameSession::host(name);
    auto joiner = host ? GameSession::join(name, "127.0.0.1") : nullptr;
    if (!joiner) {
        std::printf("netgame: no session on loopback\n");
        return 1;
    }
    uint32_t h1 = host->createPlayer("host"), j1 = joiner->createPlayer("joiner");
    roundTrips(*joiner, j1, *host, h1);
    throughput(*joiner, j1, *host, h1);
    joiner.reset();
    host.reset();
    platform::socketsStop();
    return 0;
}
