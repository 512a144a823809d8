#include "net/ArrivalAddress.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <cstring>

#include <asio/error.hpp>

namespace netarrival {

namespace {

std::error_code LastError() { return {errno, asio::error::get_system_category()}; }

// Replying from a multicast address is impossible; such a datagram is answered from the
// address the routes pick, as before.
TLocalAddress Local(const asio::ip::address& address, unsigned interfaceIndex) {
  TLocalAddress local;
  local.known = !address.is_multicast() && !address.is_unspecified();
  local.address = address;
  local.interfaceIndex = interfaceIndex;
  return local;
}

TLocalAddress FromV4(const cmsghdr& c) {
  in_pktinfo info{};
  std::memcpy(&info, CMSG_DATA(&c), sizeof info);
  // ipi_spec_dst: the address written to, or for a broadcast one of the host's own.
  const asio::ip::address_v4 address(ntohl(info.ipi_spec_dst.s_addr));
  return Local(address, 0);
}

TLocalAddress FromV6(const cmsghdr& c) {
  in6_pktinfo info{};
  std::memcpy(&info, CMSG_DATA(&c), sizeof info);
  asio::ip::address_v6::bytes_type bytes;
  std::memcpy(bytes.data(), &info.ipi6_addr, bytes.size());
  const asio::ip::address_v6 address(bytes);
  if (address.is_v4_mapped()) {
    return Local(asio::ip::make_address_v4(asio::ip::v4_mapped, address), 0);
  }
  return Local(address, info.ipi6_ifindex);
}

TLocalAddress LocalOf(msghdr& msg) {
  for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c != nullptr; c = CMSG_NXTHDR(&msg, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) return FromV4(*c);
    if (c->cmsg_level == IPPROTO_IPV6 && c->cmsg_type == IPV6_PKTINFO) return FromV6(*c);
  }
  return {};
}

template <typename TInfo>
void PutControl(msghdr& msg, int level, int type, const TInfo& info) {
  msg.msg_controllen = CMSG_SPACE(sizeof info);
  cmsghdr* c = CMSG_FIRSTHDR(&msg);
  c->cmsg_len = CMSG_LEN(sizeof info);
  c->cmsg_level = level;
  c->cmsg_type = type;
  std::memcpy(CMSG_DATA(c), &info, sizeof info);
}

// The one control message that names the source address of a send.
void PutSource(msghdr& msg, const TLocalAddress& local) {
  if (local.address.is_v4()) {
    in_pktinfo info{};
    info.ipi_spec_dst.s_addr = htonl(local.address.to_v4().to_uint());
    PutControl(msg, IPPROTO_IP, IP_PKTINFO, info);
    return;
  }
  in6_pktinfo info{};
  const auto bytes = local.address.to_v6().to_bytes();
  std::memcpy(&info.ipi6_addr, bytes.data(), bytes.size());
  info.ipi6_ifindex = local.interfaceIndex;
  PutControl(msg, IPPROTO_IPV6, IPV6_PKTINFO, info);
}

}  // namespace

void ReportArrivalAddress(asio::ip::udp::socket& socket, std::error_code& ec) {
  ec.clear();
  const int on = 1;
  const int fd = socket.native_handle();
  const auto bound = socket.local_endpoint(ec);
  if (ec) return;
  if (bound.protocol() == asio::ip::udp::v4()) {
    if (::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0) ec = LastError();
    return;
  }
  if (::setsockopt(fd, IPPROTO_IPV6, IPV6_RECVPKTINFO, &on, sizeof on) != 0) ec = LastError();
  // A dual-stack socket also hears IPv4 players; either report names their address.
  ::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
}

TArrival Receive(asio::ip::udp::socket& socket, std::uint8_t* buffer, std::size_t capacity,
                 std::error_code& ec) {
  ec.clear();
  TArrival arrival;
  iovec part{buffer, capacity};
  alignas(cmsghdr) std::array<unsigned char, 256> control{};
  msghdr msg{};
  msg.msg_name = arrival.from.data();
  msg.msg_namelen = static_cast<socklen_t>(arrival.from.capacity());
  msg.msg_iov = &part;
  msg.msg_iovlen = 1;
  msg.msg_control = control.data();
  msg.msg_controllen = control.size();
  const ssize_t n = ::recvmsg(socket.native_handle(), &msg, MSG_DONTWAIT);
  if (n < 0) {
    ec = LastError();
    return {};
  }
  arrival.from.resize(msg.msg_namelen);
  arrival.size = static_cast<std::size_t>(n);
  arrival.local = LocalOf(msg);
  return arrival;
}

void SendFrom(asio::ip::udp::socket& socket, const std::uint8_t* data, std::size_t size,
              const asio::ip::udp::endpoint& to, const TLocalAddress& local,
              std::error_code& ec) {
  ec.clear();
  iovec part{const_cast<std::uint8_t*>(data), size};
  alignas(cmsghdr) std::array<unsigned char, CMSG_SPACE(sizeof(in6_pktinfo))> control{};
  msghdr msg{};
  msg.msg_name = const_cast<sockaddr*>(to.data());
  msg.msg_namelen = static_cast<socklen_t>(to.size());
  msg.msg_iov = &part;
  msg.msg_iovlen = 1;
  if (local.known) {
    msg.msg_control = control.data();
    PutSource(msg, local);
  }
  if (::sendmsg(socket.native_handle(), &msg, MSG_DONTWAIT | MSG_NOSIGNAL) < 0) {
    ec = LastError();
  }
}

}  // namespace netarrival
