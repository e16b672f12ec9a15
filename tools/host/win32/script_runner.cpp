#include "script_runner.h"

#include <commctrl.h>

#include "screenshot.h"

namespace tolvane::host {

namespace {

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : " | ") + item;
  return "[" + out + "]";
}

std::string JoinWidths(const std::vector<int>& widths) {
  std::string out;
  for (int width : widths) out += (out.empty() ? "" : " ") + std::to_string(width);
  return out;
}

LPARAM KeyData(UINT virtualKey, bool up) {
  const UINT scan = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  const bool extended = (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN);
  LPARAM data = 1 | LPARAM(scan) << 16 | (extended ? LPARAM(1) << 24 : 0);
  if (up) data |= LPARAM(0xC0000000u);
  return data;
}

}  // namespace

bool ScriptRunner::Run(const ParsedScript& script, const std::filesystem::path& transcriptPath) {
  std::ofstream transcript(transcriptPath, std::ios::binary | std::ios::trunc);
  if (!transcript) return false;
  session_.CloseMessageBoxes(true);
  session_.Pump();
  for (const ScriptCommand& command : script.commands) {
    if (command.kind == CommandKind::kQuit) {
      transcript << "quit\n";
      break;
    }
    transcript << command.source << ": " << Execute(command) << "\n" << std::flush;
  }
  return true;
}

std::string ScriptRunner::Execute(const ScriptCommand& command) {
  switch (command.kind) {
    case CommandKind::kFindFile:
      return OpenDialog(session_.FindFile(), kCommandFindFile);
    case CommandKind::kFindTag:
      return OpenDialog(session_.FindTag(), kCommandFindTag);
    case CommandKind::kType:
      return Type(command.text);
    case CommandKind::kKey:
      return Key(command);
    case CommandKind::kFocus:
      return Focus(command.text);
    case CommandKind::kScreenshot:
      return Screenshot(command.text);
    case CommandKind::kGotoTag:
      return GotoTag(command);
    case CommandKind::kColumn:
      return Column(command);
    case CommandKind::kClose:
      return Close();
    case CommandKind::kQuit:
      break;
  }
  return "";
}

std::string ScriptRunner::OpenDialog(FindDialog& dialog, UINT menuCommand) {
  // Through the menu, as a user would open it.
  ::SendMessageW(session_.Editor().Handle(), WM_COMMAND, menuCommand, 0);
  session_.Pump();
  if (!dialog.IsOpen()) return "the dialog did not open";
  focusedCombo_ = dialog.MainComboId();
  std::string line =
      std::to_string(dialog.RowCount()) + (&dialog == &session_.FindFile() ? " files" : " tags");
  if (&dialog == &session_.FindFile()) {
    line += "; history " + Join(dialog.ComboItems(FindFileDialog::kCombo));
  } else {
    line += "; parent history " + Join(dialog.ComboItems(FindTagDialog::kParentCombo)) +
            "; tag history " + Join(dialog.ComboItems(FindTagDialog::kTagCombo));
  }
  return line + "; column widths " + JoinWidths(dialog.ColumnWidths());
}

HWND ScriptRunner::KeyTarget() {
  FindDialog* dialog = session_.OpenDialog();
  if (dialog == nullptr) return ::GetFocus();
  HWND combo = dialog->Item(focusedCombo_ != 0 ? focusedCombo_ : dialog->MainComboId());
  HWND edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr);
  if (edit == nullptr) return nullptr;
  if (::GetFocus() != edit) ::SetFocus(edit);
  return edit;
}

std::string ScriptRunner::DescribeRows(FindDialog& dialog) {
  const int rows = dialog.RowCount();
  const int row = dialog.SelectedRow();
  std::string line = std::to_string(rows) + " rows";
  if (row < 0) return line + ", none selected";
  line += ", row " + std::to_string(row + 1) + " selected: ";
  if (&dialog == &session_.FindFile()) {
    return line + dialog.CellText(row, 0) + " in " + dialog.CellText(row, 1);
  }
  const std::string parent = dialog.CellText(row, 2);
  return line + dialog.CellText(row, 0) + " " + (parent.empty() ? "" : parent + "::") +
         dialog.CellText(row, 3) + " (" + dialog.CellText(row, 4) + ")";
}

