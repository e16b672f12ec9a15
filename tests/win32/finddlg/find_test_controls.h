// Reading the Find dialogs' outcome back from real controls and from the registry.
#pragma once

#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "module/loaded_module.h"

namespace tolvane::testing {

class ListCanvas;

// The module's profile, HKEY_CURRENT_USER\Software\TolvaneReg: ClearModuleProfile and
// WriteProfileString come from module/loaded_module.h. A section is a registry key below it.
void WriteProfileInt(const std::string& section, const std::string& key, int32_t value);
std::optional<int32_t> ReadProfileInt(const std::string& section, const std::string& key);
std::optional<std::string> ReadProfileString(const std::string& section, const std::string& key);

struct ListColumn {
  std::string heading;
  int format;
  int width;
};
std::vector<ListColumn> Columns(HWND list);
// The text the list shows in a cell (asks the list, which asks its owner): through
// LVM_GETITEMTEXTA, or for wchar_t through LVM_GETITEMTEXTW, as UTF-16.
template <typename Char = char>
std::basic_string<Char> CellText(HWND list, int row, int column);

// A display request sent to the dialog as the list itself would send it: LVN_GETDISPINFOA for a
// char buffer, LVN_GETDISPINFOW for a wchar_t one; the record as the dialog's answer left it.
template <typename Info>
struct SentRequest {
  LRESULT result;
  Info info;
};
template <typename Char>
auto Request(HWND dialog, HWND list, int row, int column, Char* buffer, UINT mask = LVIF_TEXT) {
  constexpr bool kWide = std::is_same_v<Char, wchar_t>;
  SentRequest<std::conditional_t<kWide, NMLVDISPINFOW, NMLVDISPINFOA>> sent{};
  sent.info.hdr.hwndFrom = list;
  sent.info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
  sent.info.hdr.code = kWide ? LVN_GETDISPINFOW : LVN_GETDISPINFOA;
  sent.info.item.mask = mask;
  sent.info.item.iItem = row;
  sent.info.item.iSubItem = column;
  sent.info.item.state = LVIS_CUT;
  sent.info.item.iImage = 7;
  sent.info.item.pszText = buffer;
  sent.info.item.cchTextMax = 4;  // never consulted: texts are handed over, not copied
  const auto lParam = reinterpret_cast<LPARAM>(&sent.info);
  sent.result = kWide ? ::SendMessageW(dialog, WM_NOTIFY, sent.info.hdr.idFrom, lParam)
                      : ::SendMessageA(dialog, WM_NOTIFY, sent.info.hdr.idFrom, lParam);
  return sent;
}
UINT RowState(HWND list, int row);  // LVIS_SELECTED | LVIS_FOCUSED bits
void SetRowState(HWND list, int row, UINT state);
bool RowFullyVisible(HWND list, int row);

// A cell's rectangle as the list lays out its label (LVM_GETSUBITEMRECT, LVIR_LABEL).
RECT CellRect(HWND list, int row, int column);
// The ink of a painted cell from left to right, as a string: 'H' for a stretch of columns inked in
// the system's highlight colour, 'T' for one in `text` ("HTHT" for matched, plain, matched, plain).
std::string InkRuns(const ListCanvas& picture, HWND list, int row, int column,
                    COLORREF background = ::GetSysColor(COLOR_WINDOW),
                    COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT));

std::vector<std::string> ComboItems(HWND combo);
HWND EditOf(HWND combo);
std::string EditText(HWND combo);
void SetEditText(HWND combo, const std::string& text, int caret);
int Caret(HWND combo);

}  // namespace tolvane::testing
