// The link as a network race sees it: one exchange of records a frame, whether the
// relay has both players, and whether the other machine answers. The race logic takes
// it as an interface so that it runs over real sockets in the game and over a scripted
// link in tests.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "net/PersoRecord.h"
#include "net/UNetwork.h"

class INetLink {
 public:
  virtual ~INetLink() = default;
  // Sends this machine's record and returns the other player's latest one; the wait for
  // it is bounded (see TLinkTiming).
  virtual TPerso Exchange(const TPerso& own) = 0;
  // Players the relay has registered: 2 once both machines are linked.
  virtual int RegisteredPlayers() const = 0;
  virtual bool HeardFromOther() const = 0;
  virtual bool OtherPlayerGone() const = 0;
  // Records received so far: a frame without a new one gets the last record again.
  virtual long Received() const = 0;
  // Why the other machine cannot be reached; empty while nothing says so.
  virtual std::string Failure() const = 0;
};

// How long a joiner waits for any answer from the host before it gives up: the host's
// relay answers a newcomer at once, so silence means nobody is there.
inline constexpr std::chrono::seconds kJoinSilenceLimit{10};

// The game's link: this machine's client endpoint, plus the relay when it hosts.
class TSocketLink : public INetLink {
 public:
  // Connects `client` to the relay of `role`. Throws std::runtime_error, naming the
  // address, when it cannot be used (a name that does not resolve).
  TSocketLink(TLanRole role, std::unique_ptr<TClientSocket> client);

  TPerso Exchange(const TPerso& own) override;
  int RegisteredPlayers() const override;
  bool HeardFromOther() const override;
  bool OtherPlayerGone() const override;
  long Received() const override;
  std::string Failure() const override;

  bool Hosting() const { return relay_ != nullptr; }
  const TClientSocket& Client() const { return *client_; }

 private:
  // The relay goes after the client: the host's client says goodbye through it.
  std::unique_ptr<TServerSocket> relay_;
  std::unique_ptr<TClientSocket> client_;
  std::string address_;
  std::chrono::steady_clock::time_point connected_;
};
