#include "support/fake_wide_strings.h"

#include <cstdlib>
#include <cstring>

namespace tolvane::testing {
namespace {

// Block layout as the platform's: a 32-bit byte count, the characters, a terminator.
constexpr std::size_t kPrefix = sizeof(uint32_t);

unsigned char* BlockOf(BSTR text) {
  return reinterpret_cast<unsigned char*>(text) - kPrefix;
}

}  // namespace

FakeWideStrings::~FakeWideStrings() {
  for (BSTR text : live_) std::free(BlockOf(text));
}

int FakeWideStrings::ConvertNarrow(const char* text, WideChar* buffer, int capacity) {
  if (text == nullptr || capacity < 0) return 0;
  const int needed = static_cast<int>(std::strlen(text)) + 1;
  if (capacity == 0) return failMeasuring ? 0 : needed;
  if (failConversions || capacity < needed) return 0;
  for (int i = 0; i < needed; ++i) {
    buffer[i] = static_cast<WideChar>(static_cast<unsigned char>(text[i]));
  }
  return needed;
}

BSTR FakeWideStrings::NewString(uint32_t length) {
  if (failAllocationIn_ > 0 && --failAllocationIn_ == 0) return nullptr;
  const uint32_t bytes = length * static_cast<uint32_t>(sizeof(WideChar));
  auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + bytes + sizeof(WideChar)));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &bytes, kPrefix);
  BSTR text = reinterpret_cast<BSTR>(block + kPrefix);
  for (uint32_t i = 0; i < length; ++i) text[i] = static_cast<WideChar>(0xFFFD);  // not yet set
  text[length] = 0;
  live_.insert(text);
  ++allocations_;
  return text;
}

BSTR FakeWideStrings::Allocate(uint32_t length) {
  return NewString(length);
}

BSTR FakeWideStrings::AllocateCopy(const WideChar* text) {
  if (text == nullptr) return nullptr;
  uint32_t length = 0;
  while (text[length] != 0) ++length;
  BSTR copy = NewString(length);
  if (copy != nullptr) std::memcpy(copy, text, length * sizeof(WideChar));
  return copy;
}

void FakeWideStrings::Free(BSTR text) {
  if (text == nullptr) return;
  if (live_.erase(text) == 0) {
    ++badFrees_;  // never allocated here, or freed before
    return;
  }
  ++frees_;
  std::free(BlockOf(text));
}

void FakeWideStrings::ClearVariant(VARIANT* value) {
  ++variantClears_;
  if (value != nullptr) value->vt = 0;  // empty
}

uint32_t FakeWideStrings::Length(BSTR text) {
  uint32_t bytes = 0;
  std::memcpy(&bytes, BlockOf(text), kPrefix);
  return bytes / static_cast<uint32_t>(sizeof(WideChar));
}

}  // namespace tolvane::testing
