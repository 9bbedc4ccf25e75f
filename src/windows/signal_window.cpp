#include "windows/signal_window.h"

namespace orvando {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

void SignalWindow::Show() {
  view_.Open();
  view_.ShowAddress(signal_.Address());
  view_.ShowService(ServiceText(ServiceOf(signal_.Address())));
  view_.ShowResult(ResultText());
  view_.EnableTest(!signal_.Busy());
}

std::string SignalWindow::ResultText() const {
  const std::string last = signal_.LastResult();
  return last.empty() ? "Aucun envoi depuis le démarrage d'Orvando." : "Dernier envoi. " + last;
}

void SignalWindow::Text1_Change() {
  view_.ShowService(ServiceText(ServiceOf(Trimmed(view_.EditedAddress()))));
}

bool SignalWindow::Checked(std::string& address) const {
  address = Trimmed(view_.EditedAddress());
  if (address.empty()) return true;
  const Outcome checked = CheckAddress(address);
  if (!checked) messages_.ShowError(checked.error);
  return checked.ok;
}

void SignalWindow::CommandTester_Click() {
  std::string address;
  if (!Checked(address)) return;
  if (address.empty()) {
    messages_.ShowError("Saisissez d'abord l'adresse à essayer.");
    return;
  }
  const bool started = signal_.Test(address, [this](const std::string&) {
    view_.ShowResult(ResultText());
    view_.EnableTest(true);
  });
  if (started) {
    view_.EnableTest(false);
    view_.ShowResult("Envoi en cours…");
  } else if (signal_.Busy()) {
    view_.ShowResult("Un envoi est déjà en cours : réessayez dans un moment.");
  }
}

void SignalWindow::CommandOK_Click() {
  std::string address;
  if (!Checked(address)) return;
  const Outcome saved = signal_.Save(address);
  if (!saved) {
    messages_.ShowError(saved.error + "\nL'adresse n'a pas été enregistrée.");
    return;
  }
  view_.Close();
}

}  // namespace orvando
