#pragma once
// The "Signal de vie" window: the address of a monitoring service told of
// each run, which service it is, a button to try it, and the last result. Opened from the menu
// Option; modeless, like About.

#include <string>

#include "platform/user_messages.h"
#include "station/signal_de_vie.h"
#include "windows/window_links.h"

namespace orvando {

// What the window shows. The Win32 window implements it; tests record it.
class SignalWindowView {
 public:
  virtual ~SignalWindowView() = default;
  // Loads the window if needed, shows it and brings it to the front.
  virtual void Open() = 0;
  // Destroys it; nothing happens when it is not loaded.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual void ShowAddress(const std::string& address) = 0;
  virtual std::string EditedAddress() const = 0;
  virtual void ShowResult(const std::string& result) = 0;
  // Which service the address is, and what it hears, in one line.
  virtual void ShowService(const std::string& text) = 0;
  virtual void EnableTest(bool enabled) = 0;
};

class SignalWindow : public SignalWindowControl {
 public:
  static constexpr const char* kTitle = "Signal de vie";
  static constexpr const char* kExplanation =
      "Adresse appelée après chaque relevé (service de surveillance : healthchecks.io, Uptime "
      "Kuma…)";

  SignalWindow(SignalWindowView& view, SignalDeVie& signal, UserMessages& messages)
      : view_(view), signal_(signal), messages_(messages) {}

  // SignalWindowControl: the address kept and the last result, afresh.
  void Show() override;
  void Unload() override { view_.Close(); }

  // "Tester": the address in the field, called now; the result shows when it
  // comes, and the window stays usable meanwhile.
  void CommandTester_Click();
  // The address edited: the line on its service follows it.
  void Text1_Change();
  // "OK": the address checked, then kept (an empty field removes it).
  void CommandOK_Click();
  // "Annuler": the address stays as it was.
  void CommandAnnuler_Click() { view_.Close(); }

 private:
  // The field's text without the blanks a paste may bring; false (the user
  // told why) when it is not an address that may be kept.
  bool Checked(std::string& address) const;
  std::string ResultText() const;

  SignalWindowView& view_;
  SignalDeVie& signal_;
  UserMessages& messages_;
};

}  // namespace orvando
