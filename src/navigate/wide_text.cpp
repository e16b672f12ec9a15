#include "navigate/wide_text.h"

#include <new>
#include <utility>

namespace tolvane {
namespace {

BSTR Convert(WideStrings& strings, const char* text) {
  const int count = strings.ConvertNarrow(text, nullptr, 0);  // terminator included
  if (count <= 0) return nullptr;
  BSTR wide = strings.Allocate(static_cast<uint32_t>(count - 1));
  if (wide == nullptr) return nullptr;
  if (strings.ConvertNarrow(text, wide, count) != count) {
    strings.Free(wide);
    return nullptr;
  }
  return wide;
}

}  // namespace

WideText::WideText(WideStrings& strings, const char* text) : strings_(strings) {
  if (text == nullptr) return;
  text_ = Convert(strings, text);
  if (text_ == nullptr) throw std::bad_alloc();
}

WideText WideText::Copy(WideStrings& strings, const WideChar* text) {
  BSTR copy = strings.AllocateCopy(text);
  if (copy == nullptr) throw std::bad_alloc();
  return WideText(strings, copy, Adopted{});
}

WideText::WideText(WideText&& other) noexcept
    : strings_(other.strings_), text_(std::exchange(other.text_, nullptr)) {}

WideText::~WideText() {
  if (text_ != nullptr) strings_.Free(text_);
}

}  // namespace tolvane