std::string ScriptRunner::Type(const std::string& text) {
  HWND target = KeyTarget();
  if (target == nullptr) return "no field to type into";
  for (char c : text) {
    ::PostMessageA(target, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
    session_.Pump();
  }
  FindDialog* dialog = session_.OpenDialog();
  return dialog != nullptr ? DescribeRows(*dialog) : "typed";
}

std::string ScriptRunner::Key(const ScriptCommand& command) {
  HWND target = KeyTarget();
  if (target == nullptr) return "no field has the focus";
  FindDialog* dialog = session_.OpenDialog();
  const std::string before = dialog != nullptr ? dialog->LastOutcome() : "";
  // The module reads the Ctrl key's state as the keyboard reports it now: press it for real.
  std::string note;
  if (command.ctrl) {
    ::keybd_event(VK_CONTROL, 0x1D, 0, 0);
    session_.Pump();
    if ((::GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0) note = "Ctrl could not be held; ";
  }
  ::PostMessageA(target, WM_KEYDOWN, command.virtualKey, KeyData(command.virtualKey, false));
  session_.Pump();
  ::PostMessageA(target, WM_KEYUP, command.virtualKey, KeyData(command.virtualKey, true));
  session_.Pump();
  if (command.ctrl) {
    ::keybd_event(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP, 0);
    session_.Pump();
  }
  if (dialog == nullptr) return note + "sent";
  if (!dialog->IsOpen()) return note + dialog->LastOutcome();
  std::string line = note;
  if (dialog->LastOutcome() != before) line += dialog->LastOutcome() + "; ";
  return line + DescribeRows(*dialog);
}

std::string ScriptRunner::Focus(const std::string& which) {
  FindDialog* dialog = session_.OpenDialog();
  if (dialog != &session_.FindTag()) return "the Find Tag dialog is not open";
  focusedCombo_ = which == "parent" ? FindTagDialog::kParentCombo : FindTagDialog::kTagCombo;
  KeyTarget();
  return "combo box " + std::to_string(focusedCombo_);
}

std::string ScriptRunner::Screenshot(const std::string& name) {
  FindDialog* dialog = session_.OpenDialog();
  HWND window = dialog != nullptr ? dialog->Handle() : session_.Editor().Handle();
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // What is painted reaches the screen while the loop waits for messages: let it.
  for (int i = 0; i < 3; ++i) {
    session_.Pump();
    ::Sleep(50);
  }
  const auto path = session_.Options().outDir / name;
  const ScreenshotResult result = WriteWindowPng(window, path.wstring());
  if (!result.written) return "failed: " + result.error;
  return std::to_string(result.width) + "x" + std::to_string(result.height);
}

std::string ScriptRunner::GotoTag(const ScriptCommand& command) {
  TagCatalog& tags = session_.Tags();
  const auto index = tags.FirstNamed(command.text);
  if (!index) return "not found";
  HostTagRecord* record = tags.Record(*index);
  if (command.byPattern) {
    patternOnly_.emplace(tags.Record(*index)->WithoutLine());
    record = &*patternOnly_;
  }
  const std::string outcome = session_.GoToTag(record);
  session_.Pump();
  return outcome;
}

std::string ScriptRunner::Column(const ScriptCommand& command) {
  FindDialog* dialog = session_.OpenDialog();
  if (dialog == nullptr) return "no dialog open";
  HWND list = dialog->Item(dialog->ListId());
  if (!::SendMessageW(list, LVM_SETCOLUMNWIDTH, WPARAM(command.column), command.width)) {
    return "no such column";
  }
  session_.Pump();
  return "column widths " + JoinWidths(dialog->ColumnWidths());
}

std::string ScriptRunner::Close() {
  FindDialog* dialog = session_.OpenDialog();
  if (dialog == nullptr) return "no dialog open";
  const std::string name = dialog->Name();
  dialog->Close();
  session_.Pump();
  return name + " closed";
}

}  // namespace tolvane::host
