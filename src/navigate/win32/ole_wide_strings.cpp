#include "navigate/win32/ole_wide_strings.h"

#include <windows.h>

// needs windows.h first
#include <oleauto.h>

namespace tolvane {

int OleWideStrings::ConvertNarrow(const char* text, WideChar* buffer, int capacity) {
  return MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, buffer, capacity);
}

BSTR OleWideStrings::Allocate(uint32_t length) {
  return SysAllocStringLen(nullptr, length);
}

BSTR OleWideStrings::AllocateCopy(const WideChar* text) {
  return SysAllocString(text);
}

void OleWideStrings::Free(BSTR text) {
  SysFreeString(text);
}

void OleWideStrings::ClearVariant(VARIANT* value) {
  VariantClear(value);
}

}  // namespace tolvane
