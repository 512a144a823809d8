// The link over real datagrams, on the loopback address only, with the relay on a free
// port so a game running on this machine keeps its port.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <random>

#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>

#include "net/UNetwork.h"

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::udp;

// Room for the scheduler of a busy shared machine on top of the 50 ms wait.
constexpr double kSlackMs = 30.0;

template <typename F>
double Millis(F&& f) {
  const auto start = Clock::now();
  f();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The link runs on the game's thread: no socket work may start threads of its own.
int ThreadCount() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "Threads:") {
      int count = 0;
      status >> count;
      return count;
    }
  }
  return -1;
}

TPerso Frame(int player, int frame) {
  TPerso r;
  r.position = {double(frame), player * 100.0, -double(frame)};
  r.rotation = {0.0, double(player), 0.0};
  r.score = frame * 10;
  r.name = "player" + std::to_string(player);
  r.playerCount = 2;
  return r;
}

// A plain socket the tests drive by hand, to play a stranger or a fake relay.
struct TRawSocket {
  asio::io_context io;
  udp::socket socket{io, udp::endpoint(asio::ip::make_address("127.0.0.1"), 0)};

  unsigned short Port() { return socket.local_endpoint().port(); }
  void SendTo(unsigned short port, const void* data, std::size_t size) {
    socket.send_to(asio::buffer(data, size),
                   udp::endpoint(asio::ip::make_address("127.0.0.1"), port));
  }
  // Everything already waiting; loopback sends land before send returns.
  std::vector<std::vector<std::uint8_t>> ReceiveAll(udp::endpoint& from) {
    std::vector<std::vector<std::uint8_t>> got;
    while (socket.available() > 0) {
      std::vector<std::uint8_t> buffer(2048);
      buffer.resize(socket.receive_from(asio::buffer(buffer), from));
      got.push_back(buffer);
    }
    return got;
  }
};

// These tests run frames back to back, far faster than a game's 60 a second; the
// relay's own rate limit is tested where the limit is the point.
constexpr TRateLimits kBackToBackFrames{100'000, 1'000};

struct NetLink : ::testing::Test {
  TServerSocket relay{"0", "127.0.0.1", kBackToBackFrames};
  std::string port = std::to_string(relay.Port());

  // The connection lines of every client would fill the test log.
  void SetUp() override { testing::internal::CaptureStdout(); }
  void TearDown() override { testing::internal::GetCapturedStdout(); }

  void Connect(TClientSocket& client) {
    client.ConnectTo("127.0.0.1", port);
    ASSERT_FALSE(client.LinkDown());
  }
};

}  // namespace

TEST_F(NetLink, HostAloneWaitsOnlyTheLimitAndRelaysNothing) {
  TClientSocket a("tovelu", {}, {});
  Connect(a);
  TPerso got;
  const double ms = Millis([&] { got = a.Exchange(Frame(1, 1)); });
  EXPECT_GE(ms, 49.0);
  EXPECT_LE(ms, 50.0 + kSlackMs);
  EXPECT_EQ(got.number, 0);
  EXPECT_EQ(got.position.x, 0.0);
  EXPECT_EQ(a.Timeouts(), 1);
  EXPECT_FALSE(a.HeardFromOther());
  // The resends within the wait register nobody twice.
  EXPECT_EQ(relay.Count(), 1);
  EXPECT_EQ(relay.Sent(), 0);
  EXPECT_EQ(relay.Players()[1].position.x, 1.0);
  EXPECT_EQ(relay.Players()[1].playerCount, 1);
}

