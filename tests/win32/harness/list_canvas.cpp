#include "harness/list_canvas.h"

namespace tolvane::testing {

ListCanvas::ListCanvas(HWND list) : list_(list) {
  RECT client{};
  ::GetClientRect(list, &client);
  width_ = client.right;
  height_ = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = ::CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels_ = static_cast<const uint32_t*>(bits);
  old_ = ::SelectObject(dc_, bitmap_);
}

ListCanvas::~ListCanvas() {
  ::SelectObject(dc_, old_);
  ::DeleteObject(bitmap_);
  ::DeleteDC(dc_);
}

void ListCanvas::Paint() {
  ::SendMessageW(list_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
}

int ListCanvas::Count(COLORREF colour) const {
  const uint32_t bgra = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  int count = 0;
  for (int i = 0; i < width_ * height_; ++i) count += (pixels_[i] & 0xffffff) == bgra;
  return count;
}

}  // namespace tolvane::testing
