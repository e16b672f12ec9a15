#include "harness/export_patch.h"

#include <cstdint>

#include "harness/import_patch.h"

namespace tolvane::testing {

ExportPatch::ExportPatch(HMODULE library, const char* function, const void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(library);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (directory.VirtualAddress == 0) return;
  // An address the table can name: an offset from the library, outside the export directory
  // (an entry pointing into it is taken for a forwarder's name).
  const uintptr_t offset =
      reinterpret_cast<uintptr_t>(replacement) - reinterpret_cast<uintptr_t>(base);
  if (offset > UINT32_MAX ||
      (offset >= directory.VirtualAddress && offset < directory.VirtualAddress + directory.Size)) {
    return;
  }
  const auto* exports =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
  auto* functions = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    if (lstrcmpA(reinterpret_cast<const char*>(base + names[i]), function) != 0) continue;
    slot_ = &functions[ordinals[i]];
    original_ = *slot_;
    const auto replacementOffset = static_cast<DWORD>(offset);
    WriteIntoImage(slot_, &replacementOffset, sizeof replacementOffset);
    return;
  }
}

ExportPatch::~ExportPatch() {
  if (slot_ != nullptr) WriteIntoImage(slot_, &original_, sizeof original_);
}

}  // namespace tolvane::testing
