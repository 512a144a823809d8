#include "net/NetLink.h"

#include <stdexcept>

#include <asio/error.hpp>

namespace {

// Errors that say the host's machine or port is not there, rather than a passing loss.
bool Unreachable(const std::error_code& ec) {
  return ec == asio::error::connection_refused || ec == asio::error::host_unreachable ||
         ec == asio::error::network_unreachable;
}

}  // namespace

TSocketLink::TSocketLink(TLanRole role, std::unique_ptr<TClientSocket> client)
    : relay_(std::move(role.relay)), client_(std::move(client)), address_(role.relayAddress) {
  const std::error_code ec = client_->ConnectTo(role.relayAddress, role.relayPort);
  if (ec) {
    throw std::runtime_error("The host \"" + address_ + "\" cannot be reached: " +
                             ec.message() + ".");
  }
  connected_ = std::chrono::steady_clock::now();
}

TPerso TSocketLink::Exchange(const TPerso& own) {
  TPerso received = client_->Exchange(own);
  if (relay_) relay_->Step();
  return received;
}

int TSocketLink::RegisteredPlayers() const { return client_->RegisteredPlayers(); }
bool TSocketLink::HeardFromOther() const { return client_->HeardFromOther(); }
bool TSocketLink::OtherPlayerGone() const { return client_->OtherPlayerGone(); }
long TSocketLink::Received() const { return client_->Received(); }

std::string TSocketLink::Failure() const {
  if (relay_ || client_->HeardFromOther()) return {};
  const std::string host = "The host \"" + address_ + "\" cannot be reached";
  const std::error_code ec = client_->LastError();
  if (Unreachable(ec)) return host + ": " + ec.message() + ".";
  if (std::chrono::steady_clock::now() - connected_ >= kJoinSilenceLimit) {
    return host + ": no answer in " + std::to_string(kJoinSilenceLimit.count()) + " seconds.";
  }
  return {};
}
