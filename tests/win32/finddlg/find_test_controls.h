// Reading the Find dialogs' outcome back from real controls and from the registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "module/loaded_module.h"

namespace tolvane::testing {

// The module's profile, HKEY_CURRENT_USER\Software\TolvaneReg: ClearModuleProfile and
// WriteProfileString come from module/loaded_module.h.
// Section "WindowPositions\ID=0x%08lx" of a dialog identifier, as a registry key below the root.
std::string WidthSection(uint32_t dialogId);
void WriteProfileInt(const std::string& section, const std::string& key, int32_t value);
std::optional<int32_t> ReadProfileInt(const std::string& section, const std::string& key);
std::optional<std::string> ReadProfileString(const std::string& section, const std::string& key);

struct ListColumn {
  std::string heading;
  int format;
  int width;
};
std::vector<ListColumn> Columns(HWND list);
// The text the list shows in a cell (asks the list, which asks its owner).
std::string CellText(HWND list, int row, int column);
// The same through LVM_GETITEMTEXTW, as UTF-16.
std::wstring WideCellText(HWND list, int row, int column);
UINT RowState(HWND list, int row);  // LVIS_SELECTED | LVIS_FOCUSED bits
void SetRowState(HWND list, int row, UINT state);
bool RowFullyVisible(HWND list, int row);

std::vector<std::string> ComboItems(HWND combo);
HWND EditOf(HWND combo);
std::string EditText(HWND combo);
void SetEditText(HWND combo, const std::string& text, int caret);
int Caret(HWND combo);

}  // namespace tolvane::testing
