#include "station/signal_de_vie.h"

#include <charconv>
#include <utility>

#include "platform/text.h"
#include "platform/version.h"

namespace orvando {
namespace {

// Where the host begins, after "http://" or "https://"; 0 when neither.
size_t HostStart(std::string_view address) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (address.size() >= scheme.size() && SameText(address.substr(0, scheme.size()), scheme)) {
      return scheme.size();
    }
  }
  return 0;
}

// "user:password@host:port": the host and its port, without who logs in.
std::string_view Authority(std::string_view address) {
  std::string_view rest = address.substr(HostStart(address));
  rest = rest.substr(0, rest.find_first_of("/?#"));
  const size_t at = rest.rfind('@');
  return at == std::string_view::npos ? rest : rest.substr(at + 1);
}

// What the history says of an answer; `what` is "Signal de vie" or its test.
std::string Said(const std::string& what, const HttpAnswer& answer, int bound_ms) {
  const std::string detail = answer.detail.empty() ? "" : " (" + answer.detail + ")";
  switch (answer.kind) {
    case HttpAnswer::Kind::Status:
      if (answer.status >= 200 && answer.status < 300) {
        return what + " envoyé (réponse " + std::to_string(answer.status) + ").";
      }
      return what + " refusé par le service : réponse HTTP " + std::to_string(answer.status) + ".";
    case HttpAnswer::Kind::Unreachable:
      return what + " non envoyé : l'adresse n'a pas pu être jointe" + detail + ".";
    case HttpAnswer::Kind::TimedOut:
      return what + " non envoyé : pas de réponse en " + std::to_string(bound_ms / 1000) +
             " secondes.";
    case HttpAnswer::Kind::Certificate:
      return what + " non envoyé : le certificat du serveur a été refusé" + detail + ".";
    case HttpAnswer::Kind::Failed:
      break;
  }
  return what + " non envoyé" + (answer.detail.empty() ? "" : " : " + answer.detail) + ".";
}

bool Delivered(const HttpAnswer& answer) {
  return answer.kind == HttpAnswer::Kind::Status && answer.status >= 200 && answer.status < 300;
}

}  // namespace

Outcome CheckAddress(const std::string& address) {
  const size_t host = HostStart(address);
  if (host == 0) return Outcome::Fail("L'adresse doit commencer par http:// ou https://.");
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte >= 0x7F) {
      return Outcome::Fail(
          "L'adresse ne doit contenir ni espace, ni lettre accentuée, ni caractère spécial : "
          "copiez-la telle que le service de surveillance la donne.");
    }
  }
  if (address.size() > SignalDeVie::kMostAddressLength) {
    return Outcome::Fail("L'adresse est trop longue : " + std::to_string(address.size()) +
                         " caractères, pour 2000 au plus.");
  }
  std::string_view authority = Authority(address);
  const size_t colon = authority.rfind(':');
  if (colon != std::string_view::npos && authority.find(']') == std::string_view::npos) {
    const std::string_view port = authority.substr(colon + 1);
    authority = authority.substr(0, colon);
    int number = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (error != std::errc() || end != port.data() + port.size() || number < 1 || number > 65535) {
      return Outcome::Fail("Le port de l'adresse, après « : », doit être un nombre de 1 à 65535.");
    }
  }
  if (authority.empty()) {
    return Outcome::Fail("L'adresse ne nomme aucun serveur après « " + address.substr(0, host) +
                         " ».");
  }
  return Outcome::Ok();
}

std::string ShownAddress(const std::string& address) {
  const size_t host = HostStart(address);
  return address.substr(0, host) + std::string(Authority(address)) + "/…";
}

void SignalDeVie::Load() {
  const Outcome read = ini_.Read();
  if (!read) {
    Note(read.error + " Aucun signal de vie ne sera envoyé.");
  } else if (!Address().empty()) {
    Note("Signal de vie : " + ShownAddress(Address()));
  }
}

Outcome SignalDeVie::Save(const std::string& address) {
  if (address == Address()) return Outcome::Ok();
  const Outcome written = ini_.Write(address);
  if (!written) return written;
  Note(address.empty() ? "Signal de vie : plus aucune adresse, plus aucun envoi."
                       : "Signal de vie : " + ShownAddress(address));
  return Outcome::Ok();
}

// After a run that failed, recorded nothing or could not be checked, nothing
// is sent: the service's alarm comes from the signals that stop.
void SignalDeVie::RunOver(bool good, const std::string& lines) {
  if (!good || !armed_ || Address().empty()) return;
  std::string body = lines;
  if (body.size() > kMostBodyBytes) body.resize(body.rfind('\n', kMostBodyBytes - 1) + 1);
  if (!Send(Address(), std::move(body), false, nullptr) && busy_) {
    Note("Signal de vie non envoyé : le précédent est encore en cours.");
  }
}

bool SignalDeVie::Test(const std::string& address, std::function<void(const std::string&)> done) {
  return Send(address, "Test d'Orvando", true, std::move(done));
}

bool SignalDeVie::Send(const std::string& address, std::string body, bool test,
                       std::function<void(const std::string&)> done) {
  if (busy_) return false;
  HttpPost post{address, std::move(body), "text/plain; charset=utf-8",
                std::string("Orvando/") + kVersion, bound_ms_};
  busy_ = http_.Post(post, [this, test, done = std::move(done)](const HttpAnswer& answer) {
    busy_ = false;
    const std::string said =
        Said(test ? "Signal de vie d'essai" : "Signal de vie", answer, bound_ms_);
    Note(said);
    last_result_ = said;
    last_at_ = clock_.Now();
    if (!test) {
      failures_ = Delivered(answer) ? 0 : failures_ + 1;
      // Once, at the third: the owner at the PC learns that the service
      // hears nothing, and will soon raise its own alarm.
      if (failures_ == kFailuresTold) {
        notices_.Report("Le signal de vie n'a pas pu être envoyé " + std::to_string(kFailuresTold) +
                        " fois de suite. " + said +
                        " Vérifiez la connexion du PC à Internet et l'adresse (menu Option, "
                        "Signal de vie).");
      }
    }
    if (done) done(said);
  });
  if (!busy_) {
    const std::string said = std::string(test ? "Signal de vie d'essai" : "Signal de vie") +
                             " non envoyé : la requête n'a pas pu être lancée.";
    Note(said);
    last_result_ = said;
    last_at_ = clock_.Now();
    if (done) done(said);
    return false;
  }
  return true;
}

std::string SignalDeVie::LastResult() const {
  if (last_result_.empty()) return {};
  return "À " + HourMinute(last_at_) + " : " + last_result_;
}

void SignalDeVie::Note(const std::string& what) {
  if (history_) history_->Write(what);
}

}  // namespace orvando
