// The relay endpoint and the choice of roles. The relay passes records on from its
// receive handler: on the host the client's wait pumps the same context, so the host's
// own exchange is answered while it waits, on the one thread.
#include <array>
#include <system_error>

#include <asio/error.hpp>
#include <asio/ip/udp.hpp>
#include <asio/post.hpp>

#include "net/ArrivalAddress.h"
#include "net/NetConsole.h"
#include "net/NetEndpoint.h"
#include "net/NetPump.h"
#include "net/UNetwork.h"

using netendpoint::Clock;

struct TServerSocket::TImpl {
  // Where a player is answered: its address, from the local address it wrote to.
  struct TPeer {
    asio::ip::udp::endpoint address;
    netarrival::TLocalAddress local;
  };

  explicit TImpl(TRateLimits limits) : registry(limits) {}

  std::array<std::uint8_t, 128> buffer{};  // room past one record, to see oversized datagrams
  asio::ip::udp::socket socket{netpump::Context()};  // after the buffer: goes first

  TRelayRegistry registry;
  std::array<TPeer, 2> peers;  // players 1 and 2
  bool listening = false;      // a wait for datagrams, or the rest of a batch, is pending
  int errorsInRow = 0;
  std::string lastError;
  long sent = 0;
  Clock::time_point start = Clock::now();
  TDropHook dropHook;
  std::int64_t lastDropLineMs = -1000;
  long dropsShown = 0;
};

namespace {

using TImpl = TServerSocket::TImpl;
using TImplPtr = std::shared_ptr<TImpl>;

// Errors in a row after which reading stops and leaves it to Step.
constexpr int kErrorsBeforePause = 8;
// Datagrams read in one go before the pump gets a turn to run something else.
constexpr int kBatch = 64;
// The refusals a misbehaving peer causes are shown at most this often.
constexpr std::int64_t kDropLineEveryMs = 1000;

std::int64_t NowMs(const TImpl& s) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - s.start).count();
}

void SendRecord(TImpl& s, int number, int to) {
  const TPersoBytes bytes = EncodePerso(s.registry.Players()[number]);
  if (s.dropHook && s.dropHook(bytes)) return;
  const TImpl::TPeer& peer = s.peers[static_cast<std::size_t>(to - 1)];
  std::error_code ec;
  netarrival::SendFrom(s.socket, bytes.data(), bytes.size(), peer.address, peer.local, ec);
  if (!ec) ++s.sent;  // a refused or full send is a lost datagram; the player resends
}

void ShowDrops(TImpl& s, std::int64_t nowMs) {
  const long overRate = s.registry.Dropped(TDatagramFault::kOverRate);
  const long reflected = s.registry.Dropped(TDatagramFault::kReflected);
  if (overRate + reflected == s.dropsShown) return;
  if (nowMs - s.lastDropLineMs < kDropLineEveryMs) return;
  netsay::Say(netsay::RelayDropped(overRate, reflected));
  s.dropsShown = overRate + reflected;
  s.lastDropLineMs = nowMs;
}

void Relay(TImpl& s, const netarrival::TArrival& arrival) {
  const std::int64_t nowMs = NowMs(s);
  const TRelayVerdict verdict = s.registry.Receive(
      s.buffer.data(), arrival.size, netendpoint::SourceKey(arrival.from), nowMs);
  ShowDrops(s, nowMs);
  if (verdict.sender == 0) return;
  s.peers[static_cast<std::size_t>(verdict.sender - 1)] = {arrival.from, arrival.local};
  if (verdict.other == 0) return;  // alone: nobody to pass it to, nothing to answer with
  SendRecord(s, verdict.sender, verdict.other);
  SendRecord(s, verdict.other, verdict.sender);
}

// True when reading may go on after the error.
bool ReadFailed(TImpl& s, const std::error_code& ec) {
  const std::string line = netsay::Error("std::system_error", ec.message());
  if (line != s.lastError) netsay::Say(line);
  s.lastError = line;
  return ++s.errorsInRow < kErrorsBeforePause;
}

void Listen(const TImplPtr& impl);

// Reads until the socket is empty, the batch is full (the rest comes on the pump's next
// turn) or errors repeat.
void ReadBatch(const TImplPtr& impl) {
  TImpl& s = *impl;
  s.listening = false;
  for (int taken = 0; taken < kBatch; ++taken) {
    std::error_code ec;
    const auto arrival = netarrival::Receive(s.socket, s.buffer.data(), s.buffer.size(), ec);
    if (ec == asio::error::would_block) return Listen(impl);
    if (ec && !ReadFailed(s, ec)) return;
    if (ec) continue;
    s.errorsInRow = 0;
    s.lastError.clear();
    Relay(s, arrival);
  }
  s.listening = true;
  std::weak_ptr<TImpl> weak = impl;
  asio::post(netpump::Context(), [weak] {
    if (const TImplPtr self = weak.lock()) ReadBatch(self);
  });
}

// The socket was read until empty before, so the next datagram wakes this wait.
void Listen(const TImplPtr& impl) {
  TImpl& s = *impl;
  if (s.listening || !s.socket.is_open()) return;
  s.listening = true;
  std::weak_ptr<TImpl> weak = impl;
  s.socket.async_wait(asio::ip::udp::socket::wait_read, [weak](std::error_code ec) {
    const TImplPtr self = weak.lock();
    if (!self || ec == asio::error::operation_aborted) return;
    if (!ec) return ReadBatch(self);
    self->listening = false;
    ReadFailed(*self, ec);
  });
}

}  // namespace

TServerSocket::TServerSocket(const std::string& port, const std::string& address,
                             TRateLimits limits)
    : impl_(std::make_shared<TImpl>(limits)) {
  std::error_code ec;
  const auto endpoint = netendpoint::MakeEndpoint(address, port, true, ec);
  if (!ec) impl_->socket.open(endpoint.protocol(), ec);
  if (!ec) impl_->socket.non_blocking(true, ec);
  // No address reuse: a second instance must fail to bind, that is how it knows to join.
  if (!ec) impl_->socket.bind(endpoint, ec);
  if (ec) throw std::system_error(ec, "relay on port " + port);
  // Without the arrival address the relay still serves a host with a single address.
  std::error_code ignored;
  netarrival::ReportArrivalAddress(impl_->socket, ignored);
  ReadBatch(impl_);  // anything queued already, then the wait
}

TServerSocket::~TServerSocket() {
  std::error_code ignored;
  impl_->socket.close(ignored);
}

void TServerSocket::Step() {
  impl_->errorsInRow = 0;
  Listen(impl_);
  netpump::Drain();
  ShowDrops(*impl_, NowMs(*impl_));
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
