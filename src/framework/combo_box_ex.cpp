#include "framework/combo_box_ex.h"

#include <vector>

namespace tolvane {

bool CComboBoxEx::AttachToDialogItem(HWND dialog, int controlId) {
  if (!CWnd::AttachToDialogItem(dialog, controlId)) return false;
  WantPreTranslation();
  return true;
}

int CComboBoxEx::AddString(const std::string& text) {
  return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBoxEx::InsertString(int index, const std::string& text) {
  return static_cast<int>(
      Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBoxEx::DeleteString(int index) {
  return static_cast<int>(Send(CB_DELETESTRING, static_cast<WPARAM>(index)));
}

int CComboBoxEx::GetCount() const {
  return static_cast<int>(Send(CB_GETCOUNT));
}

std::string CComboBoxEx::GetLBText(int index) const {
  LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR || length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied =
      Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  if (copied == CB_ERR || copied < 0) return std::string();
  return std::string(buffer.data(), static_cast<size_t>(copied));
}

bool CComboBoxEx::GetDroppedState() const {
  return Send(CB_GETDROPPEDSTATE) != 0;
}

HWND CComboBoxEx::EditField() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!::GetComboBoxInfo(Handle(), &info)) return nullptr;
  return info.hwndItem;
}

std::string CComboBoxEx::GetWindowText() const {
  int length = ::GetWindowTextLengthA(Handle());
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(Handle(), buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

}  // namespace tolvane