TEST_F(NetLink, TwoPlayersGetEachOthersRecordsWithoutWaiting) {
  const int threads = ThreadCount();
  ASSERT_GT(threads, 0);
  TClientSocket a("tovelu", {}, {});
  TClientSocket b("tovelu", {}, {});
  Connect(a);
  Connect(b);
  a.Exchange(Frame(1, 1));  // alone so far: runs out
  TPerso own = Frame(2, 1);
  own.linkDown = true;  // whatever the caller holds, the byte tells the link's state
  TPerso got;
  EXPECT_LT(Millis([&] { got = b.Exchange(own); }), 50.0);
  EXPECT_FALSE(b.Outgoing().linkDown);
  EXPECT_EQ(got.number, 1);
  EXPECT_EQ(got.position.x, 1.0);
  EXPECT_EQ(got.rotation.y, 1.0);
  EXPECT_EQ(got.score, 10);
  EXPECT_TRUE(got.name.empty()) << "a received name is never taken";
  EXPECT_EQ(got.playerCount, 0) << "the client keeps its own count";
  EXPECT_TRUE(b.HeardFromOther());

  EXPECT_LT(Millis([&] { got = a.Exchange(Frame(1, 2)); }), 50.0);
  EXPECT_EQ(got.number, 2);
  EXPECT_EQ(got.position.y, 200.0);
  EXPECT_EQ(a.Timeouts(), 1);
  EXPECT_EQ(relay.Count(), 2);
  EXPECT_FALSE(relay.Players()[2].linkDown);
  // Player 1's newest record was passed on to player 2 as it arrived.
  got = b.Exchange(Frame(2, 2));
  EXPECT_EQ(got.position.x, 2.0);
  EXPECT_EQ(relay.Registry().Dropped(), 0);
  EXPECT_EQ(ThreadCount(), threads);
}

TEST_F(NetLink, ThousandExchangesLosingOneDatagramInFiveNeverStallPastTheWait) {
  TClientSocket a("tovelu", {}, {});
  TClientSocket b("tovelu", {}, {});
  Connect(a);
  Connect(b);
  std::mt19937 rng(20261208u);
  std::bernoulli_distribution lose(0.2);
  bool lossy = true;
  long lost = 0;
  long passed = 0;
  const TDropHook hook = [&](const TPersoBytes&) {
    if (!lossy) return false;
    const bool gone = lose(rng);
    ++(gone ? lost : passed);
    return gone;
  };
  relay.SetDropHook(hook);
  a.SetDropHook(hook);
  b.SetDropHook(hook);

  double worst = 0.0;
  auto exchange = [&](TClientSocket& client, int player, int frame, double& newest) {
    TPerso got;
    worst = std::max(worst, Millis([&] { got = client.Exchange(Frame(player, frame)); }));
    if (got.number == 0) return got;  // nothing heard yet
    EXPECT_EQ(got.rotation.y, 3 - player) << "only the other player's records come back";
    EXPECT_GE(got.position.x, newest) << "never an older record than one already seen";
    EXPECT_LE(got.position.x, frame);
    newest = got.position.x;
    return got;
  };
  double newestSeenByA = 0.0;
  double newestSeenByB = 0.0;
  for (int frame = 1; frame <= 500; ++frame) {
    exchange(a, 1, frame, newestSeenByA);
    exchange(b, 2, frame, newestSeenByB);
  }
  RecordProperty("worst_exchange_us", static_cast<int>(worst * 1000));
  RecordProperty("waits_run_out", static_cast<int>(a.Timeouts() + b.Timeouts()));
  RecordProperty("datagrams_lost", static_cast<int>(lost));
  EXPECT_LE(worst, 50.0 + kSlackMs);
  EXPECT_GT(lost, (lost + passed) / 7) << "the hook lost about one datagram in five";
  EXPECT_GT(newestSeenByA, 450.0);
  EXPECT_GT(newestSeenByB, 450.0);

  lossy = false;
  exchange(a, 1, 501, newestSeenByA);
  EXPECT_EQ(exchange(b, 2, 501, newestSeenByB).position.x, 501.0);
  EXPECT_EQ(exchange(a, 1, 502, newestSeenByA).position.x, 501.0);
  EXPECT_EQ(relay.Players()[1].position.x, 502.0);
  EXPECT_EQ(relay.Count(), 2);
  EXPECT_EQ(relay.Registry().Dropped(), 0);
}

