// What a long run of the real DLL must not accumulate, counted from outside the module: this
// thread's windows (top-level and all their descendants), the process's GDI and USER objects,
// and the thread hooks the DLL sets and removes (counted by patching its imports).
#pragma once

#include <windows.h>

#include <string>

namespace tolvane::testing {

struct ResourceCounts {
  int windows = 0;  // this thread's windows, children included
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
  bool operator==(const ResourceCounts&) const = default;
  std::string Describe() const;
};

ResourceCounts CountResources();

// Counts the hooks `module` sets and removes while the object lives; calls go on to the system.
class HookCounter {
 public:
  explicit HookCounter(HMODULE module);
  ~HookCounter();
  HookCounter(const HookCounter&) = delete;
  HookCounter& operator=(const HookCounter&) = delete;

  bool Active() const;  // the module imports both functions
  int Set() const;
  int Removed() const;
  int Live() const { return Set() - Removed(); }

 private:
  struct Patches;
  Patches* patches_;
};

}  // namespace tolvane::testing
