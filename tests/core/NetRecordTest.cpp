#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "net/PersoRecord.h"
#include "net/RelayRegistry.h"

namespace {

TPerso Sample() {
  TPerso r;
  r.number = 2;
  r.position = {1.5, -2.0, 3.25};
  r.rotation = {10.0, -90.0, 0.5};
  r.name = "player1";
  r.score = 70;
  r.extra = -5;
  r.linkDown = true;
  r.playerCount = 2;
  return r;
}

std::uint32_t U32At(const TPersoBytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TPersoBytes Datagram(int number, double x, int score = 0) {
  TPerso r;
  r.number = number;
  r.position = {x, 200.0, -x};
  r.score = score;
  return EncodePerso(r);
}

void ExpectSameState(const TPerso& a, const TPerso& b) {
  EXPECT_EQ(a.position.x, b.position.x);
  EXPECT_EQ(a.position.y, b.position.y);
  EXPECT_EQ(a.position.z, b.position.z);
  EXPECT_EQ(a.rotation.x, b.rotation.x);
  EXPECT_EQ(a.rotation.y, b.rotation.y);
  EXPECT_EQ(a.rotation.z, b.rotation.z);
  EXPECT_EQ(a.score, b.score);
  EXPECT_EQ(a.extra, b.extra);
  EXPECT_EQ(a.linkDown, b.linkDown);
}

}  // namespace

TEST(NetRecord, EncodesEightyLittleEndianBytesWithZeroNameAndGaps) {
  const TPersoBytes b = EncodePerso(Sample());
  EXPECT_EQ(U32At(b, 0), 2u);
  // 1.5 is 0x3FF8000000000000: the high bytes come last.
  const std::uint8_t onePointFive[8] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
  EXPECT_EQ(std::memcmp(&b[8], onePointFive, 8), 0);
  double y = 0;
  std::memcpy(&y, &b[16], 8);  // this machine is little-endian too
  EXPECT_EQ(y, -2.0);
  double rotY = 0;
  std::memcpy(&rotY, &b[40], 8);
  EXPECT_EQ(rotY, -90.0);
  EXPECT_EQ(U32At(b, 56), 0u) << "the name never travels";
  EXPECT_EQ(U32At(b, 60), 70u);
  EXPECT_EQ(U32At(b, 64), 0xFFFFFFFBu);
  EXPECT_EQ(b[68], 1);
  EXPECT_EQ(U32At(b, 72), 2u);
  for (std::size_t gap : {4, 5, 6, 7, 69, 70, 71, 76, 77, 78, 79}) EXPECT_EQ(b[gap], 0) << gap;
}

TEST(NetRecord, DecodesEveryFieldButTheNameWhateverItsSlotHolds) {
  TPersoBytes b = EncodePerso(Sample());
  const std::uint8_t pointerLike[4] = {0xEF, 0xBE, 0xAD, 0xDE};
  std::memcpy(&b[56], pointerLike, 4);
  const auto decoded = DecodePerso(b.data(), b.size());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->number, 2);
  EXPECT_EQ(decoded->playerCount, 2);
  EXPECT_TRUE(decoded->name.empty());
  ExpectSameState(*decoded, Sample());
}

TEST(NetRecord, RefusesWrongSizesNumbersAndStatesThatAreNotFinite) {
  const TPersoBytes good = Datagram(1, 4.0);
  EXPECT_EQ(CheckDatagram(good.data(), 80), TDatagramFault::kNone);
  EXPECT_EQ(CheckDatagram(good.data(), 79), TDatagramFault::kWrongSize);
  EXPECT_EQ(CheckDatagram(good.data(), 0), TDatagramFault::kWrongSize);
  EXPECT_EQ(CheckDatagram(nullptr, 80), TDatagramFault::kWrongSize);
  std::uint8_t longer[81] = {};
  EXPECT_EQ(CheckDatagram(longer, 81), TDatagramFault::kWrongSize);
  for (int number : {-1, 3, 0x7FFFFFFF}) {
    EXPECT_EQ(CheckDatagram(Datagram(number, 0).data(), 80), TDatagramFault::kBadNumber);
  }
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()};
  for (double value : bad) {
    EXPECT_EQ(CheckDatagram(Datagram(0, value).data(), 80), TDatagramFault::kNotFinite);
    TPerso turned;
    turned.rotation.z = value;
    EXPECT_EQ(CheckDatagram(EncodePerso(turned).data(), 80), TDatagramFault::kNotFinite);
  }
  EXPECT_FALSE(DecodePerso(good.data(), 79));
}

