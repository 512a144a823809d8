// Helpers shared by the two endpoints: turning the texts the game passes into socket
// addresses, and the clock the waits are timed by.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <system_error>

#include <asio/ip/udp.hpp>

namespace netendpoint {

// Real datagrams are involved: waits run on the steady clock, not the game's tick count.
using Clock = std::chrono::steady_clock;

// Decimal port 1..65535, or 0 too when allowZero (bind to any free port).
std::uint16_t ParsePort(const std::string& text, bool allowZero, std::error_code& ec);

// A numeric IPv4/IPv6 address, "localhost", or a host name looked up with Resolve.
asio::ip::udp::endpoint MakeEndpoint(const std::string& address, const std::string& port,
                                     bool allowZeroPort, std::error_code& ec);

// Letters, digits, hyphens and dots, 1 to 253 of them.
bool HostNameSyntax(const std::string& name);

// Looks a host name up with the system's resolver (hosts file, DNS). It can wait for the
// name service, so it is only called once, when a game joins.
asio::ip::udp::endpoint Resolve(const std::string& name, std::uint16_t port,
                                std::error_code& ec);

// A stable text naming a datagram's source, for the relay's registry.
std::string SourceKey(const asio::ip::udp::endpoint& endpoint);

}  // namespace netendpoint
