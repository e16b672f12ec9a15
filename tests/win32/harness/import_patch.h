// Replaces one imported function of one loaded module for as long as the object lives, by
// rewriting that module's import address table. The test host uses it to watch or break what
// the real DLL calls (its beep, its heap, its wide-string allocator) without changing the DLL.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tolvane::testing {

// Writes `size` bytes at `at` inside a loaded image, whatever its pages' protection.
void WriteIntoImage(void* at, const void* value, std::size_t size);

class ImportPatch {
 public:
  // `library` is matched without regard to case ("user32.dll").
  ImportPatch(HMODULE module, const char* library, const char* function, const void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // False when the module does not import the function.
  bool Active() const { return slot_ != nullptr; }
  // The module has been unloaded: its import table went with it, so nothing is put back.
  void ModuleUnloaded() { slot_ = nullptr; }
  // The function the module called before the patch.
  const void* Original() const { return original_; }

 private:
  void** slot_ = nullptr;
  const void* original_ = nullptr;
};

}  // namespace tolvane::testing
