// The client endpoint. The relay endpoint and the choice of roles are in UNetworkRelay.cpp.
#include "net/UNetwork.h"

#include <algorithm>
#include <array>

#include <asio/error.hpp>
#include <asio/ip/host_name.hpp>
#include <asio/ip/udp.hpp>

#include "net/NetConsole.h"
#include "net/NetEndpoint.h"
#include "net/NetPump.h"

using netendpoint::Clock;

struct TClientSocket::TImpl {
  // Declared before the socket so the socket, and with it any pending receive, goes first.
  std::array<std::uint8_t, 128> buffer{};  // room past one record, to see oversized datagrams
  asio::ip::udp::socket socket{netpump::Context()};

  TLinkTiming timing;
  std::string hostName;
  std::string remoteAddress;
  std::string remotePort;
  TPerso outgoing;
  TPerso incoming;
  bool linkDown = true;
  bool receiving = false;
  unsigned socketGeneration = 0;  // a reconnection makes older completions stale
  bool replyReceived = false;
  bool waitError = false;
  bool heard = false;
  Clock::time_point lastDatagram = Clock::now();
  std::string lastError;  // the same error is reported once until a record arrives again
  std::error_code lastErrorCode;  // cleared, like lastError, when a record arrives
  int registeredPlayers = 0;  // as the relay's last record said
  long received = 0;
  long dropped = 0;
  long timeouts = 0;
  TDropHook dropHook;
};

namespace {

using TImplPtr = std::shared_ptr<TClientSocket::TImpl>;

// The host name is only informative: a machine without one still plays.
std::string ReadHostName() {
  std::error_code ec;
  std::string name = asio::ip::host_name(ec);
  return ec ? std::string() : name;
}

void ReportError(TClientSocket::TImpl& s, const std::error_code& ec) {
  const std::string line = netsay::Error("std::system_error", ec.message());
  if (line != s.lastError) netsay::Say(line);
  s.lastError = line;
  s.lastErrorCode = ec;
}

void TakeDatagram(TClientSocket::TImpl& s, std::size_t size) {
  const auto received = DecodePerso(s.buffer.data(), size);
  if (!received) {
    ++s.dropped;
    return;
  }
  MergeReceived(s.incoming, *received);
  // The relay stamps the count on the records it keeps: the race starts when it says two.
  s.registeredPlayers = received->playerCount;
  s.replyReceived = true;
  s.heard = true;
  s.lastDatagram = Clock::now();
  s.lastError.clear();
  s.lastErrorCode.clear();
  ++s.received;
}

void StartReceive(const TImplPtr& impl) {
  TClientSocket::TImpl& s = *impl;
  if (s.receiving || !s.socket.is_open()) return;
  s.receiving = true;
  std::weak_ptr<TClientSocket::TImpl> weak = impl;
  const unsigned generation = s.socketGeneration;
  s.socket.async_receive(asio::buffer(s.buffer), [weak, generation](std::error_code ec,
                                                                    std::size_t n) {
    const TImplPtr self = weak.lock();
    if (!self || ec == asio::error::operation_aborted) return;
    if (generation != self->socketGeneration) return;
    self->receiving = false;
    if (ec) {
      // Not re-armed here: an error that repeats at once would spin the pump.
      ReportError(*self, ec);
      self->waitError = true;
      return;
    }
    TakeDatagram(*self, n);
    StartReceive(self);
  });
}

void Send(TClientSocket::TImpl& s) {
  const TPersoBytes bytes = EncodePerso(s.outgoing);
  if (s.dropHook && s.dropHook(bytes)) return;
  std::error_code ec;
  s.socket.send(asio::buffer(bytes), 0, ec);
  // A full send buffer loses the datagram like the network would; the wait copes.
  if (ec && ec != asio::error::would_block) ReportError(s, ec);
}

bool Gone(const TClientSocket::TImpl& s) {
  return Clock::now() - s.lastDatagram >= s.timing.goneAfter;
}

void CloseSocket(TClientSocket::TImpl& s) {
  std::error_code ignored;
  s.socket.close(ignored);
  s.receiving = false;
  ++s.socketGeneration;
}

// Waits for any record from the relay, sending again in case ours was lost;
// then takes whatever else already arrived so the freshest record wins.
void WaitForReply(const TImplPtr& impl) {
  TClientSocket::TImpl& s = *impl;
  const auto start = Clock::now();
  const auto deadline = Gone(s) ? start : start + s.timing.waitLimit;
  auto resendAt = start + s.timing.resendEvery;
  while (!s.replyReceived && !s.waitError) {
    const auto now = Clock::now();
    if (now >= deadline) break;
    if (now >= resendAt) {
      Send(s);
      resendAt = now + s.timing.resendEvery;
    }
    netpump::RunOneUntil(std::min(deadline, resendAt));
    if (!s.receiving && !s.waitError) StartReceive(impl);
  }
  netpump::Drain();
  if (!s.replyReceived && !s.waitError && deadline > start) ++s.timeouts;
}

}  // namespace

