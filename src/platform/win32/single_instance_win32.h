#pragma once
// One copy at a time: a named mutex held for the life of the first copy.

#include "platform/single_instance.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {

inline constexpr const wchar_t* kInstanceMutexName = L"Global\\Orvando.SingleInstance";
// The main window's class, by which a second copy finds the first's window,
// and the message it posts there: "come to the front".
inline constexpr const wchar_t* kMainWindowClass = L"OrvandoFormTimer";
inline constexpr const wchar_t* kShowYourselfMessage = L"Orvando.ShowYourself";
// What the copy that runs answers it, once it has come to the front. A copy
// still starting (a second one, about to end) and an older version answer
// 0, and so does a window that is gone or does not take our messages.
inline constexpr LRESULT kShownAnswer = 0x4F52;  // "OR"
// How long a copy is given to answer.
inline constexpr UINT kShowAnswerMs = 2000;

class Win32SingleInstance : public SingleInstance {
 public:
  bool AnotherCopyRunning() override;
  bool ShowOtherCopy() override;

 private:
  UniqueHandle mutex_;
};

}  // namespace orvando::win32
