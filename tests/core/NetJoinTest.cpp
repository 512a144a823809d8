// Joining a host by name, and a joiner that cannot reach its host. Loopback only: the
// names used resolve from the hosts file or are refused before any lookup.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "net/NetEndpoint.h"
#include "net/NetLink.h"

namespace {

TLanRole JoinRole(const std::string& address, const std::string& port) {
  TLanRole role;
  role.relayAddress = address;
  role.relayPort = port;
  role.playerNumber = 2;
  return role;
}

TPerso Record(int number) {
  TPerso record;
  record.number = number;
  record.position = {1.0, -200.0, 3.0};
  return record;
}

}  // namespace

TEST(NetJoin, HostNamesResolveAndTextsThatAreNoNameAreRefusedWithoutALookup) {
  std::error_code ec;
  const auto byName = netendpoint::MakeEndpoint("localhost", "1234", false, ec);
  ASSERT_FALSE(ec) << ec.message();
  EXPECT_EQ(byName.address().to_string(), "127.0.0.1");  // IPv4, where the relay listens
  EXPECT_EQ(byName.port(), 1234);

  EXPECT_TRUE(netendpoint::HostNameSyntax("relay-2.example.lan"));
  for (const std::string& bad :
       std::vector<std::string>{"", "not an address", "a/b", std::string(254, 'a')}) {
    EXPECT_FALSE(netendpoint::HostNameSyntax(bad)) << bad;
    netendpoint::MakeEndpoint(bad, "1234", false, ec);
    EXPECT_EQ(ec, asio::error::invalid_argument) << bad;
  }
  // A label longer than 63 characters is refused by the resolver before any query.
  netendpoint::MakeEndpoint(std::string(70, 'x'), "1234", false, ec);
  EXPECT_TRUE(ec);
}

TEST(NetJoin, JoinerGivenAHostNameLinksWithTheHost) {
  auto relay = std::make_unique<TServerSocket>("0", "127.0.0.1");
  const std::string port = std::to_string(relay->Port());
  TLanRole hostRole = JoinRole("127.0.0.1", port);
  hostRole.relay = std::move(relay);
  hostRole.hosting = true;
  TSocketLink host(std::move(hostRole), std::make_unique<TClientSocket>("tovelu", T_point{},
                                                                        T_point{}));
  TSocketLink joiner(JoinRole("localhost", port),
                     std::make_unique<TClientSocket>("tovelu", T_point{}, T_point{}));
  for (int i = 0; i < 50 && (host.RegisteredPlayers() < 2 || joiner.RegisteredPlayers() < 2);
       ++i) {
    host.Exchange(Record(1));
    joiner.Exchange(Record(2));
  }
  EXPECT_EQ(host.RegisteredPlayers(), 2);
  EXPECT_EQ(joiner.RegisteredPlayers(), 2);
  EXPECT_EQ(joiner.Failure(), "");
  EXPECT_EQ(joiner.Exchange(Record(2)).position.z, 3.0);
}

TEST(NetJoin, JoinerTellsWhyTheHostCannotBeReached) {
  // A name that does not resolve: the race is not built, and the message names it.
  const std::string unknown(70, 'x');
  try {
    TSocketLink link(JoinRole(unknown, "1234"),
                     std::make_unique<TClientSocket>("tovelu", T_point{}, T_point{}));
    ADD_FAILURE() << "a link to an unknown name was built";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(unknown), std::string::npos) << error.what();
  }

  // Nobody on the port: the kernel refuses the datagrams and the link says so.
  unsigned short closedPort = 0;
  {
    TServerSocket probe("0", "127.0.0.1");
    closedPort = probe.Port();
  }
  TSocketLink link(JoinRole("127.0.0.1", std::to_string(closedPort)),
                   std::make_unique<TClientSocket>("tovelu", T_point{}, T_point{}));
  for (int i = 0; i < 20 && link.Failure().empty(); ++i) link.Exchange(Record(2));
  EXPECT_NE(link.Failure().find("127.0.0.1"), std::string::npos) << link.Failure();
  EXPECT_EQ(link.RegisteredPlayers(), 0);
}
