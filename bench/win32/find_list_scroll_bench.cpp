// The Find File list of the real DLL under a host list of 1,000,000 rows, scrolled from top to
// bottom page by page: every cell the list shows is asked of the list control (which asks the
// module through its dialog), and the cost per display request is compared with the cost of
// the host's own record lookup for the same cells, in the same run. Heap allocations made by the
// module and by the C++ runtime on its behalf are counted after the first page (warm-up); the
// host's records building the strings they return are the host's cost and counted apart.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness/import_patch.h"
#include "harness/test_dialog.h"
#include "module/loaded_module.h"
#include "support/fake_ide.h"
#include "tolvane/tolvane.h"

namespace tolvane::bench {
namespace {

using testing::ImportPatch;

constexpr int kRows = 1'000'000;
constexpr int kRecords = 1000;
// Requests sent straight to the dialog: a sample of the rows is enough to tell the costs apart.
constexpr int kSampleRows = 100'000;
constexpr int kListId = 1020;
constexpr int kComboId = 1021;

// Heap allocations through the C runtime, from the module and from the C++ runtime it uses.
struct AllocationCounter {
  uint64_t module = 0;
  uint64_t host = 0;
  int hostDepth = 0;  // inside a host record building its result
  void* (*malloc)(size_t) = nullptr;
  void* (*calloc)(size_t, size_t) = nullptr;
  void* (*realloc)(void*, size_t) = nullptr;
  void Count() { ++(hostDepth > 0 ? host : module); }
};
AllocationCounter counter;

void* CountedMalloc(size_t size) {
  counter.Count();
  return counter.malloc(size);
}
void* CountedCalloc(size_t count, size_t size) {
  counter.Count();
  return counter.calloc(count, size);
}
void* CountedRealloc(void* block, size_t size) {
  counter.Count();
  return counter.realloc(block, size);
}

struct HostScope {
  HostScope() { ++counter.hostDepth; }
  ~HostScope() { --counter.hostDepth; }
};

class HostFile final : public HostFileRecord {
 public:
  HostFile(std::string title, std::string extension, std::string path)
      : title_(std::move(title)), extension_(std::move(extension)), path_(std::move(path)) {}
  std::string Title() override {
    HostScope host;
    return title_;
  }
  std::string Extension() override {
    HostScope host;
    return extension_;
  }
  std::string Path() override {
    HostScope host;
    return path_;
  }

 private:
  std::string title_, extension_, path_;
};

class HostFiles final : public HostFileSource {
 public:
  HostFileRecord* Record(uint32_t key) override { return &files[key % kRecords]; }
  std::vector<HostFile> files;
};

// Titles of 4 to 35 characters, paths of 20 to 90: the sizes of a real workspace.
void MakeFiles(HostFiles& source) {
  const char* extensions[] = {"cpp", "h", "", "inl"};
  source.files.reserve(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    std::string title = "file" + std::string(static_cast<size_t>(i % 32), 'x');
    std::string path = "C:\\work\\project\\src\\" + std::string(static_cast<size_t>(i % 71), 'd');
    source.files.emplace_back(std::move(title), extensions[i % 4], std::move(path));
  }
}

double Now() {
  LARGE_INTEGER ticks{};
  LARGE_INTEGER frequency{};
  ::QueryPerformanceCounter(&ticks);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks.QuadPart) / static_cast<double>(frequency.QuadPart);
}

size_t AskCell(HWND list, int row, int column, char* buffer, int size) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = size;
  return static_cast<size_t>(::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(&item)));
}

// The same request as the list sends it, straight to the dialog: reflection and the module's
// answer without the list control's own work.
size_t NotifyCell(HWND dialog, HWND list, int row, int column, char* buffer, int size) {
  NMLVDISPINFOA info{};
  info.hdr.hwndFrom = list;
  info.hdr.idFrom = kListId;
  info.hdr.code = LVN_GETDISPINFOA;
  info.item.mask = LVIF_TEXT;
  info.item.iItem = row;
  info.item.iSubItem = column;
  info.item.pszText = buffer;
  info.item.cchTextMax = size;
  ::SendMessageA(dialog, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&info));
  return std::strlen(info.item.pszText);
}

// The host's own work for the same cell: its key, its record, the record's strings.
size_t LookUpCell(const HostFileKeyArray& keys, HostFileSource* source, int row, int column) {
  HostFileRecord* record = source->Record(keys.keys[row]);
  if (column == 0) {
    const size_t extension = record->Extension().size();
    return record->Title().size() + (extension != 0 ? extension + 1 : 0);
  }
  return record->Path().size();
}

struct Scroll {
  uint64_t requests = 0;
  double seconds = 0;
  uint64_t checksum = 0;
};

