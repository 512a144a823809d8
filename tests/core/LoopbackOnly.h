// The network tests stay on this host: see LoopbackOnly.cpp.
#pragma once

#include <sys/socket.h>

// True for addresses that never leave this host as the tests use them: IPv4 127.0.0.0/8
// (also written as an IPv4-mapped IPv6 address) and the local families (AF_UNIX...).
// Everything else on the internet families is refused, ::1 and 0.0.0.0 included.
bool StaysOnLoopback(const sockaddr* address, socklen_t length);
