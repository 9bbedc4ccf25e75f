#pragma once
// The installation window with its core, held together as the program
// holds them.

#include "windows/select_dir_win32.h"

namespace orvando::test {

struct Installation : win32::SelectDirWindow {
  Installation(MainWindowControl& main, I_Ofichier& config, const Folders& folders, Files& files,
               Drives& drives, win32::WindowCounter* counter = nullptr)
      : SelectDirWindow(core, counter), core(*this, main, config, folders, files, drives) {}
  SelectDir core;
};

}  // namespace orvando::test
