#include "platform/win32/picture_win32.h"

#include "platform/win32/dyn_calls_win32.h"
#include "platform/win32/unique_handle_win32.h"

#include <wincodec.h>

#include <utility>

namespace orvando::win32 {

namespace {

// Releases a COM pointer at the end of its scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** put() { return &p_; }

 private:
  T* p_ = nullptr;
};

UniqueBitmap ToDib(IWICBitmapSource* source, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as WIC hands rows out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const UINT stride = static_cast<UINT>(width) * 4;
  if (!dib || FAILED(source->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height),
                                        static_cast<BYTE*>(bits)))) {
    return {};
  }
  return dib;
}

}  // namespace

UniqueBitmap LoadScaledPicture(int resource_id, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource_id), MAKEINTRESOURCEW(10));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  const DWORD size = SizeofResource(module, found);

  ComScope com;
  auto create = Com().CoCreateInstance;
  ComRef<IWICImagingFactory> factory;
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICBitmapScaler> scaler;
  ComRef<IWICFormatConverter> converter;
  const bool ok =
      create &&
      SUCCEEDED(create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                       IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))) &&
      SUCCEEDED(factory->CreateStream(stream.put())) &&
      SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE*>(data), size)) &&
      SUCCEEDED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                 WICDecodeMetadataCacheOnDemand, decoder.put())) &&
      SUCCEEDED(decoder->GetFrame(0, frame.put())) &&
      SUCCEEDED(factory->CreateBitmapScaler(scaler.put())) &&
      SUCCEEDED(scaler->Initialize(frame.get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                   WICBitmapInterpolationModeFant)) &&
      SUCCEEDED(factory->CreateFormatConverter(converter.put())) &&
      SUCCEEDED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppBGR,
                                      WICBitmapDitherTypeNone, nullptr, 0.0,
                                      WICBitmapPaletteTypeCustom));
  return ok ? ToDib(converter.get(), width, height) : UniqueBitmap();
}

bool ClickTracker::OnMessage(HWND window, UINT message, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(window);
      return false;
    case WM_LBUTTONUP: {
      if (!std::exchange(pressed_, false)) return false;
      ReleaseCapture();
      RECT client;
      GetClientRect(window, &client);
      const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      return PtInRect(&client, at) != FALSE;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return false;
    default:
      return false;
  }
}

bool Picture::CreateChild(HWND parent, int id, bool enabled, std::function<void()> on_click) {
  on_click_ = std::move(on_click);
  return Create({.class_name = L"OrvandoPicture",
                 .style = WS_CHILD | WS_VISIBLE | (enabled ? 0u : WS_DISABLED),
                 .parent = parent,
                 .id = id});
}

void Picture::SetIcon(UniqueIcon icon) {
  icon_ = std::move(icon);
  bitmap_.reset();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void Picture::SetBitmap(UniqueBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  icon_.reset();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT Picture::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      if (!on_click_) return HTTRANSPARENT;
      break;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      if (on_click_ && click_.OnMessage(hwnd(), message, lparam)) {
        on_click_();
        return 0;
      }
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

void Picture::Paint() {
  const win32::Paint paint(hwnd());
  RECT r;
  GetClientRect(hwnd(), &r);
  if (icon_) {
    DrawIconEx(paint.get(), 0, 0, icon_.get(), r.right, r.bottom, 0, nullptr, DI_NORMAL);
  } else if (bitmap_) {
    BITMAP info{};
    GetObjectW(bitmap_.get(), sizeof info, &info);
    const UniqueMemoryDc source(CreateCompatibleDC(paint.get()));
    const ScopedSelect selected(source.get(), bitmap_.get());
    SetStretchBltMode(paint.get(), HALFTONE);
    SetBrushOrgEx(paint.get(), 0, 0, nullptr);
    StretchBlt(paint.get(), 0, 0, r.right, r.bottom, source.get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  }
}

}  // namespace orvando::win32
