#include "dll/unwind_tables.h"

#include <windows.h>

#include <cstdint>

#if defined(__GNUC__) && defined(__i386__) && !defined(__SEH__) && \
    !defined(__USING_SJLJ_EXCEPTIONS__)

// The linked-in libgcc's registry of unwind tables (its own declarations are not installed).
extern "C" {
struct object;
struct dwarf_eh_bases {
  void* tbase;
  void* dbase;
  void* func;
};
void __register_frame_info(const void* begin, object* registration);
void* __deregister_frame_info(const void* begin);
const void* _Unwind_Find_FDE(void* pc, dwarf_eh_bases* bases);
extern IMAGE_DOS_HEADER __ImageBase;
}

namespace tolvane {
namespace {

// The name the start-up code looks for; only that libgcc can hold our tables instead of ours.
constexpr char kSharedLibgcc[] = "libgcc_s_dw2-1.dll";

// libgcc's registration record is the registry's own (seven words in GCC 12): room for more.
alignas(void*) unsigned char g_registration[32 * sizeof(void*)];
const void* g_registeredTables = nullptr;

// The start of the image section that holds `address`: the unwind tables' section, whose name
// the image may keep only in a string table that is not loaded.
const void* SectionStartOf(const void* address) {
  const auto* base = reinterpret_cast<const unsigned char*>(&__ImageBase);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + __ImageBase.e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
  const auto offset = static_cast<uintptr_t>(static_cast<const unsigned char*>(address) - base);
  for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
    if (offset >= section->VirtualAddress &&
        offset - section->VirtualAddress < section->Misc.VirtualSize) {
      return base + section->VirtualAddress;
    }
  }
  return nullptr;
}

bool OwnUnwinderFinds(void* code) {
  dwarf_eh_bases bases;
  return _Unwind_Find_FDE(code, &bases) != nullptr;
}

}  // namespace

bool RegisterUnwindTablesWithOwnUnwinder() noexcept {
  void* code = reinterpret_cast<void*>(&RegisterUnwindTablesWithOwnUnwinder);
  if (OwnUnwinderFinds(code)) return true;  // start-up registered them with ours
  // Start-up gave them to the shared libgcc: it tells where they lie.
  const HMODULE shared = ::GetModuleHandleA(kSharedLibgcc);
  if (shared == nullptr) return false;
  using FindFn = const void* (*)(void*, dwarf_eh_bases*);
  const auto find = reinterpret_cast<FindFn>(
      reinterpret_cast<void*>(::GetProcAddress(shared, "_Unwind_Find_FDE")));
  if (find == nullptr) return false;
  dwarf_eh_bases bases;
  const void* entry = find(code, &bases);
  // The tables fill their section from its start, where the start-up code's own label lies.
  const void* tables = entry != nullptr ? SectionStartOf(entry) : nullptr;
  if (tables == nullptr) return false;
  __register_frame_info(tables, reinterpret_cast<object*>(g_registration));
  g_registeredTables = tables;
  return OwnUnwinderFinds(code);
}

void DeregisterUnwindTablesFromOwnUnwinder() noexcept {
  if (g_registeredTables == nullptr) return;
  __deregister_frame_info(g_registeredTables);
  g_registeredTables = nullptr;
}

}  // namespace tolvane

#else

namespace tolvane {

bool RegisterUnwindTablesWithOwnUnwinder() noexcept {
  return true;
}
void DeregisterUnwindTablesFromOwnUnwinder() noexcept {}

}  // namespace tolvane

#endif
