// Replaces one exported function of one loaded library for as long as the object lives, by
// rewriting that library's export address table: a module loaded meanwhile imports the
// replacement from its first instruction on, its start-up code and DllMain included. Only where
// the replacement lies within 4 GB above the library (always on a 32-bit process).
#pragma once

#include <windows.h>

namespace tolvane::testing {

class ExportPatch {
 public:
  ExportPatch(HMODULE library, const char* function, const void* replacement);
  ~ExportPatch();
  ExportPatch(const ExportPatch&) = delete;
  ExportPatch& operator=(const ExportPatch&) = delete;

  // False when the library does not export the function or the replacement lies out of reach.
  bool Active() const { return slot_ != nullptr; }

 private:
  DWORD* slot_ = nullptr;
  DWORD original_ = 0;
};

}  // namespace tolvane::testing
