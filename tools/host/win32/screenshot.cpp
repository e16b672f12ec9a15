#include "screenshot.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "png_image.h"

namespace tolvane::host {

ScreenshotResult WriteWindowPng(HWND window, const std::wstring& path) {
  ScreenshotResult result;
  RECT bounds{};
  if (!::GetWindowRect(window, &bounds)) {
    result.error = "no window";
    return result;
  }
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) {
    result.error = "empty window";
    return result;
  }

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  // The screen holds the window with its children and frame exactly as painted.
  const BOOL copied =
      ::BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
  ::GdiFlush();
  std::vector<uint8_t> rgb(std::size_t(width) * std::size_t(height) * 3);
  if (copied) {
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (std::size_t i = 0, n = std::size_t(width) * std::size_t(height); i < n; ++i) {
      rgb[i * 3] = pixels[i * 4 + 2];
      rgb[i * 3 + 1] = pixels[i * 4 + 1];
      rgb[i * 3 + 2] = pixels[i * 4];
    }
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (!copied) {
    result.error = "cannot copy the screen";
    return result;
  }

  const auto png = EncodePng(uint32_t(width), uint32_t(height), rgb);
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
  if (!out) {
    result.error = "cannot write the file";
    return result;
  }
  result.written = true;
  result.width = width;
  result.height = height;
  return result;
}

}  // namespace tolvane::host
