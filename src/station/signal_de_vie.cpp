#include "station/signal_de_vie.h"

#include <algorithm>
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

// An address in its parts: the scheme and authority, the path, the query
// (without its "?"). A fragment is never sent.
struct Parts {
  std::string_view origin, path, query;
};

Parts Split(std::string_view address) {
  address = address.substr(0, address.find('#'));
  const size_t path = address.find_first_of("/?", HostStart(address));
  const size_t query = address.find('?', path == std::string_view::npos ? address.size() : path);
  Parts parts{address.substr(0, path), {}, {}};
  if (path == std::string_view::npos) return parts;
  parts.path = address.substr(path, query == std::string_view::npos ? query : query - path);
  if (query != std::string_view::npos) parts.query = address.substr(query + 1);
  return parts;
}

// "user:password@host:port" and "[::1]:3001": the host alone.
std::string_view HostOf(std::string_view origin) {
  std::string_view host = origin.substr(HostStart(origin));
  host = host.substr(host.rfind('@') + 1);
  if (!host.empty() && host[0] == '[') return host.substr(0, host.find(']') + 1);
  return host.substr(0, host.find(':'));
}

// `path` holds `marker` followed by `least` to `most` non-empty segments (a
// last slash aside): "/ping/<uuid>", "/api/push/<token>".
bool EndsInSegments(std::string_view path, std::string_view marker, int least, int most) {
  const size_t at = path.find(marker);
  if (at == std::string_view::npos) return false;
  std::string_view rest = path.substr(at + marker.size());
  if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
  if (rest.empty() || rest.find("//") != std::string_view::npos) return false;
  int segments = 1;
  for (const char c : rest) segments += c == '/';
  return segments >= least && segments <= most;
}

bool Unreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.' || c == '~';
}

// The UTF-8 text as a URL's query may hold it.
std::string PercentEncoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (Unreserved(c)) {
      out += c;
    } else {
      out += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return out;
}

// At most `characters` characters of UTF-8 `text`, on one line.
std::string Shortened(std::string_view text, size_t characters) {
  std::string out;
  for (const char c : text) {
    const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (starts && characters-- == 0) break;
    out += c == '\r' || c == '\n' ? ' ' : c;
  }
  return out;
}

// The owner's query, but for the keys Kuma takes from us.
std::string KumaQuery(std::string_view query, bool good, const std::string& reason) {
  std::string out;
  while (!query.empty()) {
    const std::string_view pair = query.substr(0, query.find('&'));
    query.remove_prefix(std::min(query.size(), pair.size() + 1));
    const std::string_view key = pair.substr(0, pair.find('='));
    if (pair.empty() || SameText(key, "status") || SameText(key, "msg")) continue;
    out.append(pair).append("&");
  }
  return out + (good ? "status=up&msg=OK"
                     : "status=down&msg=" +
                           PercentEncoded(Shortened(reason, SignalDeVie::kMostReasonCharacters)));
}

// At most the service's share of `text`, cut after a whole line.
std::string Bounded(std::string text) {
  if (text.size() > SignalDeVie::kMostBodyBytes) {
    const size_t line_end = text.rfind('\n', SignalDeVie::kMostBodyBytes - 1);
    text.resize(line_end == std::string::npos ? SignalDeVie::kMostBodyBytes : line_end + 1);
  }
  return text;
}