TEST(NetRecord, ReceiverKeepsItsNameAndPlayerCountAndRefusalsChangeNothing) {
  TPerso kept;
  kept.name = "player2";
  kept.playerCount = 2;
  TPerso sent = Sample();
  sent.playerCount = 7;
  const TPersoBytes b = EncodePerso(sent);
  ASSERT_TRUE(TakeReceived(kept, b.data(), b.size()));
  EXPECT_EQ(kept.name, "player2");
  EXPECT_EQ(kept.playerCount, 2);
  EXPECT_EQ(kept.number, 2);
  ExpectSameState(kept, sent);

  const TPersoBytes other = Datagram(1, 99.0, 30);
  EXPECT_FALSE(TakeReceived(kept, other.data(), 60));
  ExpectSameState(kept, sent);
}

TEST(NetRecord, CaughtCountComesFromTheScoreAndStaysInRange) {
  TPerso r;
  r.score = 70;
  EXPECT_EQ(CaughtCountOf(r, 20), 7);
  r.score = 79;
  EXPECT_EQ(CaughtCountOf(r, 20), 7);
  r.score = -10;
  EXPECT_EQ(CaughtCountOf(r, 20), 0);
  r.score = 2'000'000'000;
  EXPECT_EQ(CaughtCountOf(r, 20), 20);
  EXPECT_EQ(CaughtCountOf(r, 0), 0);
}

namespace {

struct NetRelayRules : ::testing::Test {
  TRelayRegistry relay;
  TRelayVerdict Send(const TPersoBytes& b, const std::string& from, std::int64_t ms = 0) {
    return relay.Receive(b.data(), b.size(), from, ms);
  }
};

}  // namespace

TEST_F(NetRelayRules, FirstTwoNewPlayersRegisterAsOneAndTwo) {
  TRelayVerdict v = Send(Datagram(0, 5.0, 10), "A");
  EXPECT_EQ(v.sender, 1);
  EXPECT_TRUE(v.newPlayer);
  EXPECT_EQ(v.other, 0) << "a relay with one player sends nothing";
  EXPECT_EQ(relay.Count(), 1);
  EXPECT_EQ(relay.Players()[1].number, 1);
  EXPECT_EQ(relay.Players()[1].playerCount, 1);
  EXPECT_EQ(relay.Players()[1].position.x, 5.0);
  EXPECT_EQ(relay.Players()[1].score, 10);
  EXPECT_EQ(relay.Players()[2].number, 0);

  v = Send(Datagram(0, 6.0), "B");
  EXPECT_EQ(v.sender, 2);
  EXPECT_TRUE(v.newPlayer);
  EXPECT_EQ(v.other, 1);
  EXPECT_EQ(relay.Count(), 2);
  EXPECT_EQ(relay.Players()[1].playerCount, 2);
  EXPECT_EQ(relay.Players()[2].playerCount, 2);
  EXPECT_EQ(relay.Players()[2].number, 2);
  EXPECT_EQ(relay.Players()[2].position.x, 6.0);
  EXPECT_EQ(relay.AddressOf(1), "A");
  EXPECT_EQ(relay.AddressOf(2), "B");
}

TEST_F(NetRelayRules, NumberedRecordOverwritesItsSlotButNotItsCount) {
  Send(Datagram(0, 1.0), "A");
  Send(Datagram(0, 2.0), "B");
  TPerso r;
  r.number = 2;
  r.position = {8.0, 9.0, 10.0};
  r.playerCount = 99;
  const TRelayVerdict v = Send(EncodePerso(r), "B");
  EXPECT_EQ(v.sender, 2);
  EXPECT_FALSE(v.newPlayer);
  EXPECT_EQ(v.other, 1);
  EXPECT_EQ(relay.Players()[2].position.y, 9.0);
  EXPECT_EQ(relay.Players()[2].playerCount, 2);
  EXPECT_EQ(relay.Count(), 2);
}

TEST_F(NetRelayRules, SenderAddressDecidesTheSlotAndOtherNumbersAreRefused) {
  Send(Datagram(0, 1.0), "A");
  // The same player again with number 0: no second registration.
  EXPECT_EQ(Send(Datagram(0, 1.5), "A").sender, 1);
  EXPECT_EQ(relay.Count(), 1);
  Send(Datagram(0, 2.0), "B");
  // Its own number is fine.
  EXPECT_EQ(Send(Datagram(1, 1.75), "A").sender, 1);
  // Player 1 sending number 2 sends player 2's record back: refused, nothing changes,
  // nothing is passed on.
  const TRelayVerdict v = Send(Datagram(2, 7.0), "A");
  EXPECT_EQ(v.fault, TDatagramFault::kReflected);
  EXPECT_EQ(v.sender, 0);
  EXPECT_EQ(v.other, 0);
  EXPECT_EQ(relay.Players()[1].position.x, 1.75);
  EXPECT_EQ(relay.Players()[1].number, 1);
  EXPECT_EQ(relay.Players()[2].position.x, 2.0);
  EXPECT_EQ(relay.Dropped(TDatagramFault::kReflected), 1);
}

