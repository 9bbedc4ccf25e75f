#pragma once
// The "signal de vie": one HTTP POST to a monitoring service (healthchecks.io,
// Uptime Kuma...) after each run that recorded something. Every warning
// Orvando has otherwise reaches only someone at the PC; the service raises
// the alarm, by mail or on the owner's phone, when the signals stop coming,
// which also covers what Orvando can't see: the PC off, the power cut,
// Windows stuck on an update, Orvando closed. No failure is ever sent: each
// service spells it differently, and absence covers every case.

#include <cstddef>
#include <functional>
#include <string>

#include "config/orvando_ini.h"
#include "history/history.h"
#include "platform/clock.h"
#include "platform/http.h"
#include "platform/outcome.h"
#include "station/notices.h"

namespace orvando {

// Whether `address` may be saved: it starts with http:// or https://, is
// plain ASCII with no space or control character, holds at most 2,000
// characters, and names a host. The French message says what is wrong.
Outcome CheckAddress(const std::string& address);
// "https://hc-ping.com/…": what the history may show of an address. The rest
// is the owner's secret key.
std::string ShownAddress(const std::string& address);

class SignalDeVie {
 public:
  static constexpr size_t kMostAddressLength = 2000;
  static constexpr size_t kMostBodyBytes = History::kMostRunBytes;
  static constexpr int kBoundMs = 30000;
  static constexpr int kFailuresTold = 3;

  // `bound_ms`: how long a request may take, name lookup to the answer's end;
  // tests shorten it.
  SignalDeVie(OrvandoIni& ini, HttpClient& http, const Clock& clock, Notices& notices,
              History* history = nullptr, int bound_ms = kBoundMs)
      : ini_(ini),
        http_(http),
        clock_(clock),
        notices_(notices),
        history_(history),
        bound_ms_(bound_ms) {}
  SignalDeVie(const SignalDeVie&) = delete;
  SignalDeVie& operator=(const SignalDeVie&) = delete;

  // At start: the address kept in Orvando.ini, written down by its host only.
  // A file that can't be read is said once, in the history; nothing is sent.
  void Load();
  const std::string& Address() const { return ini_.Address(); }
  // Keeps a checked address (empty: none) in Orvando.ini.
  Outcome Save(const std::string& address);

  // Nothing is sent while Orvando is stopped.
  void SetArmed(bool armed) { armed_ = armed; }
  // A run is over: `good` when it ended well and recorded something; its
  // history lines are the body.
  void RunOver(bool good, const std::string& lines);
  // "Tester": a request now, with the body "Test d'Orvando". `done` gets the
  // line the history gets. False when a request is under way.
  bool Test(const std::string& address, std::function<void(const std::string&)> done);
  bool Busy() const { return busy_; }
  // The last result, with its time ("À 10:17 : Signal de vie envoyé (réponse
  // 200)."); empty before the first.
  std::string LastResult() const;

 private:
  bool Send(const std::string& address, std::string body, bool test,
            std::function<void(const std::string&)> done);
  void Note(const std::string& what);

  OrvandoIni& ini_;
  HttpClient& http_;
  const Clock& clock_;
  Notices& notices_;
  History* const history_;
  const int bound_ms_;
  bool armed_ = false;
  bool busy_ = false;
  int failures_ = 0;  // signals of runs in a row that could not be delivered
  std::string last_result_;
  LocalTime last_at_;
};

}  // namespace orvando
