// The relay endpoint and the choice of roles. The relay passes records on from its
// receive handler: on the host the client's wait pumps the same context, so the host's
// own exchange is answered while it waits, on the one thread.
#include <array>
#include <system_error>

#include <asio/error.hpp>
#include <asio/ip/udp.hpp>

#include "net/NetConsole.h"
#include "net/NetEndpoint.h"
#include "net/NetPump.h"
#include "net/UNetwork.h"

using netendpoint::Clock;

struct TServerSocket::TImpl {
  std::array<std::uint8_t, 128> buffer{};  // room past one record, to see oversized datagrams
  asio::ip::udp::endpoint from;
  asio::ip::udp::socket socket{netpump::Context()};  // after the buffer: goes first

  TRelayRegistry registry;
  std::array<asio::ip::udp::endpoint, 2> peers;  // where players 1 and 2 are answered
  bool receiving = false;
  int errorsInRow = 0;
  std::string lastError;
  long sent = 0;
  Clock::time_point start = Clock::now();
  TDropHook dropHook;
};

namespace {

using TImplPtr = std::shared_ptr<TServerSocket::TImpl>;

// Errors in a row after which the handler stops re-arming and leaves it to Step.
constexpr int kErrorsBeforePause = 8;

void SendRecord(TServerSocket::TImpl& s, int number, int to) {
  const TPersoBytes bytes = EncodePerso(s.registry.Players()[number]);
  if (s.dropHook && s.dropHook(bytes)) return;
  std::error_code ec;
  s.socket.send_to(asio::buffer(bytes), s.peers[static_cast<std::size_t>(to - 1)], 0, ec);
  if (!ec) ++s.sent;  // a refused or full send is a lost datagram; the player resends
}

void Relay(TServerSocket::TImpl& s, std::size_t size) {
  const auto nowMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - s.start).count();
  const TRelayVerdict verdict =
      s.registry.Receive(s.buffer.data(), size, netendpoint::SourceKey(s.from), nowMs);
  if (verdict.sender == 0) return;
  s.peers[static_cast<std::size_t>(verdict.sender - 1)] = s.from;
  if (verdict.other == 0) return;  // alone: nobody to pass it to, nothing to answer with
  SendRecord(s, verdict.sender, verdict.other);
  SendRecord(s, verdict.other, verdict.sender);
}

void ReportError(TServerSocket::TImpl& s, const std::error_code& ec) {
  const std::string line = netsay::Error("std::system_error", ec.message());
  if (line != s.lastError) netsay::Say(line);
  s.lastError = line;
}

void StartReceive(const TImplPtr& impl) {
  TServerSocket::TImpl& s = *impl;
  if (s.receiving || !s.socket.is_open()) return;
  s.receiving = true;
  std::weak_ptr<TServerSocket::TImpl> weak = impl;
  s.socket.async_receive_from(
      asio::buffer(s.buffer), s.from, [weak](std::error_code ec, std::size_t n) {
        const TImplPtr self = weak.lock();
        if (!self || ec == asio::error::operation_aborted) return;
        self->receiving = false;
        if (ec) {
          ReportError(*self, ec);
          if (++self->errorsInRow < kErrorsBeforePause) StartReceive(self);
          return;
        }
        self->errorsInRow = 0;
        self->lastError.clear();
        Relay(*self, n);
        StartReceive(self);
      });
}

}  // namespace

TServerSocket::TServerSocket(const std::string& port, const std::string& address)
    : impl_(std::make_shared<TImpl>()) {
  std::error_code ec;
  const auto endpoint = netendpoint::MakeEndpoint(address, port, true, ec);
  if (!ec) impl_->socket.open(endpoint.protocol(), ec);
  if (!ec) impl_->socket.non_blocking(true, ec);
  // No address reuse: a second instance must fail to bind, that is how it knows to join.
  if (!ec) impl_->socket.bind(endpoint, ec);
  if (ec) throw std::system_error(ec, "relay on port " + port);
  StartReceive(impl_);
}

TServerSocket::~TServerSocket() {
  std::error_code ignored;
  impl_->socket.close(ignored);
}

void TServerSocket::Step() {
  impl_->errorsInRow = 0;
  StartReceive(impl_);
  netpump::Drain();
}

const TRelayRegistry& TServerSocket::Registry() const { return impl_->registry; }
const TPersoList& TServerSocket::Players() const { return impl_->registry.Players(); }
int TServerSocket::Count() const { return impl_->registry.Count(); }
long TServerSocket::Sent() const { return impl_->sent; }
void TServerSocket::SetDropHook(TDropHook hook) { impl_->dropHook = std::move(hook); }

unsigned short TServerSocket::Port() const {
  std::error_code ec;
  const auto endpoint = impl_->socket.local_endpoint(ec);
  return ec ? 0 : endpoint.port();
}

std::unique_ptr<TServerSocket> TryCreateRelay(const std::string& port,
                                              const std::string& address) {
  try {
    return std::make_unique<TServerSocket>(port, address);
  } catch (const std::system_error&) {
    return nullptr;  // another instance hosts: this one joins it
  }
}

TLanRole ChooseLanRole(const std::string& joinAddress, const std::string& port) {
  TLanRole role;
  role.relayPort = port;
  if (joinAddress.empty()) {
    role.relay = TryCreateRelay(port);
  } else {
    role.relayAddress = joinAddress;
  }
  role.hosting = role.relay != nullptr;
  role.playerNumber = role.hosting ? 1 : 2;
  return role;
}
