#pragma once
// The main window's geometry and texts, in twips from the top-left corner of
// each control's container. One table, read by the window and by its tests.

namespace orvando::form_timer_layout {

struct Box {
  int left, top, width, height;
};

inline constexpr const char* kCaption = "Orvando";
inline constexpr int kClientWidth = 3495;  // below the menu bar
inline constexpr int kClientHeight = 1755;

inline constexpr Box kFrame1 = {120, 120, 3255, 855};
inline constexpr const char* kFrame1Caption = "Lancer Heavy Weather toutes les :";
// Option buttons sit in Frame1, 600 twips apart.
inline constexpr int kOptionLeft[5] = {120, 720, 1320, 1920, 2520};
inline constexpr int kOptionTop = 360;
inline constexpr int kOptionWidth = 615;
inline constexpr int kOptionHeight = 255;
inline constexpr const char* kOptionCaptions[5] = {"15 mn", "30 mn", "1 h", "3 h", "6 h"};

inline constexpr Box kLabel2 = {120, 1120, 1215, 375};  // the clock
inline constexpr Box kFrame2 = {1440, 960, 1935, 615};
inline constexpr Box kCommand1 = {240, 240, 1095, 255};  // in Frame2
inline constexpr Box kLabel1 = {1560, 240, 135, 255};    // in Frame2: the indicator

inline constexpr unsigned kClockTextColor = 192;  // red, on black

// Menu bar. "Jouer son" and "Minimiser HeavyWeather" are greyed and do
// nothing; the other items work.
inline constexpr const char* kMenuFichier = "Fichier";
inline constexpr const char* kMenuModifFichier = "Chemin HeavyWeather";
inline constexpr const char* kMenuHistorique = "Historique";
inline constexpr const char* kMenuOption = "Option";
inline constexpr const char* kMenuDuree = "Dur\xC3\xA9" "e mise en marche";
// Its submenu, with a radio mark on the length chosen.
inline constexpr const char* kMenuDureeChoices[] = {"2 minutes", "3 minutes", "5 minutes",
                                                    "10 minutes"};
// After it: the address called after each run that recorded something.
inline constexpr const char* kMenuSignal = "Signal de vie";
inline constexpr const char* kMenuJouerson = "Jouer son";
inline constexpr const char* kMenuMinimise = "Minimiser HeavyWeather";
// After a separator, with a check mark: started armed at each sign-in.
inline constexpr const char* kMenuDemarrage = "D\xC3\xA9marrer avec Windows";
inline constexpr const char* kMenuIntero = "?";
inline constexpr const char* kMenuAide = "Aide";
inline constexpr const char* kMenuAbout = "About";

}  // namespace orvando::form_timer_layout
