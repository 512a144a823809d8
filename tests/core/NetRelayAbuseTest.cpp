// The relay against peers that are not players, and on a host with more than one address.
// Every datagram goes to a loopback address (127.0.0.0/8 all reaches the loopback
// interface, so 127.0.0.2 stands for a second address of the host).
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
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

struct NetRelayAbuse : ::testing::Test {};

int CountLines(const std::string& text, const std::string& prefix) {
  int count = 0;
  std::size_t at = text.find(prefix);
  for (; at != std::string::npos; at = text.find(prefix, at + 1)) {
    if (at == 0 || text[at - 1] == '\n') ++count;
  }
  return count;
}

TPersoBytes Datagram(int number, double x) {
  TPerso r;
  r.number = number;
  r.position = {x, 0.0, 0.0};
  return EncodePerso(r);
}

TRelayVerdict Send(TRelayRegistry& relay, const TPersoBytes& b, const std::string& from,
                   std::int64_t ms) {
  return relay.Receive(b.data(), b.size(), from, ms);
}

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
  const udp::endpoint relayAddress = Loopback("127.0.0.1", relay.Port());
  echo.socket.send_to(asio::buffer(EncodePerso(Frame(0, 0))), relayAddress);
  // The host's frames as fast as the machine allows: the worst case for the relay.
  testing::internal::CaptureStdout();
  const auto end = Clock::now() + std::chrono::seconds(1);
  for (int frame = 1; Clock::now() < end; ++frame) {
    host.Exchange(Frame(1, frame));
    relay.Step();
    echo.Reflect();
  }
  const std::string console = testing::internal::GetCapturedStdout();
  RecordProperty("echo_datagrams_in_one_second", static_cast<int>(echo.received));
  std::fprintf(stderr, "echo peer received %ld datagrams in one second\n", echo.received);
  EXPECT_LT(echo.received, 300);
  EXPECT_GT(echo.received, 0) << "the echo did register as player 2";
  EXPECT_GT(relay.Registry().Dropped(TDatagramFault::kReflected), 0);
  EXPECT_GT(relay.Registry().Dropped(TDatagramFault::kOverRate), 0);
  // Refusals all through the second, shown once at the first and at most once more.
  const int lines = CountLines(console, "Relais : datagrammes ignores : ");
  EXPECT_GE(lines, 1) << console;
  EXPECT_LE(lines, 2) << console;
}

