// Every network test sends only to 127.0.0.0/8. The test program defines its own
// connect, sendto and sendmsg, which come before the C library's for every call the code
// under test makes, so a datagram or a connection to any other address is refused
// (ENETUNREACH, as from a host without a route) and fails the running test, whatever
// address a future test writes. Everything else goes on to the real call.
#include "LoopbackOnly.h"

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstring>

#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

bool InLoopbackRange(std::uint32_t hostOrder) { return (hostOrder >> 24) == 127; }

bool StaysOnLoopbackV6(const sockaddr_in6& a) {
  static const unsigned char kMapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
  const unsigned char* bytes = a.sin6_addr.s6_addr;
  return std::memcmp(bytes, kMapped, sizeof kMapped) == 0 && bytes[12] == 127;
}

template <typename TCall>
TCall Real(const char* name) {
  return reinterpret_cast<TCall>(dlsym(RTLD_NEXT, name));
}

bool Refuse(const sockaddr* address, socklen_t length) {
  if (StaysOnLoopback(address, length)) return false;
  ADD_FAILURE() << "a test tried to reach an address off this host (family "
                << (address ? address->sa_family : -1) << ")";
  errno = ENETUNREACH;
  return true;
}

}  // namespace

bool StaysOnLoopback(const sockaddr* address, socklen_t length) {
  if (address == nullptr) return true;  // a connected socket's peer, checked at connect
  if (address->sa_family == AF_INET) {
    sockaddr_in a{};
    if (length < static_cast<socklen_t>(sizeof a)) return false;
    std::memcpy(&a, address, sizeof a);
    return InLoopbackRange(ntohl(a.sin_addr.s_addr));
  }
  if (address->sa_family == AF_INET6) {
    sockaddr_in6 a{};
    if (length < static_cast<socklen_t>(sizeof a)) return false;
    std::memcpy(&a, address, sizeof a);
    return StaysOnLoopbackV6(a);
  }
  // AF_UNSPEC undoes a UDP connection; AF_UNIX and the like never leave the host.
  return true;
}

extern "C" int connect(int fd, const sockaddr* address, socklen_t length) {
  if (Refuse(address, length)) return -1;
  return Real<int (*)(int, const sockaddr*, socklen_t)>("connect")(fd, address, length);
}

extern "C" ssize_t sendto(int fd, const void* data, size_t size, int flags,
                          const sockaddr* address, socklen_t length) {
  if (Refuse(address, length)) return -1;
  return Real<ssize_t (*)(int, const void*, size_t, int, const sockaddr*, socklen_t)>(
      "sendto")(fd, data, size, flags, address, length);
}

extern "C" ssize_t sendmsg(int fd, const msghdr* message, int flags) {
  if (message != nullptr &&
      Refuse(static_cast<const sockaddr*>(message->msg_name), message->msg_namelen)) {
    return -1;
  }
  return Real<ssize_t (*)(int, const msghdr*, int)>("sendmsg")(fd, message, flags);
}

TEST(LoopbackOnly, OnlyTheLoopbackRangeAndLocalFamiliesPass) {
  auto v4 = [](const char* text) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, text, &a.sin_addr);
    return StaysOnLoopback(reinterpret_cast<const sockaddr*>(&a), sizeof a);
  };
  auto v6 = [](const char* text) {
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    inet_pton(AF_INET6, text, &a.sin6_addr);
    return StaysOnLoopback(reinterpret_cast<const sockaddr*>(&a), sizeof a);
  };
  EXPECT_TRUE(v4("127.0.0.1"));
  EXPECT_TRUE(v4("127.0.0.2"));
  EXPECT_TRUE(v4("127.255.255.254"));
  EXPECT_FALSE(v4("128.0.0.1"));
  EXPECT_FALSE(v4("126.255.255.255"));
  EXPECT_FALSE(v4("0.0.0.0"));
  EXPECT_FALSE(v4("192.0.2.7"));
  EXPECT_FALSE(v4("198.51.100.255"));
  EXPECT_TRUE(v6("::ffff:127.0.0.1"));
  EXPECT_FALSE(v6("::ffff:198.51.100.1"));
  EXPECT_FALSE(v6("::1"));
  EXPECT_FALSE(v6("2001:db8::1"));
  sockaddr_in shortOne{};
  shortOne.sin_family = AF_INET;
  EXPECT_FALSE(StaysOnLoopback(reinterpret_cast<const sockaddr*>(&shortOne), 4));
  sockaddr unix{};
  unix.sa_family = AF_UNIX;
  EXPECT_TRUE(StaysOnLoopback(&unix, sizeof unix));
}

// The link's own socket calls land in the guard. Connecting a UDP socket sends nothing,
// so even a guard that failed to catch it would let nothing off the host.
TEST(LoopbackOnly, ConnectionOffTheHostIsRefusedAndFailsTheTest) {
  asio::io_context io;
  asio::ip::udp::socket socket(io, asio::ip::udp::v4());
  std::error_code ec;
  EXPECT_NONFATAL_FAILURE(
      socket.connect({asio::ip::make_address("192.0.2.7"), 9}, ec), "off this host");
  EXPECT_EQ(ec, std::error_code(ENETUNREACH, asio::error::get_system_category()));
  socket.connect({asio::ip::make_address("127.0.0.1"), 9}, ec);
  EXPECT_FALSE(ec);
}
