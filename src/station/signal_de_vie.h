#pragma once
// The "signal de vie": what a monitoring service (Healthchecks, Uptime
// Kuma...) is told of the runs, so that an owner who isn't at the PC hears of
// the station going quiet. After each run that recorded something, one
// request says so; the service raises the alarm when those stop coming, which
// also covers what Orvando can't see: the PC off, the power cut, Windows stuck
// on an update, Orvando closed. What the notice tells the owner at the PC (a
// launch that failed, a close that gave up, runs that record nothing) is told
// to the service at the same moment, with its reason, where the service has
// a way to hear it: each speaks its own dialect, known from its address.

#include <cstddef>
#include <functional>
#include <string>

#include "config/held_file.h"
#include "config/orvando_ini.h"
#include "history/history.h"
#include "platform/alarm.h"
#include "platform/clock.h"
#include "platform/http.h"
#include "platform/outcome.h"
#include "station/notices.h"

namespace orvando {

// Whether `address` may be saved: it starts with http:// or https://, is
// plain ASCII with nothing a URL can't hold raw (space, control characters,
// \ " < >), holds at most 2,000 characters, names a host (and a port from 1
// to 65535, IPv6 literals too), and no user or password. The French message
// says what is wrong.
Outcome CheckAddress(const std::string& address);
// "https://hc-ping.com/…": the scheme and the host only, cut at the first
// character a host can't hold. The rest is the owner's secret key.
std::string ShownAddress(const std::string& address);

// The services known by their address, and how each is told of a run.
enum class Service {
  None,          // no address
  Healthchecks,  // hc-ping.com, or a path /ping/<uuid> or /ping/<key>/<slug>: a POST,
                 // to <address>/fail for a failed run, its reason as the body
  UptimeKuma,    // a path /api/push/<token>: a GET, status=up or status=down with
                 // its reason as msg (version 1.x takes GET only)
  Other,         // a POST after a good run, nothing else
};
Service ServiceOf(const std::string& address);
// One line on what the service hears, for the window.
std::string ServiceText(Service service);
// The request that tells the service at `address` of a run: good, or failed
// for `reason` (with `body`, the reason and the run's lines, where the
// service takes one). False when that service gets nothing for it.
bool SignalRequest(const std::string& address, bool good, const std::string& reason,
                   const std::string& body, HttpRequest& request);

class SignalDeVie {
 public:
  static constexpr size_t kMostAddressLength = 2000;
  static constexpr size_t kMostBodyBytes = History::kMostRunBytes;
  static constexpr size_t kMostReasonCharacters = 200;  // in a URL (Uptime Kuma's msg)
  static constexpr int kBoundMs = 30000;
  static constexpr int kFailuresTold = 3;

  // `alarm` paces the reads of an Orvando.ini another program holds at
  // start-up. `bound_ms`: how long a request may take, name lookup to the
  // answer's end; tests shorten it.
  SignalDeVie(OrvandoIni& ini, HttpClient& http, const Clock& clock, Alarm& alarm, Notices& notices,
              History& history, int bound_ms = kBoundMs)
      : ini_(ini),
        http_(http),
        clock_(clock),
        notices_(notices),
        history_(history),
        bound_ms_(bound_ms),
        held_(alarm, clock) {}
  SignalDeVie(const SignalDeVie&) = delete;
  SignalDeVie& operator=(const SignalDeVie&) = delete;

  // At start: the address kept in Orvando.ini, written down by its host only.
  // A file another program holds is read again for up to 2 minutes; one that
  // can't be read is said in the notice, once, and nothing is sent. An
  // address written there by hand that can't be kept is said in the history,
  // by its host, and nothing is sent to it.
  void Load();
  // As the file has it: the window shows it to be mended.
  const std::string& Address() const { return ini_.Address(); }
  // Keeps a checked address (empty: none) in Orvando.ini.
  Outcome Save(const std::string& address);

  // Nothing is sent while Orvando is stopped.
  void SetArmed(bool armed) { armed_ = armed; }
  // A run ended well and recorded something; its history lines.
  void RunGood(const std::string& lines);
  // What the notice has just told, and the run's history lines.
  void RunFailed(const std::string& reason, const std::string& lines);
  // "Tester": a good run's request now, with the body "Test d'Orvando".
  // `done` gets the line the history gets. False when a request is under way.
  bool Test(const std::string& address, std::function<void(const std::string&)> done);
  bool Busy() const { return busy_; }
  // The last result, with its time ("À 10:17 : Signal de vie envoyé (réponse
  // 200)."); empty before the first.
  std::string LastResult() const;

 private:
  enum class What { Good, Failed, Test };
  // `what` decides the words of the history and whether the result counts.
  bool Send(const HttpRequest& request, What what, std::function<void(const std::string&)> done);
  void Result(What what, const std::string& said, bool delivered);

  OrvandoIni& ini_;
  HttpClient& http_;
  const Clock& clock_;
  Notices& notices_;
  History& history_;
  const int bound_ms_;
  HeldFile held_;
  bool usable_ = false;  // the address read or saved may be sent to
  bool armed_ = false;
  bool busy_ = false;
  int failures_ = 0;  // signals in a row that could not be delivered
  std::string last_result_;
  LocalTime last_at_;
};

}  // namespace orvando