TEST_F(NetRelayRules, MalformedAndThirdAddressDatagramsAreDroppedAndCounted) {
  Send(Datagram(0, 1.0), "A");
  Send(Datagram(0, 2.0), "B");
  const TPersoBytes good = Datagram(0, 3.0);
  EXPECT_EQ(relay.Receive(good.data(), 79, "A", 0).fault, TDatagramFault::kWrongSize);
  EXPECT_EQ(Send(Datagram(3, 3.0), "A").fault, TDatagramFault::kBadNumber);
  EXPECT_EQ(Send(Datagram(-2, 3.0), "B").fault, TDatagramFault::kBadNumber);
  EXPECT_EQ(Send(Datagram(1, NAN), "A").fault, TDatagramFault::kNotFinite);
  const TRelayVerdict third = Send(Datagram(0, 3.0), "C");
  EXPECT_EQ(third.fault, TDatagramFault::kThirdAddress);
  EXPECT_EQ(third.sender, 0);
  EXPECT_EQ(third.other, 0);
  EXPECT_EQ(relay.Dropped(TDatagramFault::kWrongSize), 1);
  EXPECT_EQ(relay.Dropped(TDatagramFault::kBadNumber), 2);
  EXPECT_EQ(relay.Dropped(TDatagramFault::kNotFinite), 1);
  EXPECT_EQ(relay.Dropped(TDatagramFault::kThirdAddress), 1);
  EXPECT_EQ(relay.Dropped(), 5);
  EXPECT_EQ(relay.Count(), 2);
  EXPECT_EQ(relay.Players()[1].position.x, 1.0);
  EXPECT_EQ(relay.Players()[2].position.x, 2.0);
}

TEST_F(NetRelayRules, PlayerSilentFiveSecondsGivesItsSlotToANewcomer) {
  Send(Datagram(0, 1.0), "A", 0);
  Send(Datagram(0, 2.0), "B", 0);
  Send(Datagram(0, 1.0), "A", 4000);
  EXPECT_EQ(Send(Datagram(0, 3.0), "C", 4999).fault, TDatagramFault::kThirdAddress);
  const TRelayVerdict v = Send(Datagram(0, 3.0), "C", 5000);
  EXPECT_EQ(v.sender, 2);
  EXPECT_TRUE(v.newPlayer);
  EXPECT_EQ(v.other, 1);
  EXPECT_EQ(relay.AddressOf(2), "C");
  EXPECT_EQ(relay.Players()[2].position.x, 3.0);
  EXPECT_EQ(relay.Players()[2].playerCount, 2);
  // The old address is now the stranger.
  EXPECT_EQ(Send(Datagram(0, 2.0), "B", 5001).fault, TDatagramFault::kThirdAddress);
}

TEST(NetRecord, ReceivedRecordsAreHeldToTheCourseAndTheTerrain) {
  TRecordBounds bounds;
  bounds.ringCount = 5;
  bounds.halfWidth = 1000.0;
  bounds.halfDepth = 500.0;
  TPerso r;
  r.position = {-2999.0, -200.0, 1499.0};  // within one terrain size of the edges
  r.score = 50;
  EXPECT_TRUE(PlausibleRecord(r, bounds));
  for (const int score : {-10, 51, 2'000'000'000}) {
    TPerso bad = r;
    bad.score = score;
    EXPECT_FALSE(PlausibleRecord(bad, bounds)) << score;
  }
  for (const T_point p : {T_point{3001.0, 0.0, 0.0}, T_point{0.0, 0.0, -1501.0},
                          T_point{0.0, -2.0e6, 0.0},
                          T_point{0.0, std::numeric_limits<double>::infinity(), 0.0}}) {
    TPerso bad = r;
    bad.position = p;
    EXPECT_FALSE(PlausibleRecord(bad, bounds)) << p.x << " " << p.y << " " << p.z;
  }
  TPerso spun = r;
  spun.rotation.y = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(PlausibleRecord(spun, bounds));

  // The shared count moves one ring at most and never back.
  EXPECT_EQ(AdvanceCaughtCount(0, r, 5), 1);
  EXPECT_EQ(AdvanceCaughtCount(4, r, 5), 5);
  r.score = 20;
  EXPECT_EQ(AdvanceCaughtCount(3, r, 5), 3);
  EXPECT_EQ(AdvanceCaughtCount(1, r, 5), 2);
}
