// The platform's wide-string services for the automation calls (Windows only).
#pragma once

#include "seams/wide_strings.h"

namespace tolvane {

class OleWideStrings final : public WideStrings {
 public:
  // MultiByteToWideChar with the thread's ANSI code page.
  int ConvertNarrow(const char* text, WideChar* buffer, int capacity) override;
  BSTR Allocate(uint32_t length) override;           // SysAllocStringLen(nullptr, length)
  BSTR AllocateCopy(const WideChar* text) override;  // SysAllocString
  void Free(BSTR text) override;                     // SysFreeString
  void ClearVariant(VARIANT* value) override;        // VariantClear
};

}  // namespace tolvane
