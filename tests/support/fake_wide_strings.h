// A counting stand-in for the platform's wide-string services, for tests in both builds.
// Narrow text converts byte by byte (as in a Latin-1 code page). Strings are length-prefixed
// blocks like the platform's; every allocation and free is counted, unknown or repeated frees
// are caught, and an allocation or conversion can be told to fail.
#pragma once

#include <set>

#include "seams/wide_strings.h"

namespace tolvane::testing {

class FakeWideStrings final : public WideStrings {
 public:
  ~FakeWideStrings() override;  // frees what is still live, so leaks show in the counts only

  int ConvertNarrow(const char* text, WideChar* buffer, int capacity) override;
  BSTR Allocate(uint32_t length) override;
  BSTR AllocateCopy(const WideChar* text) override;
  void Free(BSTR text) override;
  void ClearVariant(VARIANT* value) override;

  // The n-th allocation from now (1: the next one) fails; 0 turns this off.
  void FailAllocation(int nth) { failAllocationIn_ = nth; }
  // Conversions that write (capacity above 0) fail while this is set.
  bool failConversions = false;
  // Conversions that only measure (capacity 0) fail while this is set, as the platform's do for
  // a text whose length its count cannot hold.
  bool failMeasuring = false;

  int Allocations() const { return allocations_; }
  int Frees() const { return frees_; }
  int Live() const { return static_cast<int>(live_.size()); }
  int BadFrees() const { return badFrees_; }
  int VariantClears() const { return variantClears_; }
  // The characters of a live string, from its length prefix.
  static uint32_t Length(BSTR text);

 private:
  BSTR NewString(uint32_t length);

  std::set<BSTR> live_;
  int allocations_ = 0;
  int frees_ = 0;
  int badFrees_ = 0;
  int variantClears_ = 0;
  int failAllocationIn_ = 0;
};

}  // namespace tolvane::testing
