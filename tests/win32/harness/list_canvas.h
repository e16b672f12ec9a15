// A bitmap the size of a list's client area that the list paints itself into (WM_PRINTCLIENT:
// its whole paint, custom draw and display requests included), read back pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tolvane::testing {

class ListCanvas {
 public:
  explicit ListCanvas(HWND list);
  ~ListCanvas();
  ListCanvas(const ListCanvas&) = delete;
  ListCanvas& operator=(const ListCanvas&) = delete;

  void Paint();
  int Width() const { return width_; }
  COLORREF At(int x, int y) const {
    const uint32_t bgra = pixels_[y * width_ + x];
    return RGB((bgra >> 16) & 0xff, (bgra >> 8) & 0xff, bgra & 0xff);
  }
  // How many pixels are exactly `colour`.
  int Count(COLORREF colour) const;

 private:
  HWND list_;
  int width_ = 0;
  int height_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  const uint32_t* pixels_ = nullptr;
};

}  // namespace tolvane::testing
