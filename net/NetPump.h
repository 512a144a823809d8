// The one place where the link's socket notifications are delivered. Every endpoint of
// the process shares it, so a host's client and relay, living on one thread, serve each
// other: whichever of them pumps also runs the other's handlers.
#pragma once

#include <chrono>
#include <cstddef>

#include <asio/io_context.hpp>

namespace netpump {

// Kept alive by a work guard: an idle context would otherwise stop delivering for good
// after its first quiet poll.
asio::io_context& Context();

// Runs what is ready and returns at once; at most `limit` handlers, so a flood of
// datagrams cannot hold a frame.
std::size_t Drain(std::size_t limit = 256);

// Runs one handler, waiting for it no later than `until`.
std::size_t RunOneUntil(std::chrono::steady_clock::time_point until);

}  // namespace netpump
