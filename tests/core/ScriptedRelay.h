// The relay of the real game as two clients see it, for network races without sockets:
// nobody answers a lone player; once both are registered, each gets the other's latest
// record, stamped with two registered players.
#pragma once

#include <string>

#include "net/NetLink.h"
#include "net/PersoRecord.h"

struct TScriptedRelay {
  bool registered[2] = {false, false};
  TPerso kept[2];
};

class TScriptedLink : public INetLink {
 public:
  TScriptedLink(TScriptedRelay& relay, int player) : relay_(relay), player_(player) {}

  TPerso Exchange(const TPerso& own) override {
    sent_ = own;
    relay_.registered[player_ - 1] = true;
    relay_.kept[player_ - 1] = own;
    if (relay_.registered[0] && relay_.registered[1]) {
      incoming_ = relay_.kept[2 - player_];
      incoming_.playerCount = 2;
      ++received_;
    }
    return incoming_;
  }
  int RegisteredPlayers() const override { return received_ > 0 ? 2 : 0; }
  bool HeardFromOther() const override { return received_ > 0; }
  bool OtherPlayerGone() const override { return false; }
  long Received() const override { return received_; }
  std::string Failure() const override { return failure_; }

  const TPerso& Sent() const { return sent_; }
  // What the link says when the host cannot be reached; empty while nothing says so.
  std::string failure_;

 private:
  TScriptedRelay& relay_;
  int player_;
  TPerso sent_;
  TPerso incoming_;
  long received_ = 0;
};
