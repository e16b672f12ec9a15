// An IDE process that already holds (or later takes) another add-in's shared MinGW-w64 runtime:
// the real DLL must load, work, throw and catch inside itself and unload beside it.
//   coexistence_host RUNTIME_DIR none|libgcc|libstdc++|all before|after
//   coexistence_host FOREIGN_LIBGCC_DIR foreign before
//   coexistence_host RUNTIME_DIR no-tls-slots before
// loads the named runtime DLLs from RUNTIME_DIR before or after TolvaneReg.dll, drives a few
// entries (one of them fails inside the module by running out of memory) and exits 0 only when
// every result was right. A module that ends the process fails the test by its exit code.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "harness/test_dialog.h"
#include "module/loaded_module.h"
#include "support/fake_ide.h"
#include "tolvane/file_entry_list.h"

namespace tolvane::testing {
namespace {

int g_failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++g_failures;
}

#if defined(_WIN64)
constexpr char kLibgcc[] = "libgcc_s_seh-1.dll";
#else
constexpr char kLibgcc[] = "libgcc_s_dw2-1.dll";
#endif

// The DLLs of each set, in the order a process that uses them directly would load them; a
// libstdc++ loaded alone brings libgcc and winpthread in as its own imports.
std::vector<const char*> RuntimeSet(const std::string& name) {
  if (name == "libgcc") return {kLibgcc};
  if (name == "libstdc++") return {"libstdc++-6.dll"};
  if (name == "all") return {"libwinpthread-1.dll", kLibgcc, "libstdc++-6.dll"};
  return {};
}

bool LoadRuntime(const std::string& directory, const std::vector<const char*>& set) {
  bool loaded = true;
  for (const char* dll : set) {
    const std::string path = directory + "\\" + dll;
    // The runtime's own imports are found beside it, as from the other add-in's folder.
    loaded &= ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) != nullptr;
  }
  return loaded && (set.empty() || ::GetModuleHandleA(kLibgcc) != nullptr);
}

std::string Entries(const FileEntryList& list) {
  std::string text;
  for (const FileEntry& entry : list) {
    text.append(entry.name == nullptr ? "" : entry.name, entry.nameLength);
    text += ':';
    text += static_cast<char>('0' + (entry.flags & 3));
    text += ' ';
  }
  return text;
}

void DriveModule(const LoadedModule& module) {
  TestDialog mainWindow;
  FakeIde ide;
  ide.SetMainWindowHandle(mainWindow.Handle());
  OpsTable* table = module.Create(ide.RootDispatch());
  Check(table != nullptr, "TolvaneRegCreate hands out a table");
  if (table == nullptr) return;
  PumpMessages();

  FileEntryList hostList;
  for (const char* name : {"a.cpp", "b.h", "c.txt"}) {
    const auto length = static_cast<uint32_t>(std::strlen(name));
    hostList.AppendName(name, length, static_cast<uint8_t>(length % 4));
  }
  TableEntry<SetFileListFn>(table, kSetFileList)(&hostList);
  FileEntryList copy;
  TableEntry<GetFileListFn>(table, kGetFileList)(&copy);
  Check(Entries(copy) == Entries(hostList), "GetFileList gives back what SetFileList took");

  // No node block of this size can be had: the copy runs out of memory inside the module, which
  // throws and catches there and leaves the host's list as it was.
  FileEntryList unallocatable(INT32_MAX);
  TableEntry<GetFileListFn>(table, kGetFileList)(&unallocatable);
  Check(unallocatable.empty() && unallocatable.blocks == nullptr,
        "a GetFileList that runs out of memory leaves the host's list alone");
  FileEntryList again;
  TableEntry<GetFileListFn>(table, kGetFileList)(&again);
  Check(Entries(again) == Entries(hostList), "and the module's list is intact after it");

  module.Destroy(table);
  PumpMessages();
}

// Another add-in's libgcc of the shared runtime's name took the module's unwind tables at its
// start-up and cannot say where they lie: the module could not throw, so its load fails and the
// process goes on. Once that libgcc is gone, the module loads and works.
void LoadBesideForeignLibgcc(const std::string& directory) {
  const std::string path = directory + "\\" + kLibgcc;
  HMODULE foreign = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  Check(foreign != nullptr, "the other add-in's libgcc loads first");
  Check(::LoadLibraryA("TolvaneReg.dll") == nullptr, "the module's load fails beside it");
  Check(::GetModuleHandleA("TolvaneReg.dll") == nullptr, "and leaves nothing loaded");
  ::FreeLibrary(foreign);
  Check(::GetModuleHandleA(kLibgcc) == nullptr, "the module let go of the other libgcc");
  LoadedModule module;
  DriveModule(module);
}

// A process whose other modules took all the thread-local slots but a few: the runtime linked
// into the module takes one as it starts and would end the process without it; the module needs
// no other. With none left the module's load fails and the process goes on; with one, it loads.
void LoadWithFewThreadLocalSlots() {
  for (int left = 0; left <= 4; ++left) {
    std::vector<DWORD> taken;
    for (DWORD slot; (slot = ::TlsAlloc()) != TLS_OUT_OF_INDEXES;) taken.push_back(slot);
    for (int i = 0; i < left; ++i) {
      ::TlsFree(taken.back());
      taken.pop_back();
    }
    HMODULE loaded = ::LoadLibraryA("TolvaneReg.dll");
    if (left == 0) Check(loaded == nullptr, "without a free slot the module's load fails");
    if (left == 1) Check(loaded != nullptr, "with one slot free, the runtime's, the module loads");
    if (loaded != nullptr) ::FreeLibrary(loaded);
    Check(::GetModuleHandleA("TolvaneReg.dll") == nullptr, "and the module is not left loaded");
    for (DWORD slot : taken) ::TlsFree(slot);
  }
  LoadedModule module;
  DriveModule(module);
}

}  // namespace
}  // namespace tolvane::testing

int main(int argc, char** argv) {
  using namespace tolvane::testing;
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: coexistence_host RUNTIME_DIR none|libgcc|libstdc++|all before|after\n");
    return 2;
  }
  // The folder as Windows names it (under Wine a Unix path becomes one on drive Z:).
  char directory[MAX_PATH];
  if (::GetFullPathNameA(argv[1], MAX_PATH, directory, nullptr) == 0) return 2;
  if (std::strcmp(argv[2], "foreign") == 0 || std::strcmp(argv[2], "no-tls-slots") == 0) {
    if (argv[2][0] == 'f') {
      LoadBesideForeignLibgcc(directory);
    } else {
      LoadWithFewThreadLocalSlots();
    }
    std::printf("%s\n", g_failures == 0 ? "the process lives; every result was right" : "FAILED");
    return g_failures == 0 ? 0 : 1;
  }
  const std::vector<const char*> set = RuntimeSet(argv[2]);
  const bool runtimeFirst = std::strcmp(argv[3], "before") == 0;

  if (runtimeFirst) Check(LoadRuntime(directory, set), "the shared runtime loads first");
  {
    LoadedModule module;
    if (!runtimeFirst)
      Check(LoadRuntime(directory, set), "the shared runtime loads after the module");
    DriveModule(module);
    module.Unload();
    Check(::GetModuleHandleA("TolvaneReg.dll") == nullptr, "the module unloads");
  }
  Check(set.empty() || ::GetModuleHandleA(kLibgcc) != nullptr,
        "the other add-in's runtime stays loaded");
  std::printf("%s\n", g_failures == 0 ? "the process lives; every result was right" : "FAILED");
  return g_failures == 0 ? 0 : 1;
}
