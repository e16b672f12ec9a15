// A narrow string of the module turned into the automation model's wide string, freed when the
// holder goes. A null text stays null; an empty text becomes an empty, non-null string.
#pragma once

#include "seams/wide_strings.h"
#include "tolvane/automation.h"

namespace tolvane {

class WideText {
 public:
  // Throws std::bad_alloc (the out-of-memory exception) when the string cannot be made.
  WideText(WideStrings& strings, const char* text);
  // A copy of a wide literal; throws std::bad_alloc when it cannot be allocated.
  static WideText Copy(WideStrings& strings, const WideChar* text);

  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;
  WideText(WideText&& other) noexcept;
  WideText& operator=(WideText&&) = delete;
  ~WideText();

  BSTR get() const { return text_; }

 private:
  struct Adopted {};
  WideText(WideStrings& strings, BSTR text, Adopted) : strings_(strings), text_(text) {}

  WideStrings& strings_;
  BSTR text_ = nullptr;
};

}  // namespace tolvane