// Page by page from the top: the rows the list shows are asked column by column.
template <typename AskRow>
Scroll ScrollThrough(HWND list, int perPage, int rows, AskRow&& askRow) {
  Scroll scroll;
  const int rowHeight = [&] {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    return static_cast<int>(rect.bottom - rect.top);
  }();
  ::SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
  for (int top = 0;;) {
    const int last = top + perPage < rows ? top + perPage : rows;
    const double start = Now();
    for (int row = top; row < last; ++row) scroll.checksum += askRow(row);
    scroll.seconds += Now() - start;
    scroll.requests += static_cast<uint64_t>(last - top) * 2;
    if (last == rows) break;
    ::SendMessageA(list, LVM_SCROLL, 0, perPage * rowHeight);
    const int next = static_cast<int>(::SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    top = next > top ? next : last;  // the last page may overlap the one before
  }
  return scroll;
}

int Run() {
  testing::TestDialog mainWindow;
  testing::FakeIde ide;
  ide.SetMainWindowHandle(mainWindow.Handle());
  testing::LoadedModule module;
  OpsTable* table = module.Create(ide.RootDispatch());
  if (table == nullptr) {
    std::fprintf(stderr, "the module gave no table\n");
    return 1;
  }
  testing::PumpMessages();

  HostFiles source;
  MakeFiles(source);
  HostFileSource* sourceWord = &source;
  std::vector<uint32_t> keys(kRows);
  for (int i = 0; i < kRows; ++i) keys[static_cast<size_t>(i)] = static_cast<uint32_t>(i);
  HostFileKeyArray keyArray{keys.data()};

  testing::TestDialog dialog;
  HWND list =
      ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0,
                        0, 560, 360, dialog.Handle(), reinterpret_cast<HMENU>(INT_PTR{kListId}),
                        ::GetModuleHandleA(nullptr), nullptr);
  dialog.AddCombo(kComboId);
  CFindFileEdit* comboObject = nullptr;
  CFindFileListCtrl* listObject = nullptr;
  TableEntry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
      dialog.Handle(), 0xbe7c, &comboObject, &listObject, &sourceWord, &keyArray);
  ::SendMessageA(list, LVM_SETITEMCOUNT, kRows, 0);
  const int perPage = static_cast<int>(::SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));

  HMODULE dll = module.Handle();
  HMODULE runtime = ::GetModuleHandleA("libstdc++-6.dll");
  counter.malloc = reinterpret_cast<void* (*)(size_t)>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "malloc")));
  counter.calloc = reinterpret_cast<void* (*)(size_t, size_t)>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "calloc")));
  counter.realloc = reinterpret_cast<void* (*)(void*, size_t)>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "realloc")));
  std::vector<ImportPatch*> patches;
  for (HMODULE patched : {dll, runtime}) {
    patches.push_back(new ImportPatch(patched, "msvcrt.dll", "malloc",
                                      reinterpret_cast<const void*>(&CountedMalloc)));
    patches.push_back(new ImportPatch(patched, "msvcrt.dll", "calloc",
                                      reinterpret_cast<const void*>(&CountedCalloc)));
    patches.push_back(new ImportPatch(patched, "msvcrt.dll", "realloc",
                                      reinterpret_cast<const void*>(&CountedRealloc)));
  }

  char buffer[260];
  // Warm-up: one cell of every host record, so the module's three text slots have grown to the
  // longest texts.
  for (int row = 0; row < kRecords; ++row) {
    AskCell(list, row, 0, buffer, sizeof buffer);
    AskCell(list, row, 1, buffer, sizeof buffer);
  }
  const uint64_t warmUpAllocations = counter.module;
  counter.module = 0;
  counter.host = 0;

  const Scroll requests = ScrollThrough(list, perPage, kRows, [&](int row) {
    return AskCell(list, row, 0, buffer, sizeof buffer) +
           AskCell(list, row, 1, buffer, sizeof buffer);
  });
  const uint64_t moduleAllocations = counter.module;
  const uint64_t hostAllocations = counter.host;

  const Scroll notifications = ScrollThrough(list, perPage, kSampleRows, [&](int row) {
    return NotifyCell(dialog.Handle(), list, row, 0, buffer, sizeof buffer) +
           NotifyCell(dialog.Handle(), list, row, 1, buffer, sizeof buffer);
  });
  const uint64_t notificationAllocations = counter.module - moduleAllocations;

  const Scroll lookups = ScrollThrough(list, perPage, kRows, [&](int row) {
    return LookUpCell(keyArray, sourceWord, row, 0) + LookUpCell(keyArray, sourceWord, row, 1);
  });

  for (ImportPatch* patch : patches) delete patch;
  TableEntry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
  module.Destroy(table);
  testing::PumpMessages();

  const double perRequest = requests.seconds / static_cast<double>(requests.requests);
  const double perNotification =
      notifications.seconds / static_cast<double>(notifications.requests);
  const double perLookup = lookups.seconds / static_cast<double>(lookups.requests);
  std::printf("Find File list, %d host rows scrolled page by page (%d rows a page)\n", kRows,
              perPage);
  std::printf("  display requests answered: %llu, cost %.3f us each\n",
              static_cast<unsigned long long>(requests.requests), perRequest * 1e6);
  std::printf(
      "  the same requests for the first %d rows sent straight to the dialog "
      "(reflection and answer only): %.3f us each\n",
      kSampleRows, perNotification * 1e6);
  std::printf("  host record lookups for the same cells: %llu, cost %.3f us each\n",
              static_cast<unsigned long long>(lookups.requests), perLookup * 1e6);
  std::printf("  ratio request through the list / host lookup: %.2f\n", perRequest / perLookup);
  std::printf("  ratio request to the dialog / host lookup: %.2f\n", perNotification / perLookup);
  std::printf(
      "  module allocations after warm-up: %llu through the list, %llu straight to the "
      "dialog (warm-up: %llu; the host's own strings: %llu)\n",
      static_cast<unsigned long long>(moduleAllocations),
      static_cast<unsigned long long>(notificationAllocations),
      static_cast<unsigned long long>(warmUpAllocations),
      static_cast<unsigned long long>(hostAllocations));
  const bool checksumsAgree = requests.checksum == lookups.checksum && notifications.checksum != 0;
  std::printf("  every cell answered with the host's text: %s\n", checksumsAgree ? "yes" : "NO");
  const bool noAllocation = moduleAllocations == 0 && notificationAllocations == 0;
  std::printf("  goal: no allocation per display request after warm-up: %s\n",
              noAllocation ? "holds" : "FAILS");
  return noAllocation && checksumsAgree ? 0 : 1;
}

}  // namespace
}  // namespace tolvane::bench

int main() {
  return tolvane::bench::Run();
}
