#include "install_window.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace orvando::test {
namespace {

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring ItemText(HWND list, int index, UINT get_text) {
  wchar_t text[MAX_PATH * 2] = {};
  DWORD_PTR n = 0;
  SendMessageTimeoutW(list, get_text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 3000, &n);
  return text;
}

LPARAM ItemCentre(HWND list, int index) {
  RECT r{};
  SendMessageTimeoutW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&r), SMTO_ABORTIFHUNG, 3000, nullptr);
  return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The folder list as a user works it: a double click on a line, or a click
// on it and then Enter.
void OpenLine(HWND list, int index, bool with_enter) {
  // Scrolled into view first, as a user would: a deep folder shown leaves
  // the root above the list's top.
  SendMessageTimeoutW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 3000,
                      nullptr);
  const LPARAM at = ItemCentre(list, index);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  if (with_enter) {
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(list, WM_KEYUP, VK_RETURN, 0xC0000001);
  } else {
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
  }
}

// The line below the current folder that names `child`; -1 when none.
int SubfolderLine(HWND list, const std::wstring& child) {
  DWORD_PTR current = 0, count = 0;
  SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &current);
  SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
  for (int i = static_cast<int>(current) + 1; i < static_cast<int>(count); ++i)
    if (Lower(ItemText(list, i, LB_GETTEXT)) == Lower(child)) return i;
  return -1;
}

}  // namespace

HWND FolderText(HWND install) {
  return Children(install, L"Edit").at(0);
}

void PickDrive(HWND install, wchar_t letter) {
  HWND drives = Children(install, L"ComboBox").at(0);
  PostMessageW(drives, WM_CHAR, letter, 1);
  ASSERT_TRUE(WaitFor([&] { return Lower(TextOf(FolderText(install))).front() == letter; }))
      << "drive " << char(letter)
      << " not picked; folder shown: " << Narrow(TextOf(FolderText(install)));
}

// Double clicks and Enter in turn, as users do.
void OpenFolder(HWND install, const std::wstring& target) {
  HWND list = Children(install, L"ListBox").at(0);
  HWND text = FolderText(install);
  std::wstring shown = target.substr(0, 3);  // "Z:\"
  OpenLine(list, 0, false);
  ASSERT_TRUE(WaitFor([&] { return Lower(TextOf(text)) == Lower(shown); }))
      << "root not opened: " << Narrow(TextOf(text));
  bool with_enter = true;
  for (size_t at = 3; at < target.size();) {
    size_t end = target.find(L'\\', at);
    if (end == std::wstring::npos) end = target.size();
    const std::wstring name = target.substr(at, end - at);
    shown = target.substr(0, end);
    const int line = SubfolderLine(list, name);
    ASSERT_GE(line, 0) << "no line for " << Narrow(name);
    OpenLine(list, line, with_enter);
    ASSERT_TRUE(WaitFor([&] { return Lower(TextOf(text)) == Lower(shown); }))
        << "not opened: " << Narrow(shown) << (with_enter ? " (Enter)" : " (double click)")
        << "; shown: " << Narrow(TextOf(text));
    with_enter = !with_enter;
    at = end + 1;
  }
}

}  // namespace orvando::test
