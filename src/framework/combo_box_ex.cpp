#include "framework/combo_box_ex.h"

#include <vector>

namespace tolvane {

std::string CComboBoxEx::GetLBText(int index) const {
  LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR || length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  // An item's text holds no null; a copy that failed leaves the buffer empty.
  Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data());
}

}  // namespace tolvane
