#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {

UniqueIcon LoadIconAt(HINSTANCE module, const wchar_t* name, int px) {
  if (module)
    return UniqueIcon(static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, px, px, 0)));
  HANDLE shared = LoadImageW(nullptr, name, IMAGE_ICON, px, px, LR_SHARED);
  return UniqueIcon(shared ? static_cast<HICON>(CopyImage(shared, IMAGE_ICON, px, px, 0))
                           : nullptr);
}

}  // namespace orvando::win32
