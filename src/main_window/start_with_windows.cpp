#include "main_window/start_with_windows.h"

#include <utility>

#include "platform/text.h"

namespace orvando {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The next argument of a command line, its quotes removed; empty at the end.
std::string_view NextArgument(std::string_view& rest) {
  size_t start = 0;
  while (start < rest.size() && IsBlank(rest[start])) ++start;
  rest.remove_prefix(start);
  if (rest.empty()) return {};
  size_t end = 0;
  std::string_view argument;
  if (rest[0] == '"') {
    end = rest.find('"', 1);
    argument = rest.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
    end = end == std::string_view::npos ? rest.size() : end + 1;
  } else {
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    argument = rest.substr(0, end);
  }
  rest.remove_prefix(end);
  return argument;
}

// Orvando can't know whether the account has a password (one without opens
// by itself), and never tries a sign-in to find out: a failed one counts
// against the account. The words hold either way.
constexpr const char* kNoAutomaticSignIn =
    "Orvando démarrera avec Windows, une fois une session ouverte sur ce compte.\n\n"
    "La connexion automatique n'est pas réglée pour ce compte. Si Windows demande un mot de passe "
    "au démarrage, alors après une coupure de courant ou un redémarrage pour une mise à jour, le "
    "PC attendra à l'écran de connexion, et aucun relevé n'aura lieu tant que personne ne se sera "
    "connecté.\n\n"
    "Pour que la session s'ouvre toute seule, réglez la connexion automatique : touches "
    "Windows+R, « netplwiz », ou l'outil Autologon de Sysinternals.\n\n"
    "Le signal de vie (menu Option) vous prévient quand la station se tait.";

bool IsStartSwitch(std::string_view argument) {
  return !argument.empty() && (argument[0] == '/' || argument[0] == '-') &&
         SameText(argument.substr(1), "start");
}

}  // namespace

bool StartSwitchGiven(std::string_view arguments) {
  for (;;) {
    const std::string_view argument = NextArgument(arguments);
    if (argument.empty() && arguments.empty()) return false;
    if (IsStartSwitch(argument)) return true;
  }
}

StartWithWindows::StartWithWindows(StartupEntry& entry, UserMessages& messages,
                                   std::string program_file)
    : entry_(entry), messages_(messages), program_file_(std::move(program_file)) {}

std::string StartWithWindows::Command() const {
  return "\"" + program_file_ + "\" /start";
}

bool StartWithWindows::Checked() const {
  std::string command;
  if (!entry_.Read(command)) return false;
  std::string_view rest = command;
  const std::string_view program = NextArgument(rest);
  // Without /start Windows would start it stopped: not what the item says.
  // Turned off in Task Manager, Windows no longer runs the value at all.
  return !program.empty() && SameFolder(program, program_file_) && StartSwitchGiven(rest) &&
         !entry_.TurnedOff();
}

void StartWithWindows::Toggle() {
  if (Checked()) {
    const Outcome removed = entry_.Remove();
    if (!removed) {
      messages_.ShowError(removed.error +
                          "\nOrvando démarrera encore avec Windows. Réessayez, ou retirez "
                          "Orvando des applications de démarrage de Windows.");
    }
    return;
  }
  Outcome written = entry_.Write(Command());
  if (written) written = entry_.TurnOn();
  if (!written)
    return messages_.ShowError(written.error + "\nOrvando ne démarrera pas avec Windows.");
  if (!entry_.SignsInAutomatically()) messages_.ShowInformation(kNoAutomaticSignIn);
}

std::string StartWithWindows::SignInText() const {
  return entry_.SignsInAutomatically()
             ? "La connexion automatique est réglée pour ce compte : après un redémarrage, "
               "Windows ouvre la session tout seul."
             : "La connexion automatique n'est pas réglée pour ce compte : si Windows demande un "
               "mot de passe au démarrage, Orvando ne démarrera qu'une fois quelqu'un connecté "
               "(réglage : « netplwiz », ou l'outil Autologon de Sysinternals).";
}

}  // namespace orvando
