// Helpers shared by the two endpoints: turning the texts the game passes into socket
// addresses without any lookup that could block, and the clock the waits are timed by.
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

// Numeric IPv4/IPv6 address or "localhost" with a port.
asio::ip::udp::endpoint MakeEndpoint(const std::string& address, const std::string& port,
                                     bool allowZeroPort, std::error_code& ec);

// A stable text naming a datagram's source, for the relay's registry.
std::string SourceKey(const asio::ip::udp::endpoint& endpoint);

}  // namespace netendpoint
