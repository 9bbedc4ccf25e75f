#pragma once
// What FormTimer shows. The Win32 window implements it; tests record it.

#include <cstdint>
#include <string>

namespace orvando {

class FormTimerView {
 public:
  virtual ~FormTimerView() = default;
  virtual void ShowCommand1Caption(const std::string& caption) = 0;
  virtual void ShowLabel1BackColor(uint32_t color) = 0;
  virtual void ShowLabel2Caption(const std::string& caption) = 0;
  virtual void ShowOptionSelected(int index) = 0;
  // Topmost for the window's whole life.
  virtual void MakeTopmost() = 0;
  virtual void SetVisible(bool visible) = 0;
  // While Windows waits to end the session: why the program holds it up, in
  // the list Windows shows. Empty: it no longer does.
  virtual void SetSessionEndReason(const std::string& reason) = 0;
  // The window goes away; later calls do nothing.
  virtual void Destroy() = 0;
};

}  // namespace orvando
