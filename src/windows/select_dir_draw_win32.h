#pragma once
// Drawing the installation window's folder list: one line per folder, a
// folder glyph indented by depth, the name highlighted when selected.

#include <windows.h>

#include "windows/select_dir_folders.h"

namespace orvando::win32 {

// The height of a line of the folder list at `dpi`.
int FolderLineHeight(UINT dpi);

void DrawFolderLine(const DRAWITEMSTRUCT& item, const FolderEntry& entry, UINT dpi);

}  // namespace orvando::win32