TEST_F(NetLink, RelayDropsAndCountsMalformedAndThirdAddressDatagrams) {
  TRawSocket stranger;
  const std::uint8_t shortOne[79] = {};
  const std::uint8_t longOne[81] = {};
  stranger.SendTo(relay.Port(), shortOne, sizeof shortOne);
  stranger.SendTo(relay.Port(), longOne, sizeof longOne);
  TPerso bad = Frame(1, 1);
  bad.number = 3;
  stranger.SendTo(relay.Port(), EncodePerso(bad).data(), kPersoSize);
  bad.number = 0;
  bad.position.x = std::nan("");
  stranger.SendTo(relay.Port(), EncodePerso(bad).data(), kPersoSize);
  relay.Step();
  EXPECT_EQ(relay.Count(), 0);
  EXPECT_EQ(relay.Registry().Dropped(TDatagramFault::kWrongSize), 2);
  EXPECT_EQ(relay.Registry().Dropped(TDatagramFault::kBadNumber), 1);
  EXPECT_EQ(relay.Registry().Dropped(TDatagramFault::kNotFinite), 1);

  TClientSocket a("tovelu", {}, {});
  TClientSocket b("tovelu", {}, {});
  Connect(a);
  Connect(b);
  a.Exchange(Frame(1, 1));
  b.Exchange(Frame(2, 1));
  const long sentBefore = relay.Sent();
  stranger.SendTo(relay.Port(), EncodePerso(Frame(1, 9)).data(), kPersoSize);
  relay.Step();
  EXPECT_EQ(relay.Registry().Dropped(TDatagramFault::kThirdAddress), 1);
  EXPECT_EQ(relay.Sent(), sentBefore);
  EXPECT_EQ(relay.Players()[1].position.x, 1.0);
  udp::endpoint from;
  EXPECT_TRUE(stranger.ReceiveAll(from).empty()) << "a stranger gets no record";
}

TEST_F(NetLink, ClientDropsAndCountsMalformedRepliesAndKeepsTheGoodOne) {
  TRawSocket fakeRelay;
  TClientSocket a("tovelu", {}, {});
  a.ConnectTo("127.0.0.1", std::to_string(fakeRelay.Port()));
  a.Exchange(Frame(1, 1));  // nobody answers
  udp::endpoint client;
  const auto sent = fakeRelay.ReceiveAll(client);
  ASSERT_FALSE(sent.empty());
  for (const auto& datagram : sent) ASSERT_EQ(datagram.size(), kPersoSize);
  const auto first = DecodePerso(sent[0].data(), sent[0].size());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->position.x, 1.0);

  const std::uint8_t garbage[12] = {1, 2, 3};
  fakeRelay.socket.send_to(asio::buffer(garbage), client);
  TPerso wrong = Frame(2, 5);
  wrong.number = 9;
  fakeRelay.socket.send_to(asio::buffer(EncodePerso(wrong)), client);
  fakeRelay.socket.send_to(asio::buffer(EncodePerso(Frame(2, 6))), client);
  const TPerso got = a.Exchange(Frame(1, 2));
  EXPECT_EQ(a.Dropped(), 2);
  EXPECT_EQ(a.Received(), 1);
  EXPECT_EQ(got.position.x, 6.0);
  EXPECT_EQ(a.Timeouts(), 1);
}

TEST_F(NetLink, ReconnectingListensToTheNewRelayOnly) {
  TRawSocket first;
  TRawSocket second;
  TClientSocket a("tovelu", {}, {});
  a.ConnectTo("127.0.0.1", std::to_string(first.Port()));
  a.Exchange(Frame(1, 1));
  udp::endpoint client;
  ASSERT_FALSE(first.ReceiveAll(client).empty());
  first.socket.send_to(asio::buffer(EncodePerso(Frame(2, 7))), client);
  a.ConnectTo("127.0.0.1", std::to_string(second.Port()));
  ASSERT_FALSE(a.LinkDown());
  first.socket.send_to(asio::buffer(EncodePerso(Frame(2, 8))), client);
  a.Exchange(Frame(1, 2));
  EXPECT_EQ(a.Received(), 0) << "nothing from the relay left behind";
  udp::endpoint moved;
  const auto sent = second.ReceiveAll(moved);
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(DecodePerso(sent.back().data(), sent.back().size())->position.x, 2.0);
  second.socket.send_to(asio::buffer(EncodePerso(Frame(2, 9))), moved);
  EXPECT_EQ(a.Exchange(Frame(1, 3)).position.x, 9.0);
}

