#include "net/NetPump.h"

#include <asio/executor_work_guard.hpp>

namespace netpump {

namespace {
struct TPumpState {
  asio::io_context context{1};  // one thread: no locking inside the context
  asio::executor_work_guard<asio::io_context::executor_type> guard =
      asio::make_work_guard(context);
};

TPumpState& State() {
  static TPumpState state;
  return state;
}
}  // namespace

asio::io_context& Context() { return State().context; }

std::size_t Drain(std::size_t limit) {
  std::size_t ran = 0;
  while (ran < limit && Context().poll_one() > 0) ++ran;
  return ran;
}

std::size_t RunOneUntil(std::chrono::steady_clock::time_point until) {
  if (std::chrono::steady_clock::now() >= until) return Context().poll_one();
  return Context().run_one_until(until);
}

}  // namespace netpump