TClientSocket::TClientSocket(const std::string& name, const T_point& first,
                             const T_point& second, TLinkTiming timing)
    : impl_(std::make_shared<TImpl>()) {
  impl_->timing = timing;
  impl_->hostName = ReadHostName();
  impl_->outgoing.position = first;
  impl_->outgoing.rotation = second;
  impl_->outgoing.name = name;
  impl_->outgoing.linkDown = true;
}

TClientSocket::~TClientSocket() {
  if (!impl_->linkDown) {
    CloseSocket(*impl_);
    impl_->linkDown = true;
    impl_->outgoing.linkDown = true;
    netsay::Say(netsay::SessionClosed(0));
  }
}

std::error_code TClientSocket::ConnectTo(const std::string& address, const std::string& port) {
  TImpl& s = *impl_;
  s.remoteAddress = address;
  s.remotePort = port;
  CloseSocket(s);
  std::error_code ec;
  const auto endpoint = netendpoint::MakeEndpoint(address, port, false, ec);
  if (!ec) s.socket.open(endpoint.protocol(), ec);
  if (!ec) s.socket.non_blocking(true, ec);
  if (!ec) s.socket.connect(endpoint, ec);
  s.linkDown = static_cast<bool>(ec);
  s.outgoing.linkDown = s.linkDown;
  if (ec) {
    CloseSocket(s);
    netsay::Say(netsay::ConnectFailed(ec.value()));
    s.lastErrorCode = ec;
    return ec;
  }
  netsay::Say(netsay::Connected());
  s.lastDatagram = Clock::now();  // the other player gets goneAfter to show up
  s.lastErrorCode.clear();
  s.registeredPlayers = 0;
  StartReceive(impl_);
  return ec;
}

TPerso TClientSocket::Exchange(const TPerso& own) {
  TImpl& s = *impl_;
  s.outgoing = own;
  s.outgoing.linkDown = s.linkDown;  // the byte tells the link's state, not the caller's
  if (!s.socket.is_open()) return s.incoming;
  s.replyReceived = false;
  s.waitError = false;
  StartReceive(impl_);
  Send(s);
  WaitForReply(impl_);
  return s.incoming;
}

bool TClientSocket::LinkDown() const { return impl_->linkDown; }
const TPerso& TClientSocket::Outgoing() const { return impl_->outgoing; }
const TPerso& TClientSocket::Incoming() const { return impl_->incoming; }
const std::string& TClientSocket::LocalHostName() const { return impl_->hostName; }
const std::string& TClientSocket::RemoteAddress() const { return impl_->remoteAddress; }
const std::string& TClientSocket::RemotePort() const { return impl_->remotePort; }
bool TClientSocket::HeardFromOther() const { return impl_->heard; }
Clock::time_point TClientSocket::LastDatagramTime() const { return impl_->lastDatagram; }
bool TClientSocket::OtherPlayerGone() const { return Gone(*impl_); }
long TClientSocket::Received() const { return impl_->received; }
int TClientSocket::RegisteredPlayers() const { return impl_->registeredPlayers; }
std::error_code TClientSocket::LastError() const { return impl_->lastErrorCode; }
long TClientSocket::Dropped() const { return impl_->dropped; }
long TClientSocket::Timeouts() const { return impl_->timeouts; }
void TClientSocket::SetDropHook(TDropHook hook) { impl_->dropHook = std::move(hook); }

unsigned short TClientSocket::LocalPort() const {
  std::error_code ec;
  const auto endpoint = impl_->socket.local_endpoint(ec);
  return ec ? 0 : endpoint.port();
}
