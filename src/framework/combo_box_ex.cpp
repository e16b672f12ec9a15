#include "framework/combo_box_ex.h"

#include <vector>

namespace tolvane {

std::string CComboBoxEx::GetLBText(int index) const {
  LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR || length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied =
      Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  if (copied < 0) return std::string();  // CB_ERR
  return std::string(buffer.data(), static_cast<size_t>(copied));
}

}  // namespace tolvane