// A relay listening on every address answers from the address each player sent to: a
// joiner's connected socket takes replies from that address only.
void JoinAtSecondAddress(TServerSocket& relay) {
  const std::string port = std::to_string(relay.Port());
  // A reply ends the wait at once; the long limit only spares a busy machine a false alarm.
  TLinkTiming patient;
  patient.waitLimit = std::chrono::milliseconds(500);
  TClientSocket host("tovelu", {}, {}, patient);
  host.ConnectTo("127.0.0.1", port);
  host.Exchange(Frame(1, 1));

  const TLanRole role = ChooseLanRole("127.0.0.2", port);
  ASSERT_FALSE(role.hosting);
  TClientSocket joiner("tovelu", {}, {}, patient);
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

TEST_F(NetRelayAbuse, JoinerAtTheHostsSecondAddressLinksToARelayOnEveryAddress) {
  TServerSocket relay{"0", "0.0.0.0"};
  JoinAtSecondAddress(relay);
}

// The same through a relay on every IPv6 address, which hears IPv4 players as mapped
// addresses (the players still use 127.0.0.1 and 127.0.0.2).
TEST_F(NetRelayAbuse, JoinerAtTheHostsSecondAddressLinksToADualStackRelay) {
  std::unique_ptr<TServerSocket> relay = TryCreateRelay("0", "::");
  if (!relay) GTEST_SKIP() << "no IPv6 on this machine";
  JoinAtSecondAddress(*relay);
}

TEST(NetRateLimit, BurstThenSteadyRateForEachAddressOnItsOwn) {
  TRateLimiter limit;
  ASSERT_EQ(limit.Limits().perSecond, 240);
  ASSERT_EQ(limit.Limits().burst, 24);
  for (int i = 0; i < 24; ++i) EXPECT_TRUE(limit.Allow("A", 0)) << i;
  EXPECT_FALSE(limit.Allow("A", 0));
  EXPECT_TRUE(limit.Allow("B", 0)) << "another address has its own allowance";
  // 100 ms refill 24 datagrams, and a clock that steps back refills nothing.
  for (int i = 0; i < 24; ++i) EXPECT_TRUE(limit.Allow("A", 100)) << i;
  EXPECT_FALSE(limit.Allow("A", 100));
  EXPECT_FALSE(limit.Allow("A", 40));
  EXPECT_FALSE(limit.Allow("A", 100));
  EXPECT_TRUE(limit.Allow("A", 105));

  // A flood of one datagram a millisecond for ten seconds: the steady rate gets through.
  TRateLimiter flood;
  int passed = 0;
  for (std::int64_t ms = 0; ms < 10'000; ++ms) passed += flood.Allow("X", ms) ? 1 : 0;
  EXPECT_GE(passed, 2400);
  EXPECT_LE(passed, 24 + 2400);
}

TEST(NetRateLimit, AGameNeverReachesTheLimitEvenAmongManyAddresses) {
  TRateLimiter limit;
  int refusedGame = 0;
  int passedFlood = 0;
  // A game at its worst, one datagram every 5 ms while a reply is late, beside a flooder
  // at one a millisecond from a new address each time and one steady address: the
  // strangers never push the two out of the table.
  for (std::int64_t ms = 0; ms < 10'000; ++ms) {
    if (ms % 5 == 0 && !limit.Allow("game", ms)) ++refusedGame;
    limit.Allow("stranger " + std::to_string(ms), ms);
    passedFlood += limit.Allow("flood", ms) ? 1 : 0;
  }
  EXPECT_EQ(refusedGame, 0);
  EXPECT_LE(passedFlood, 24 + 2400);
}

TEST(NetRelayGuard, ReflectedRecordsAreRefusedAndASilentPlayerGetsNoMore) {
  TRelayRegistry relay;
  Send(relay, Datagram(0, 1.0), "host", 0);
  EXPECT_EQ(Send(relay, Datagram(0, 2.0), "echo", 10).other, 1);
  // The echo sends back what the relay sent it, with the host's number.
  for (std::int64_t ms = 20; ms < 4990; ms += 17) {
    const TRelayVerdict fromHost = Send(relay, Datagram(0, double(ms)), "host", ms);
    EXPECT_EQ(fromHost.other, 2) << ms;
    const TRelayVerdict back = Send(relay, Datagram(1, double(ms)), "echo", ms + 1);
    EXPECT_EQ(back.fault, TDatagramFault::kReflected);
    EXPECT_EQ(back.other, 0);
  }
  EXPECT_EQ(relay.Players()[2].position.x, 2.0) << "the reflections changed nothing";
  // Five seconds after its only record of its own, the echo gets nothing more.
  EXPECT_EQ(Send(relay, Datagram(0, 5.0), "host", 5010).other, 0);
  EXPECT_EQ(relay.Count(), 2);
  // A player that speaks again gets records again.
  EXPECT_EQ(Send(relay, Datagram(2, 6.0), "echo", 5020).other, 1);
  EXPECT_EQ(Send(relay, Datagram(0, 7.0), "host", 5030).other, 2);
  EXPECT_EQ(relay.Dropped(TDatagramFault::kReflected), relay.Dropped());
}

// A newcomer writes 0 or the number of the slot it takes (games that write their own
// player number); any other number is a record that came back from elsewhere.
TEST(NetRelayGuard, NewcomerWritesZeroOrItsOwnSlotAndFloodsAreCountedPerAddress) {
  TRelayRegistry relay;
  EXPECT_EQ(Send(relay, Datagram(2, 1.0), "stray", 0).fault, TDatagramFault::kReflected);
  EXPECT_EQ(relay.Count(), 0) << "a number past the next free slot registers nothing";
  EXPECT_EQ(Send(relay, Datagram(1, 1.0), "A", 0).sender, 1);
  EXPECT_EQ(Send(relay, Datagram(1, 2.0), "B", 0).fault, TDatagramFault::kReflected)
      << "player 1's record from a new address is a reflection";
  EXPECT_EQ(Send(relay, Datagram(2, 2.0), "B", 0).sender, 2);
  EXPECT_EQ(relay.Count(), 2);
  int refused = 0;
  for (int i = 0; i < 100; ++i) {
    refused += Send(relay, Datagram(0, 3.0), "A", 1).fault == TDatagramFault::kOverRate;
  }
  EXPECT_EQ(refused, 100 - 23) << "the first of A's 24 went to registering";
  EXPECT_EQ(relay.Dropped(TDatagramFault::kOverRate), refused);
  EXPECT_EQ(Send(relay, Datagram(0, 4.0), "B", 1).other, 1) << "B is not held back by A";
}

// Datagrams are read in batches; what is left after one batch must still be read, and the
// relay must wake again for the next datagram.
TEST_F(NetRelayAbuse, QueuedDatagramsAreAllReadAndTheRelayWakesForTheNextOne) {
  // One more datagram a second past the burst: the split below holds on a busy machine.
  TServerSocket relay{"0", "127.0.0.1", TRateLimits{1, 24}};
  asio::io_context io;
  udp::socket stranger{io, Loopback("127.0.0.1", 0)};
  const std::uint8_t junk[8] = {};
  const udp::endpoint to = Loopback("127.0.0.1", relay.Port());
  for (int i = 0; i < 150; ++i) stranger.send_to(asio::buffer(junk), to);
  relay.Step();
  EXPECT_EQ(relay.Registry().Dropped(), 150);
  EXPECT_GE(relay.Registry().Dropped(TDatagramFault::kWrongSize), 24);
  EXPECT_LE(relay.Registry().Dropped(TDatagramFault::kWrongSize), 26);

  udp::socket player{io, Loopback("127.0.0.1", 0)};
  player.send_to(asio::buffer(EncodePerso(Frame(0, 1))), Loopback("127.0.0.1", relay.Port()));
  relay.Step();
  EXPECT_EQ(relay.Count(), 1);
}
