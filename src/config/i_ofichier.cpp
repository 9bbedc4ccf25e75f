#include "config/i_ofichier.h"

#include "config/config_format.h"

namespace orvando {
namespace {

// French guillemets around a name, with the non-breaking spaces French uses.
std::string Quoted(const std::string& text) {
  return "« " + text + " »";
}

}  // namespace

I_Ofichier::I_Ofichier(Files& files, UserMessages& messages, OptionSelector* selector)
    : files_(files), messages_(messages), selector_(selector) {}

// Joined as they are: at the root of a drive the folder already ends with
// "\", and the path then holds two separators in a row, which Windows accepts.
std::string I_Ofichier::ConfigPath() const {
  return files_.ProgramFolder() + "\\" + config::kFileName;
}

bool I_Ofichier::ConfigPresent() const {
  return files_.IsOrdinaryFile(ConfigPath());
}

// The folder as the file can hold it, one ANSI byte a character. A folder
// whose name the code page cannot spell is stored under its short (8.3) name,
// which Windows makes of ANSI characters; CheminHW then takes that short form
// too, so that what the program uses is exactly what the file says.
bool I_Ofichier::AnsiFolder(std::string& ansi) {
  if (files_.ToAnsi(CheminHW, ansi)) return true;
  std::string short_path;
  if (files_.ShortPath(CheminHW, short_path) && files_.ToAnsi(short_path, ansi)) {
    CheminHW = short_path;
    return true;
  }
  messages_.ShowError("Le nom du dossier de HeavyWeather " + Quoted(CheminHW) +
                      " contient des caractères que le fichier de réglages " +
                      Quoted(ConfigPath()) +
                      " ne peut pas enregistrer, et Windows n'en donne pas de nom court.\n"
                      "Le dossier n'a pas été enregistré : renommez-le, ou installez "
                      "HeavyWeather dans un dossier au nom sans caractères spéciaux.");
  return false;
}

bool I_Ofichier::EcrireConfig() {
  std::string ansi;
  if (!AnsiFolder(ansi)) return false;
  if (!config::FolderWritable(ansi)) {
    // Windows never names a folder with a quote; refuse rather than write a
    // file that would read back as another folder.
    messages_.ShowError("Le dossier de HeavyWeather " + Quoted(CheminHW) +
                        " contient un guillemet et ne peut pas être enregistré "
                        "dans le fichier de réglages " +
                        Quoted(ConfigPath()) + ".");
    return false;
  }
  const Outcome written =
      files_.ReplaceAtomically(ConfigPath(), config::FormatConfig(ansi, IndexDuree, RunMinutes));
  if (!written) {
    messages_.ShowError(written.error +
                        "\nLes réglages choisis restent en vigueur jusqu'à la "
                        "fermeture d'Orvando. Vérifiez que le fichier n'est pas en "
                        "lecture seule ni ouvert par un autre programme.");
    return false;
  }
  return true;
}

I_Ofichier::ReadOutcome I_Ofichier::LireConfig() {
  const std::string path = ConfigPath();
  std::string bytes;
  const Outcome read = files_.ReadBytes(path, bytes);
  if (!read && read.busy) {
    read_error_ = read.error;
    return ReadOutcome::Busy;
  }
  if (!read) {
    messages_.ShowError(read.error +
                        "\nVeuillez choisir à nouveau le dossier de "
                        "HeavyWeather.");
    return ReadOutcome::NoFolder;
  }
  const config::ParsedConfig parsed = config::ParseConfig(bytes);
  // An empty file, or one that names no folder, is what a write cut short by
  // a power failure may leave: nothing could run from it, so the folder is
  // asked for again, as at a first start.
  if (parsed.status == config::ParsedConfig::Status::NoFolder || parsed.folder.empty()) {
    messages_.ShowError("Le fichier de réglages " + Quoted(path) +
                        " est illisible : le dossier de HeavyWeather n'a pas pu y être "
                        "lu.\nVeuillez choisir à nouveau le dossier de HeavyWeather.");
    return ReadOutcome::NoFolder;
  }
  CheminHW = files_.FromAnsi(parsed.folder);
  IndexDuree = parsed.index;
  RunMinutes = parsed.minutes;
  const bool repaired = parsed.status == config::ParsedConfig::Status::Repaired;
  if (repaired) messages_.ShowError(RepairText(path, parsed));
  // The file's bytes are all read (the file is closed): the option's click
  // handler may now rewrite it.
  if (selector_) selector_->SelectOption(IndexDuree);
  return repaired ? ReadOutcome::Repaired : ReadOutcome::Read;
}

std::string I_Ofichier::RepairText(const std::string& path,
                                   const config::ParsedConfig& parsed) const {
  std::string text = "Le fichier de réglages " + Quoted(path) +
                     " était incomplet ou abîmé.\n"
                     "Le dossier de HeavyWeather qu'il contenait est conservé : " +
                     Quoted(CheminHW) + ".\n";
  text += parsed.index_replaced
              ? "L'intervalle, manquant ou illisible, est remplacé par " + Quoted("15 mn") + ".\n"
              : "L'intervalle qu'il contenait est conservé.\n";
  if (parsed.minutes_replaced) {
    text += "La durée de mise en marche, illisible, est remplacée par " + Quoted("2 minutes") +
            ".\n";
  }
  text += "Orvando réécrit le fichier avec ces valeurs.";
  return text;
}

}  // namespace orvando
