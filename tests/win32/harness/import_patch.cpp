#include "harness/import_patch.h"

#include <cstring>

namespace tolvane::testing {
namespace {

template <typename T>
T* At(HMODULE module, DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + offset);
}

void** FindImportSlot(HMODULE module, const char* library, const char* function) {
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(module);
  auto* nt = At<IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress);
       descriptor->Name != 0; ++descriptor) {
    if (lstrcmpiA(At<char>(module, descriptor->Name), library) != 0) continue;
    auto* names = At<IMAGE_THUNK_DATA>(module, descriptor->OriginalFirstThunk != 0
                                                   ? descriptor->OriginalFirstThunk
                                                   : descriptor->FirstThunk);
    auto* addresses = At<IMAGE_THUNK_DATA>(module, descriptor->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = At<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(names->u1.AddressOfData));
      if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0) {
        return reinterpret_cast<void**>(&addresses->u1.Function);
      }
    }
  }
  return nullptr;
}

}  // namespace

ImportPatch::ImportPatch(HMODULE module, const char* library, const char* function,
                         const void* replacement) {
  slot_ = FindImportSlot(module, library, function);
  if (slot_ == nullptr) return;
  original_ = *slot_;
  WriteIntoImage(slot_, &replacement, sizeof replacement);
}

ImportPatch::~ImportPatch() {
  if (slot_ != nullptr) WriteIntoImage(slot_, &original_, sizeof original_);
}

void WriteIntoImage(void* at, const void* value, std::size_t size) {
  DWORD previous = 0;
  ::VirtualProtect(at, size, PAGE_READWRITE, &previous);
  std::memcpy(at, value, size);
  ::VirtualProtect(at, size, previous, &previous);
}

}  // namespace tolvane::testing
