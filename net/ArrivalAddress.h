// Datagrams on a socket bound to every local address ("0.0.0.0"), answered from the
// address each one was sent to. Left to itself the kernel picks the source address of a
// reply by its routes, and on a host with several addresses that can be another one than
// the player wrote to; the player's connected socket then drops the reply as a stranger's.
// The kernel tells the address a datagram arrived on (IP_PKTINFO, IPV6_PKTINFO) and takes
// the source of a send the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <system_error>

#include <asio/ip/address.hpp>
#include <asio/ip/udp.hpp>

namespace netarrival {

// The local side of one datagram: the address it was sent to (and, for IPv6, the
// interface, which a link-local address needs). Unknown when the kernel did not say.
struct TLocalAddress {
  bool known = false;
  asio::ip::address address;
  unsigned interfaceIndex = 0;
};

struct TArrival {
  std::size_t size = 0;  // bytes received, at most the buffer's size
  asio::ip::udp::endpoint from;
  TLocalAddress local;
};

// Asks the kernel to report each datagram's local address from now on.
void ReportArrivalAddress(asio::ip::udp::socket& socket, std::error_code& ec);

// One datagram, never waiting: asio::error::would_block when none is queued.
TArrival Receive(asio::ip::udp::socket& socket, std::uint8_t* buffer, std::size_t capacity,
                 std::error_code& ec);

// Sends one datagram from `local` when it is known; without waiting (a full send buffer
// loses the datagram, as the network may).
void SendFrom(asio::ip::udp::socket& socket, const std::uint8_t* data, std::size_t size,
              const asio::ip::udp::endpoint& to, const TLocalAddress& local,
              std::error_code& ec);

}  // namespace netarrival
