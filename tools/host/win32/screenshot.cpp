#include "screenshot.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstdio>

namespace tolvane::host {

namespace {

using Microsoft::WRL::ComPtr;

std::string Failed(const char* what, HRESULT hr) {
  char text[96];
  std::snprintf(text, sizeof text, "%s (0x%08lX)", what, static_cast<unsigned long>(hr));
  return text;
}

// Writes 24-bit BGR rows, top row first, to `path` with the system's PNG encoder; an error or "".
std::string EncodePng(BYTE* bits, UINT width, UINT height, UINT stride, const std::wstring& path) {
  ComPtr<IWICImagingFactory> factory;
  HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory));
  if (FAILED(hr)) return Failed("no imaging factory", hr);
  ComPtr<IWICStream> stream;
  hr = factory->CreateStream(&stream);
  if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
  if (FAILED(hr)) return Failed("cannot create the file", hr);

  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
  if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
  if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, nullptr);
  if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
  if (SUCCEEDED(hr)) hr = frame->SetSize(width, height);
  if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
  // The encoder answers with the format it will write; the rows are only good for this one.
  if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
    hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
  }
  if (SUCCEEDED(hr)) hr = frame->WritePixels(height, stride, stride * height, bits);
  if (SUCCEEDED(hr)) hr = frame->Commit();
  if (SUCCEEDED(hr)) hr = encoder->Commit();
  if (FAILED(hr)) return Failed("cannot encode the PNG", hr);
  return {};
}

}  // namespace

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

  // 24 bits a pixel, blue first, rows padded to whole DWORDs: the layout the PNG encoder takes.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const UINT stride = (UINT(width) * 3 + 3) & ~3u;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  // The screen holds the window with its children and frame exactly as painted.
  const BOOL copied =
      ::BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
  ::GdiFlush();
  if (!copied) {
    result.error = "cannot copy the screen";
  } else {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    result.error = EncodePng(static_cast<BYTE*>(bits), UINT(width), UINT(height), stride, path);
    if (SUCCEEDED(com)) ::CoUninitialize();
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (!result.error.empty()) return result;
  result.written = true;
  result.width = width;
  result.height = height;
  return result;
}

}  // namespace tolvane::host
