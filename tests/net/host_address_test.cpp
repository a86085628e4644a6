// Host addresses: dotted texts, the host address list and its index checks.
// Lookups stay on names this machine answers itself (dotted addresses and
// localhost).
#include <gtest/gtest.h>

#include <string>

#include "net_commands.h"
#include "support/program_harness.h"

namespace {

std::string dotted(int ip) {
    KrString* s = DottedIP(ip);
    std::string text(krText(s), krLength(s));
    s->release();
    return text;
}

} // namespace

TEST(HostAddresses, DottedTextsPutTheTopByteFirst) {
    EXPECT_EQ(dotted(2130706433), "127.0.0.1");
    EXPECT_EQ(dotted(-1), "255.255.255.255");
    EXPECT_EQ(dotted(0), "0.0.0.0");
    EXPECT_EQ(dotted(0x0A01FF80), "10.1.255.128");
    EXPECT_EQ(dotted(static_cast<int>(0xC0A80001u)), "192.168.0.1");
}

TEST(HostAddresses, ADottedNameIsItsOwnSingleAddress) {
    RunRecord r = runAsProgram([] {
        EXPECT_EQ(CountHostIPs(Text("127.0.0.1")), 1);
        EXPECT_EQ(HostIP(1), kLoopback);
        EXPECT_EQ(CountHostIPs(Text("10.20.30.40")), 1);
        EXPECT_EQ(HostIP(1), 0x0A141E28);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(HostAddresses, LocalhostResolvesToLoopbackAddresses) {
    RunRecord r = runAsProgram([] {
        int n = CountHostIPs(Text("localhost"));
        ASSERT_GE(n, 1);
        for (int i = 1; i <= n; ++i) EXPECT_EQ(static_cast<uint32_t>(HostIP(i)) >> 24, 127u) << dotted(HostIP(i));
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(HostAddresses, IndexOutsideTheListIsAnError) {
    RunRecord r = runAsProgram([] { HostIP(1); }); // the list starts empty
    EXPECT_EQ(r.error(), "Host index out of range");
    r = runAsProgram([] {
        CountHostIPs(Text("127.0.0.1"));
        HostIP(0);
    });
    EXPECT_EQ(r.error(), "Host index out of range");
    r = runAsProgram([] { HostIP(CountHostIPs(Text("127.0.0.1")) + 1); });
    EXPECT_EQ(r.error(), "Host index out of range");
    // A failed lookup empties the list it replaces.
    r = runAsProgram([] {
        EXPECT_EQ(CountHostIPs(Text("127.0.0.1")), 1);
        EXPECT_EQ(CountHostIPs(Text("local\0host", 10)), 0);
        HostIP(1);
    });
    EXPECT_EQ(r.error(), "Host index out of range");
}
