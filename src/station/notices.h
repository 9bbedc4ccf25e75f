#pragma once
// Events of the schedule told to the user without stopping it: a launch that
// failed, a close that gave up. They may come at 3 in the morning with nobody
// at the PC, and the next run must not wait for someone to press OK.

#include <string>

#include "platform/clock.h"
#include "platform/user_messages.h"

namespace orvando {

class Notices {
 public:
  // A notice already on screen when the first event comes (an error at an
  // unattended start) dates from now.
  Notices(UserMessages& messages, const Clock& clock)
      : messages_(messages), clock_(clock), first_at_(clock.Now()) {}

  // Shows "À hh:mm : <what>" in the one notice. While the user has not
  // dismissed it, a new event replaces the text and the notice says how many
  // events it stands for since the first: a weekend of failures leaves one
  // notice, which still tells when the trouble began, with its day when that
  // was another day.
  void Report(const std::string& what);
  // A cause that holds from one slot to the next (HeavyWeather that won't
  // close): reported as Report does, then kept in every later notice until
  // LastingOver, so that a newer event adds to it and never hides it.
  void ReportLasting(const std::string& what);
  void LastingOver() { lasting_.clear(); }
  // Adds "À hh:mm : <what>" below what the notice on screen says, which it
  // hides nothing of; shown as Report does when there is none.
  void Add(const std::string& what);

 private:
  void Show(const std::string& what, const LocalTime& now);

  UserMessages& messages_;
  const Clock& clock_;
  int replaced_ = 0;    // earlier events the notice on screen stands for
  LocalTime first_at_;  // the time of the first event it stands for
  std::string lasting_;
  LocalTime lasting_since_;
};

}  // namespace orvando
