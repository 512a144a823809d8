// The LAN link: the client endpoint every player runs and the relay the host runs.
// Each frame a player sends its record to the relay and waits, 50 ms at most, for the
// other player's; the relay answers every record with the other player's latest one and
// passes it on to the other player at once. Everything runs on the game's thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <system_error>

#include "assets/Utype.h"
#include "net/PersoRecord.h"
#include "net/RelayRegistry.h"

inline const std::string kRelayPort = "1234";
inline const std::string kLoopbackAddress = "127.0.0.1";

struct TLinkTiming {
  // The longest a frame waits for the other player's record.
  std::chrono::milliseconds waitLimit{50};
  // Within that wait the record is sent again this often, so one lost datagram costs a
  // few milliseconds instead of the whole wait. Duplicates are harmless: the relay keeps
  // the latest record of each player.
  std::chrono::milliseconds resendEvery{5};
  // Silence after which the other player counts as gone; the frames then stop waiting.
  std::chrono::milliseconds goneAfter{5000};
};

// Tests lose outgoing datagrams with it: true drops the datagram on the way out.
using TDropHook = std::function<bool(const TPersoBytes&)>;

class TClientSocket {
 public:
  // The outgoing record starts as player 0 with these vectors and name, link down.
  TClientSocket(const std::string& name, const T_point& first, const T_point& second,
                TLinkTiming timing = {});
  ~TClientSocket();
  TClientSocket(const TClientSocket&) = delete;
  TClientSocket& operator=(const TClientSocket&) = delete;

  // A numeric IPv4 or IPv6 address, "localhost" or a host name, looked up once here.
  // Returns why the address cannot be used (unknown name, bad port), or no error.
  std::error_code ConnectTo(const std::string& address, const std::string& port = kRelayPort);

  // Sends `own` and returns the other player's last record. Never waits past waitLimit;
  // without any reply it returns the previous record.
  TPerso Exchange(const TPerso& own);

  bool LinkDown() const;
  const TPerso& Outgoing() const;
  const TPerso& Incoming() const;
  const std::string& LocalHostName() const;
  const std::string& RemoteAddress() const;
  const std::string& RemotePort() const;

  bool HeardFromOther() const;  // at least one record arrived
  std::chrono::steady_clock::time_point LastDatagramTime() const;  // or the connection time
  bool OtherPlayerGone() const;  // silent for goneAfter
  long Received() const;
  // Players registered with the relay, as its last record said: 0 before any record,
  // 2 once both machines are there (the relay answers nobody while alone).
  int RegisteredPlayers() const;
  // The last socket error (a refused or unreachable host), until a record arrives.
  std::error_code LastError() const;
  long Dropped() const;   // refused datagrams
  long Timeouts() const;  // waits that ran out without a reply
  unsigned short LocalPort() const;

  void SetDropHook(TDropHook hook);

  struct TImpl;

 private:
  std::shared_ptr<TImpl> impl_;
};

class TServerSocket {
 public:
  // Binds the relay; throws std::system_error when the port is taken. Port "0" takes
  // any free port (see Port()).
  // Each sending address is held to `limits`; the rest is dropped, counted and shown
  // on the console once a second at most.
  explicit TServerSocket(const std::string& port = kRelayPort,
                         const std::string& address = "0.0.0.0", TRateLimits limits = {});
  ~TServerSocket();
  TServerSocket(const TServerSocket&) = delete;
  TServerSocket& operator=(const TServerSocket&) = delete;

  // The host's per-frame call: delivers whatever has arrived, without waiting. Records
  // are relayed as they arrive, also while the host's own client waits.
  void Step();

  const TRelayRegistry& Registry() const;
  const TPersoList& Players() const;
  int Count() const;
  long Sent() const;
  unsigned short Port() const;

  void SetDropHook(TDropHook hook);

  struct TImpl;

 private:
  std::shared_ptr<TImpl> impl_;
};

// The relay when this instance can bind its port, nothing when another instance holds it.
std::unique_ptr<TServerSocket> TryCreateRelay(const std::string& port = kRelayPort,
                                              const std::string& address = "0.0.0.0");

// Who this instance is in a network race. Without a join address it hosts when it can
// bind the relay port and otherwise joins the host on this machine; with one it joins
// the host there.
struct TLanRole {
  std::unique_ptr<TServerSocket> relay;  // the host's only
  bool hosting = false;
  int playerNumber = 2;  // the host is player 1, the joiner player 2
  std::string relayAddress = kLoopbackAddress;
  std::string relayPort = kRelayPort;
};

TLanRole ChooseLanRole(const std::string& joinAddress, const std::string& port = kRelayPort);
