#pragma once
// The installation window driven as a user would: the drive picked by typing
// its letter, folders opened in the list (double clicks and Enter in turn)
// from the drive's root down to the one wanted.

#include <windows.h>

#include <string>

#include "driver.h"

namespace orvando::test {

inline constexpr const wchar_t* kInstallTitle = L"Orvando           ..::  INSTALLATION  ::..";

// The text box that shows the folder of the list.
HWND FolderText(HWND install);
// Picks the drive `letter` (lower case) in the drive list.
void PickDrive(HWND install, wchar_t letter);
// Opens the root of the drive shown, then each folder down to `target`.
void OpenFolder(HWND install, const std::wstring& target);

}  // namespace orvando::test
