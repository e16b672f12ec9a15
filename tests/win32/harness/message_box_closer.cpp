#include "harness/message_box_closer.h"

namespace tolvane::testing {
namespace {

struct ClosedBoxes {
  std::vector<std::string> texts;
  std::vector<std::string> captions;
};

ClosedBoxes& Closed() {
  static ClosedBoxes closed;
  return closed;
}

std::string TextOf(HWND hwnd) {
  char buffer[1024] = {};
  ::GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

// The message text is the longest static text among the box's children.
BOOL CALLBACK CollectStatic(HWND child, LPARAM found) {
  char className[32] = {};
  ::GetClassNameA(child, className, sizeof className);
  auto* text = reinterpret_cast<std::string*>(found);
  if (lstrcmpiA(className, "Static") == 0) {
    std::string candidate = TextOf(child);
    if (candidate.size() > text->size()) *text = candidate;
  }
  return TRUE;
}

BOOL CALLBACK CloseIfMessageBox(HWND hwnd, LPARAM) {
  char className[32] = {};
  ::GetClassNameA(hwnd, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
  std::string text;
  ::EnumChildWindows(hwnd, &CollectStatic, reinterpret_cast<LPARAM>(&text));
  Closed().texts.push_back(text);
  Closed().captions.push_back(TextOf(hwnd));
  ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), &CloseIfMessageBox, 0);
}

}  // namespace

MessageBoxCloser::MessageBoxCloser() {
  Closed() = ClosedBoxes{};
  timer_ = ::SetTimer(nullptr, 0, 50, &OnTimer);
}

MessageBoxCloser::~MessageBoxCloser() {
  ::KillTimer(nullptr, timer_);
}

const std::vector<std::string>& MessageBoxCloser::Texts() const {
  return Closed().texts;
}

const std::vector<std::string>& MessageBoxCloser::Captions() const {
  return Closed().captions;
}

}  // namespace tolvane::testing