// What the history says of an answer; `what` names the signal.
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
    if (byte <= ' ' || byte >= 0x7F || c == '\\' || c == '"' || c == '<' || c == '>') {
      return Outcome::Fail(
          "L'adresse ne doit contenir ni espace, ni lettre accentuée, ni caractère comme \\ \" < "
          "> : copiez-la telle que le service de surveillance la donne.");
    }
  }
  if (address.size() > SignalDeVie::kMostAddressLength) {
    return Outcome::Fail("L'adresse est trop longue : " + std::to_string(address.size()) +
                         " caractères, pour 2000 au plus.");
  }
  std::string_view authority = std::string_view(Split(address).origin).substr(host);
  if (authority.find('@') != std::string_view::npos) {
    return Outcome::Fail(
        "L'adresse ne doit pas contenir de nom d'utilisateur ni de mot de passe (« nom:mot@ ») : "
        "les services de surveillance n'en demandent pas, la clé est dans l'adresse elle-même.");
  }
  // "[::1]:3001": the brackets hold the host, the port comes after them.
  size_t port_at = authority.find(':');
  if (!authority.empty() && authority[0] == '[') {
    const size_t close = authority.find(']');
    if (close == std::string_view::npos || close == 1) {
      return Outcome::Fail("Le serveur de l'adresse, entre crochets « [ ] », est incomplet.");
    }
    port_at = close + 1 == authority.size() ? std::string_view::npos : close + 1;
    if (port_at != std::string_view::npos && authority[port_at] != ':') {
      return Outcome::Fail("Après « ] », l'adresse ne peut donner que le port, après « : ».");
    }
  }
  if (port_at != std::string_view::npos) {
    const std::string_view port = authority.substr(port_at + 1);
    authority = authority.substr(0, port_at);
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

// Letters, digits, "-" and "." for a name; hexadecimal digits, ":" and "."
// between brackets for an IPv6 literal.
std::string ShownAddress(const std::string& address) {
  const size_t host = HostStart(address);
  if (host == 0) return "…";
  size_t end = host;
  const bool literal = end < address.size() && address[end] == '[';
  for (end += literal; end < address.size(); ++end) {
    const char c = address[end];
    const bool digit = c >= '0' && c <= '9';
    const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!(digit || c == '.' || (literal ? hex || c == ':' : letter || c == '-'))) break;
  }
  if (literal && end < address.size() && address[end] == ']') ++end;
  return address.substr(0, end) + "/…";
}

Service ServiceOf(const std::string& address) {
  if (address.empty()) return Service::None;
  const Parts parts = Split(address);
  if (SameText(HostOf(parts.origin), "hc-ping.com") || EndsInSegments(parts.path, "/ping/", 1, 2)) {
    return Service::Healthchecks;
  }
  if (EndsInSegments(parts.path, "/api/push/", 1, 1)) return Service::UptimeKuma;
  return Service::Other;
}

std::string ServiceText(Service service) {
  switch (service) {
    case Service::Healthchecks:
      return "Healthchecks : un lancement manqué est signalé aussitôt, avec sa raison.";
    case Service::UptimeKuma:
      return "Uptime Kuma : un lancement manqué est signalé aussitôt, avec sa raison.";
    case Service::Other:
      return "Autre service : seuls les relevés réussis lui sont signalés ; c'est leur absence "
             "qui donne l'alerte.";
    case Service::None:
      break;
  }
  return "";
}

bool SignalRequest(const std::string& address, bool good, const std::string& reason,
                   const std::string& body, HttpRequest& request) {
  const Parts parts = Split(address);
  const std::string query = parts.query.empty() ? "" : "?" + std::string(parts.query);
  request.method = "POST";
  request.body = body;
  switch (ServiceOf(address)) {
    case Service::Healthchecks: {
      // The check's own address, whatever the owner copied: without a last
      // slash, nor the /start, /log or /fail of another kind of ping.
      std::string_view path = parts.path;
      if (!path.empty() && path.back() == '/') path.remove_suffix(1);
      for (std::string_view ping : {"/start", "/log", "/fail"}) {
        if (path.ends_with(ping)) path.remove_suffix(ping.size());
      }
      request.url = std::string(parts.origin) + std::string(path) + (good ? "" : "/fail") + query;
      return true;
    }
    case Service::UptimeKuma:
      request.method = "GET";
      request.body.clear();
      request.url = std::string(parts.origin) + std::string(parts.path) + "?" +
                    KumaQuery(parts.query, good, reason);
      return true;
    case Service::Other:
      request.url = std::string(parts.origin) + std::string(parts.path) + query;
      return good;
    case Service::None:
      break;
  }
  return false;
}