TEST_F(NetLink, SecondInstanceJoinsWhileTheFirstHosts) {
  EXPECT_EQ(TryCreateRelay(port, "127.0.0.1"), nullptr);
  const TLanRole joiner = ChooseLanRole("", port);
  EXPECT_FALSE(joiner.hosting);
  EXPECT_EQ(joiner.relay, nullptr);
  EXPECT_EQ(joiner.playerNumber, 2);
  EXPECT_EQ(joiner.relayAddress, "127.0.0.1");
  EXPECT_EQ(joiner.relayPort, port);

  const TLanRole host = ChooseLanRole("", "0");
  EXPECT_TRUE(host.hosting);
  ASSERT_NE(host.relay, nullptr);
  EXPECT_NE(host.relay->Port(), 0);
  EXPECT_EQ(host.playerNumber, 1);
  EXPECT_EQ(host.relayAddress, "127.0.0.1");

  // Joining an address given binds nothing and sends nothing yet. A loopback address
  // stands for another machine: no test names an address off this host.
  const TLanRole remote = ChooseLanRole("127.0.0.7", port);
  EXPECT_FALSE(remote.hosting);
  EXPECT_EQ(remote.relay, nullptr);
  EXPECT_EQ(remote.relayAddress, "127.0.0.7");
}

TEST_F(NetLink, SilentOtherPlayerIsGoneAndFramesStopWaitingUntilItReturns) {
  TLinkTiming quick;
  quick.goneAfter = std::chrono::milliseconds(150);
  TClientSocket a("tovelu", {}, {}, quick);
  Connect(a);
  EXPECT_FALSE(a.OtherPlayerGone());
  a.Exchange(Frame(1, 1));
  a.Exchange(Frame(1, 2));
  while (Clock::now() - a.LastDatagramTime() < quick.goneAfter) a.Exchange(Frame(1, 3));
  EXPECT_TRUE(a.OtherPlayerGone());
  EXPECT_LT(Millis([&] { a.Exchange(Frame(1, 4)); }), 25.0);

  TClientSocket b("tovelu", {}, {});
  Connect(b);
  EXPECT_EQ(b.Exchange(Frame(2, 1)).position.x, 4.0);
  a.Exchange(Frame(1, 5));
  a.Exchange(Frame(1, 6));
  EXPECT_TRUE(a.HeardFromOther());
  EXPECT_FALSE(a.OtherPlayerGone());
  EXPECT_EQ(a.Incoming().position.y, 200.0);
}

TEST(NetConsole, ConnectionLinesAndLinkDownByte) {
  TRawSocket peer;
  const std::string port = std::to_string(peer.Port());
  testing::internal::CaptureStdout();
  {
    TClientSocket never("tovelu", {}, {});
    TClientSocket c("tovelu", {1.0, 2.0, 3.0}, {4.0, 5.0, 6.0});
    EXPECT_TRUE(c.LinkDown());
    EXPECT_TRUE(c.Outgoing().linkDown);
    EXPECT_EQ(c.Outgoing().name, "tovelu");
    EXPECT_EQ(c.Outgoing().number, 0);
    EXPECT_EQ(c.Outgoing().rotation.z, 6.0);
    c.ConnectTo("not an address", port);
    EXPECT_TRUE(c.LinkDown());
    c.ConnectTo("127.0.0.1", "0");
    EXPECT_TRUE(c.LinkDown());
    // Without a link an exchange returns at once with the record it has.
    EXPECT_LT(Millis([&] { c.Exchange(Frame(1, 1)); }), 25.0);
    c.ConnectTo("localhost", port);
    EXPECT_FALSE(c.LinkDown());
    EXPECT_EQ(c.RemoteAddress(), "localhost");
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Impossible de se connecter. Erreur #22\n"
            "Impossible de se connecter. Erreur #22\n"
            "Connection reussi ! GG Talvo t'es trop fort!\n"
            "Extinction des feus !\n");
}

TEST(NetConsole, RefusedDatagramsEndTheWaitWithOneErrorLine) {
  unsigned short closedPort = 0;
  {
    TRawSocket gone;
    closedPort = gone.Port();
  }
  testing::internal::CaptureStdout();
  {
    TClientSocket c("tovelu", {}, {});
    c.ConnectTo("127.0.0.1", std::to_string(closedPort));
    TPerso got;
    EXPECT_LT(Millis([&] { got = c.Exchange(Frame(1, 1)); }), 45.0);
    c.Exchange(Frame(1, 2));
    EXPECT_EQ(got.number, 0);
    EXPECT_EQ(c.Timeouts(), 0) << "a refusal is no wait that ran out";
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Connection reussi ! GG Talvo t'es trop fort!\n"
            "Erreur! std::system_error: Connection refused\n"
            "Extinction des feus !\n");
}
