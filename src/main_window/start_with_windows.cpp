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
  if (!written) messages_.ShowError(written.error + "\nOrvando ne démarrera pas avec Windows.");
}

}  // namespace orvando
