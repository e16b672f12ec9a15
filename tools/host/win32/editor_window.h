// The host's main window: a read-only multi-line edit control showing the current file, and the
// menu that opens the Find dialogs. It is the editor pane the automation model works on.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "editor_pane.h"

namespace tolvane::host {

inline constexpr UINT kCommandFindFile = 40001;
inline constexpr UINT kCommandFindTag = 40002;
inline constexpr UINT kCommandLastTag = 40003;
inline constexpr UINT kCommandExit = 40004;

class EditorWindow final : public EditorPane {
 public:
  EditorWindow() = default;
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  bool Create(HINSTANCE instance);
  HWND Handle() const { return window_; }
  HACCEL Accelerators() const { return accelerators_; }
  // Menu commands go to the host's session.
  void OnCommand(std::function<void(UINT)> handler) { onCommand_ = std::move(handler); }
  // The caret's 1-based line as the edit control reports it.
  int32_t CaretLine() const;

  bool OpenFile(const std::string& path) override;
  const std::string& CurrentFile() const override { return currentFile_; }
  const TextBuffer& Buffer() const override { return buffer_; }
  CaretRange Selection() const override { return range_; }
  void Select(CaretRange range) override;
  void ScrollLineToMiddle(int32_t line) override;
  int32_t WindowHandle() const override { return int32_t(reinterpret_cast<intptr_t>(window_)); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // The edit control counts "\r\n" as two characters where the buffer has one "\n".
  WPARAM EditOffset(std::size_t offset) const;

  HWND window_ = nullptr;
  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::function<void(UINT)> onCommand_;
  std::string currentFile_;
  TextBuffer buffer_;
  CaretRange range_;
};

}  // namespace tolvane::host
