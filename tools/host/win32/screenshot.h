// A PNG of a window as it stands on the screen: the caller has it painted and shown first.
#pragma once

#include <windows.h>

#include <string>

namespace tolvane::host {

struct ScreenshotResult {
  bool written = false;
  int width = 0;
  int height = 0;
  std::string error;
};

ScreenshotResult WriteWindowPng(HWND window, const std::wstring& path);

}  // namespace tolvane::host
