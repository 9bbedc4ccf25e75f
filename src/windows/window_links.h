#pragma once
// How the windows reach one another. Each window is loaded on first
// use and unloaded explicitly; these are the only calls between them.

namespace orvando {

// The main window, as the installation window sees it.
class MainWindowControl {
 public:
  virtual ~MainWindowControl() = default;
  virtual void Hide() = 0;
  virtual void Show() = 0;
  // Unloads the main window, which first asks the quit question. False when
  // the user answered No and the window stays.
  virtual bool Unload() = 0;
};

// The installation window, as the main window's start-up sees it.
class InstallWindowControl {
 public:
  virtual ~InstallWindowControl() = default;
  // Loads the window if needed and makes it visible, without waiting for it.
  virtual void Show() = 0;
  // The same, to change the folder already known ("Chemin HeavyWeather").
  virtual void ShowToChange() = 0;
};

// The About window, as the main window sees it.
class AboutWindowControl {
 public:
  virtual ~AboutWindowControl() = default;
  // Loads the window if needed and makes it visible; a second call while it is
  // open opens no second window.
  virtual void Show() = 0;
  // Unloads it; nothing happens when it is not loaded.
  virtual void Unload() = 0;
};

// The "Signal de vie" window, as the main window's menu sees it.
class SignalWindowControl {
 public:
  virtual ~SignalWindowControl() = default;
  // Loads it if needed and makes it visible; never a second one.
  virtual void Show() = 0;
  virtual void Unload() = 0;
};

}  // namespace orvando
