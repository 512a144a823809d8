// The relay against peers that are not players, and on a host with more than one address.
// Every datagram goes to a loopback address (127.0.0.0/8 all reaches the loopback
// interface, so 127.0.0.2 stands for a second address of the host).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>

#include "net/UNetwork.h"

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::udp;

TPerso Frame(int player, int frame) {
  TPerso r;
  r.position = {double(frame), player * 100.0, -double(frame)};
  r.rotation = {0.0, double(player), 0.0};
  r.score = 10;
  r.playerCount = 2;
  return r;
}

udp::endpoint Loopback(const char* address, unsigned short port) {
  return udp::endpoint(asio::ip::make_address(address), port);
}

// A UDP echo service, the kind found on many machines: every datagram it gets goes
// straight back to its sender.
struct TEchoPeer {
  asio::io_context io;
  udp::socket socket{io, Loopback("127.0.0.3", 0)};
  long received = 0;

  void Reflect() {
    std::vector<std::uint8_t> buffer(2048);
    udp::endpoint from;
    while (socket.available() > 0) {
      const std::size_t n = socket.receive_from(asio::buffer(buffer), from);
      ++received;
      socket.send_to(asio::buffer(buffer.data(), n), from);
    }
  }
};

struct NetRelayAbuse : ::testing::Test {
};

}  // namespace

// One record from an echo service, while the host waits alone, must not start an
// exchange that feeds itself: the echo's reflections of the host's record are refused,
// and the host's own datagrams are held to a rate no real game reaches.
TEST_F(NetRelayAbuse, EchoServiceSentOneRecordGetsFewerThan300DatagramsInASecond) {
  TServerSocket relay{"0", "127.0.0.1"};
  const std::string port = std::to_string(relay.Port());
  TClientSocket host("tovelu", {}, {});
  host.ConnectTo("127.0.0.1", port);
  host.Exchange(Frame(1, 0));  // alone: registers as player 1
  ASSERT_EQ(relay.Count(), 1);

  TEchoPeer echo;
  echo.socket.send_to(asio::buffer(EncodePerso(Frame(0, 0))), Loopback("127.0.0.1", relay.Port()));
  // The host's frames as fast as the machine allows: the worst case for the relay.
  const auto end = Clock::now() + std::chrono::seconds(1);
  for (int frame = 1; Clock::now() < end; ++frame) {
    host.Exchange(Frame(1, frame));
    relay.Step();
    echo.Reflect();
  }
  RecordProperty("echo_datagrams_in_one_second", static_cast<int>(echo.received));
  std::fprintf(stderr, "echo peer received %ld datagrams in one second\n", echo.received);
  EXPECT_LT(echo.received, 300);
  EXPECT_GT(echo.received, 0) << "the echo did register as player 2";
}

// A relay listening on every address answers from the address each player sent to: a
// joiner's connected socket takes replies from that address only.
TEST_F(NetRelayAbuse, JoinerAtTheHostsSecondAddressLinksToARelayOnEveryAddress) {
  TServerSocket relay{"0", "0.0.0.0"};
  const std::string port = std::to_string(relay.Port());
  TClientSocket host("tovelu", {}, {});
  host.ConnectTo("127.0.0.1", port);
  host.Exchange(Frame(1, 1));

  const TLanRole role = ChooseLanRole("127.0.0.2", port);
  ASSERT_FALSE(role.hosting);
  TClientSocket joiner("tovelu", {}, {});
  joiner.ConnectTo(role.relayAddress, role.relayPort);
  ASSERT_FALSE(joiner.LinkDown());
  const TPerso got = joiner.Exchange(Frame(2, 1));
  EXPECT_TRUE(joiner.HeardFromOther());
  EXPECT_EQ(joiner.Timeouts(), 0);
  EXPECT_EQ(got.number, 1);
  EXPECT_EQ(got.position.y, 100.0);

  // Both ways, frame after frame, each player answered from its own address.
  for (int frame = 2; frame <= 20; ++frame) {
    EXPECT_EQ(host.Exchange(Frame(1, frame)).position.x, frame - 1);
    relay.Step();
    EXPECT_EQ(joiner.Exchange(Frame(2, frame)).position.x, frame);
  }
  EXPECT_EQ(host.Timeouts(), 1) << "only the first wait, alone";
  EXPECT_EQ(joiner.Timeouts(), 0);
  EXPECT_EQ(relay.Count(), 2);
}