void SignalDeVie::Load() {
  const Outcome read = ini_.Read();
  if (!read && read.busy && held_.ReadAgain([this] { Load(); })) return;
  held_.Over();
  usable_ = false;
  if (!read) {
    // The service will soon believe the station has gone quiet: the owner
    // at the PC learns why first.
    const std::string what = read.error +
                             (read.busy ? " Orvando a réessayé pendant 2 minutes." : "") +
                             " Aucun signal de vie ne sera envoyé avant le prochain démarrage "
                             "d'Orvando : le service de surveillance donnera bientôt l'alerte.";
    history_.Write(what);
    notices_.Report(what);
    return;
  }
  if (Address().empty()) return;
  const Outcome checked = CheckAddress(Address());
  usable_ = checked.ok;
  history_.Write(usable_ ? "Signal de vie : " + ShownAddress(Address())
                         : "Signal de vie : l'adresse d'Orvando.ini (" + ShownAddress(Address()) +
                               ") ne peut pas servir. " + checked.error +
                               " Aucun signal ne lui sera envoyé.");
}

Outcome SignalDeVie::Save(const std::string& address) {
  if (address != Address()) {
    const Outcome written = ini_.Write(address);
    if (!written) return written;
    history_.Write(address.empty() ? "Signal de vie : plus aucune adresse, plus aucun envoi."
                                   : "Signal de vie : " + ShownAddress(address));
  }
  usable_ = !address.empty();  // checked by the window
  return Outcome::Ok();
}

void SignalDeVie::RunGood(const std::string& lines) {
  HttpRequest request;
  if (armed_ && usable_ && SignalRequest(Address(), true, "", Bounded(lines), request)) {
    Send(request, What::Good, nullptr);
  }
}

// The reason first: it is what the service's alert shows.
void SignalDeVie::RunFailed(const std::string& reason, const std::string& lines) {
  HttpRequest request;
  if (armed_ && usable_ &&
      SignalRequest(Address(), false, reason, Bounded(reason + "\r\n\r\n" + lines), request)) {
    Send(request, What::Failed, nullptr);
  }
}

bool SignalDeVie::Test(const std::string& address, std::function<void(const std::string&)> done) {
  HttpRequest request;
  if (busy_ || !SignalRequest(address, true, "", "Test d'Orvando", request)) return false;
  return Send(request, What::Test, std::move(done));
}

bool SignalDeVie::Send(const HttpRequest& request, What what,
                       std::function<void(const std::string&)> done) {
  static constexpr const char* kNames[] = {"Signal de vie", "Signal d'échec",
                                           "Signal de vie d'essai"};
  const std::string name = kNames[static_cast<int>(what)];
  HttpRequest sent = request;
  sent.content_type = sent.method == "POST" ? "text/plain; charset=utf-8" : "";
  sent.user_agent = std::string("Orvando/") + kVersion;
  sent.bound_ms = bound_ms_;
  // A request still under way, or one that can't be started (WinHTTP
  // missing), is a signal that did not go: said, and counted, like any.
  const Outcome started =
      busy_ ? Outcome::Fail(kRequestStillRunning)
            : http_.Send(sent, [this, what, name, done](const HttpAnswer& answer) {
                busy_ = false;
                const std::string said = Said(name, answer, bound_ms_);
                Result(what, said, Delivered(answer));
                if (done) done(said);
              });
  if (started) return busy_ = true;
  const std::string said = name + " non envoyé : " + started.error + ".";
  Result(what, said, false);
  if (done) done(said);
  return false;
}

// Once, at the third failure in a row: the owner at the PC learns that the
// service hears nothing, and will soon raise its own alarm. Added to the
// notice, which may tell why the signal was due.
void SignalDeVie::Result(What what, const std::string& said, bool delivered) {
  history_.Write(said);
  last_result_ = said;
  last_at_ = clock_.Now();
  if (what == What::Test) return;
  failures_ = delivered ? 0 : failures_ + 1;
  if (failures_ == kFailuresTold) {
    notices_.Add("Le signal de vie n'a pas pu être envoyé " + std::to_string(kFailuresTold) +
                 " fois de suite. " + said +
                 " Vérifiez la connexion du PC à Internet et l'adresse (menu Option, Signal de "
                 "vie).");
  }
}

std::string SignalDeVie::LastResult() const {
  if (last_result_.empty()) return {};
  return "À " + HourMinute(last_at_) + " : " + last_result_;
}

}  // namespace orvando
