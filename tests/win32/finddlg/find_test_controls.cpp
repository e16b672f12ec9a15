#include "find_test_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "harness/list_canvas.h"

namespace tolvane::testing {
namespace {

constexpr char kRoot[] = "Software\\TolvaneReg";

std::string KeyPath(const std::string& section) {
  return std::string(kRoot) + "\\" + section;
}

// How far `pixel` lies from the line from `background` to `ink`, and how far along it (0 at the
// background, 1 at the ink): a glyph's smoothed edge lies on that line too.
struct Along {
  double distance;
  double share;
};
Along Between(COLORREF pixel, COLORREF background, COLORREF ink) {
  const double d[3] = {double(GetRValue(ink)) - GetRValue(background),
                       double(GetGValue(ink)) - GetGValue(background),
                       double(GetBValue(ink)) - GetBValue(background)};
  const double p[3] = {double(GetRValue(pixel)) - GetRValue(background),
                       double(GetGValue(pixel)) - GetGValue(background),
                       double(GetBValue(pixel)) - GetBValue(background)};
  const double length = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  const double share = (p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / length;
  double distance = 0;
  for (int i = 0; i < 3; ++i) distance += std::abs(p[i] - share * d[i]);
  return {distance, share};
}

}  // namespace

void WriteProfileInt(const std::string& section, const std::string& key, int32_t value) {
  HKEY hkey = nullptr;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                    &hkey, nullptr);
  const DWORD data = static_cast<DWORD>(value);
  ::RegSetValueExA(hkey, key.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof data);
  ::RegCloseKey(hkey);
}

std::optional<int32_t> ReadProfileInt(const std::string& section, const std::string& key) {
  DWORD data = 0;
  DWORD size = sizeof data;
  DWORD type = 0;
  if (::RegGetValueA(HKEY_CURRENT_USER, KeyPath(section).c_str(), key.c_str(), RRF_RT_ANY, &type,
                     &data, &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return static_cast<int32_t>(data);
}

std::optional<std::string> ReadProfileString(const std::string& section, const std::string& key) {
  char data[4096] = {};
  DWORD size = sizeof data;
  if (::RegGetValueA(HKEY_CURRENT_USER, KeyPath(section).c_str(), key.c_str(), RRF_RT_REG_SZ,
                     nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

std::vector<ListColumn> Columns(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  std::vector<ListColumn> columns;
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    columns.push_back({text, column.fmt & LVCFMT_JUSTIFYMASK, column.cx});
  }
  return columns;
}

template <typename Char>
std::basic_string<Char> CellText(HWND list, int row, int column) {
  Char text[512] = {};
  std::conditional_t<std::is_same_v<Char, wchar_t>, LVITEMW, LVITEMA> item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = static_cast<int>(std::size(text));
  const auto lParam = reinterpret_cast<LPARAM>(&item);
  if constexpr (std::is_same_v<Char, wchar_t>) {
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), lParam);
  } else {
    ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), lParam);
  }
  return text;
}

template std::string CellText(HWND, int, int);
template std::wstring CellText(HWND, int, int);

UINT RowState(HWND list, int row) {
  return static_cast<UINT>(::SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                          LVIS_SELECTED | LVIS_FOCUSED));
}

void SetRowState(HWND list, int row, UINT state) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool RowFullyVisible(HWND list, int row) {
  RECT rowRect{};
  rowRect.left = LVIR_BOUNDS;
  if (!::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&rowRect))) {
    return false;
  }
  RECT client{};
  ::GetClientRect(list, &client);
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  RECT headerRect{};
  if (header != nullptr && ::IsWindowVisible(header)) ::GetClientRect(header, &headerRect);
  return rowRect.top >= headerRect.bottom && rowRect.bottom <= client.bottom;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[512] = {};
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

HWND EditOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ::GetComboBoxInfo(combo, &info);
  return info.hwndItem;
}

std::string EditText(HWND combo) {
  char text[512] = {};
  ::GetWindowTextA(EditOf(combo), text, sizeof text);
  return text;
}

void SetEditText(HWND combo, const std::string& text, int caret) {
  HWND edit = EditOf(combo);
  ::SetWindowTextA(edit, text.c_str());
  ::SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(caret), caret);
}

int Caret(HWND combo) {
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageA(EditOf(combo), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end);
}

RECT CellRect(HWND list, int row, int column) {
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_LABEL;
  ::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
  return cell;
}

std::string InkRuns(const ListCanvas& picture, HWND list, int row, int column, COLORREF background,
                    COLORREF text) {
  const RECT cell = CellRect(list, row, column);
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  std::string runs;
  // Inside the grid lines around the cell.
  const int right = std::min(static_cast<int>(cell.right) - 1, picture.Width());
  for (int x = cell.left + 1; x < right; ++x) {
    char ink = 0;
    for (int y = cell.top; y < cell.bottom - 1; ++y) {
      const COLORREF pixel = picture.At(x, y);
      if (pixel == background) continue;
      const Along toText = Between(pixel, background, text);
      const Along toHighlight = Between(pixel, background, highlight);
      const Along& nearer = toHighlight.distance < toText.distance ? toHighlight : toText;
      if (nearer.share > 0.4 && nearer.distance < 60) ink = &nearer == &toHighlight ? 'H' : 'T';
      if (ink == 'H') break;
    }
    if (ink != 0 && (runs.empty() || runs.back() != ink)) runs.push_back(ink);
  }
  return runs;
}

}  // namespace tolvane::testing
