// The automation model's wide strings: converting the module's narrow text and allocating,
// freeing and clearing what the automation calls take. On Windows these are the platform's own
// operations (MultiByteToWideChar with the thread's ANSI code page, SysAllocStringLen,
// SysAllocString, SysFreeString, VariantClear); in native tests a counting fake stands in.
#pragma once

#include <cstdint>

#include "tolvane/automation.h"

namespace tolvane {

class WideStrings {
 public:
  virtual ~WideStrings() = default;

  // Converts the NUL-terminated `text`, terminator included. With `capacity` 0 nothing is
  // written and the answer is the count needed; otherwise the count written, or 0 when the
  // text does not convert or does not fit.
  virtual int ConvertNarrow(const char* text, WideChar* buffer, int capacity) = 0;

  // A string of `length` characters, their content not yet set, plus a terminator; null on
  // failure.
  virtual BSTR Allocate(uint32_t length) = 0;

  // A copy of the NUL-terminated `text`; null on failure.
  virtual BSTR AllocateCopy(const WideChar* text) = 0;

  // Frees a string from Allocate or AllocateCopy; null is allowed.
  virtual void Free(BSTR text) = 0;

  // Releases what `value` holds and leaves it empty.
  virtual void ClearVariant(VARIANT* value) = 0;
};

}  // namespace tolvane
