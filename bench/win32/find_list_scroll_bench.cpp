// The Find File list of the real DLL under a host list of 1,000,000 rows, scrolled from top to
// bottom page by page: every cell the list shows is asked of the list control (which asks the
// module through its dialog), and the cost per display request is compared with the cost of
// the host's own record lookup for the same cells, in the same run. This is done once with an
// ANSI dialog, whose list asks with LVN_GETDISPINFOA, and once with a Unicode dialog, whose list
// asks with LVN_GETDISPINFOW and gets the texts converted: the Unicode request is to cost at most
// 1.5 times the ANSI one. Heap allocations made by the module and by the C++ runtime inside
// it are counted after a warm-up over every host record; the host's records building the
// strings they return are the host's cost and counted apart.
//
// Then, for scale, the module's answer against the host's own: a host that answers
// LVN_GETDISPINFOA from the same records in its own dialog procedure. Both are asked the same
// cells in interleaved rounds, through the list and straight to the dialog; the medians of the
// rounds' ratios are printed.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
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

// Heap allocations through the C runtime, from the module and from the C++ runtime linked into it.
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
  const char* Title() override {
    HostScope host;
    return title_.c_str();
  }
  const char* Extension() override {
    HostScope host;
    return extension_.c_str();
  }
  const char* Path() override {
    HostScope host;
    return path_.c_str();
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

size_t AskCell(HWND list, int row, int column, wchar_t* buffer, int size) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = size;
  return static_cast<size_t>(::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(&item)));
}

// The same request as the list sends it, straight to the dialog: reflection and the module's
// answer without the list control's own work.
template <typename Info, typename Char>
size_t NotifyCell(HWND dialog, HWND list, UINT code, int row, int column, Char* buffer, int size) {
  Info info{};
  info.hdr.hwndFrom = list;
  info.hdr.idFrom = kListId;
  info.hdr.code = code;
  info.item.mask = LVIF_TEXT;
  info.item.iItem = row;
  info.item.iSubItem = column;
  info.item.pszText = buffer;
  info.item.cchTextMax = size;
  ::SendMessageW(dialog, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&info));
  if (info.item.pszText == buffer) return 0;  // not answered: the buffer holds an older text
  return std::char_traits<Char>::length(info.item.pszText);
}

size_t NotifyCell(HWND dialog, HWND list, int row, int column, char* buffer, int size) {
  return NotifyCell<NMLVDISPINFOA>(dialog, list, LVN_GETDISPINFOA, row, column, buffer, size);
}

size_t NotifyCell(HWND dialog, HWND list, int row, int column, wchar_t* buffer, int size) {
  return NotifyCell<NMLVDISPINFOW>(dialog, list, LVN_GETDISPINFOW, row, column, buffer, size);
}

// The host's own work for the same cell: its key, its record, the record's strings.
size_t LookUpCell(const HostFileKeyArray& keys, HostFileSource* source, int row, int column) {
  HostFileRecord* record = source->Record(keys.keys[row]);
  if (column == 0) {
    const size_t extension = std::strlen(record->Extension());
    return std::strlen(record->Title()) + (extension != 0 ? extension + 1 : 0);
  }
  return std::strlen(record->Path());
}

struct Scroll {
  uint64_t requests = 0;
  double seconds = 0;
  uint64_t checksum = 0;
};

template <typename AskRow>
void TimePage(Scroll& scroll, int top, int last, AskRow& askRow) {
  const double start = Now();
  for (int row = top; row < last; ++row) scroll.checksum += askRow(row);
  scroll.seconds += Now() - start;
  scroll.requests += static_cast<uint64_t>(last - top) * 2;
}

// Page by page from the top: the rows the list shows are asked column by column, by each asker
// in turn and timed apart, so that askers compared with each other meet the same machine.
template <typename... AskRow>
std::array<Scroll, sizeof...(AskRow)> ScrollThrough(HWND list, int perPage, int rows,
                                                    AskRow&&... askRow) {
  std::array<Scroll, sizeof...(AskRow)> scrolls{};
  const int rowHeight = [&] {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    return static_cast<int>(rect.bottom - rect.top);
  }();
  ::SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
  for (int top = 0;;) {
    const int last = top + perPage < rows ? top + perPage : rows;
    std::size_t i = 0;
    (TimePage(scrolls[i++], top, last, askRow), ...);
    if (last == rows) break;
    ::SendMessageA(list, LVM_SCROLL, 0, perPage * rowHeight);
    const int next = static_cast<int>(::SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    top = next > top ? next : last;  // the last page may overlap the one before
  }
  return scrolls;
}

struct HostData {
  HostFiles source;
  HostFileSource* sourceWord = &source;
  std::vector<uint32_t> keys;
  HostFileKeyArray keyArray{nullptr};
};

// One Find File dialog's run: an ANSI dialog's list asks with LVN_GETDISPINFOA and gets narrow
// texts, a Unicode dialog's list asks with LVN_GETDISPINFOW and gets them converted. Straight to
// the dialog, both requests are sent in either run, alternating page by page.
struct DialogRun {
  Scroll requests;             // through the list, every host row
  Scroll narrowNotifications;  // straight to the dialog, the first kSampleRows rows
  Scroll wideNotifications;
  Scroll lookups;        // the host's own lookups for the cells of requests
  Scroll sampleLookups;  // and for those of notifications
  int perPage = 0;
  uint64_t warmUpAllocations = 0;
  uint64_t requestAllocations = 0;  // the module's, after warm-up
  uint64_t notificationAllocations = 0;
  uint64_t hostAllocations = 0;
};

template <typename Char>
DialogRun ScrollDialog(OpsTable* table, HostData& host, testing::TestDialog::Charset charset) {
  testing::TestDialog dialog(charset);
  HWND list = dialog.AddList(kListId, LVS_OWNERDATA, 560, 360);
  dialog.AddCombo(kComboId);
  CFindFileEdit* comboObject = nullptr;
  CFindFileListCtrl* listObject = nullptr;
  TableEntry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
      dialog.Handle(), 0xbe7c, &comboObject, &listObject, &host.sourceWord, &host.keyArray);
  ::SendMessageW(list, LVM_SETITEMCOUNT, kRows, 0);
  DialogRun run;
  const int perPage = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  run.perPage = perPage;
  Char buffer[260] = {};
  constexpr int kSize = static_cast<int>(std::size(buffer));
  // Warm-up: each cell of every host record, through the list and with both requests straight to
  // the dialog, so the list object's text slots have grown to the longest texts.
  char narrow[260] = {};
  wchar_t wide[260] = {};
  counter.module = 0;
  for (int row = 0; row < kRecords; ++row) {
    for (int column : {0, 1}) {
      AskCell(list, row, column, buffer, kSize);
      NotifyCell(dialog.Handle(), list, row, column, narrow, kSize);
      NotifyCell(dialog.Handle(), list, row, column, wide, kSize);
    }
  }
  run.warmUpAllocations = counter.module;
  counter.module = 0;
  counter.host = 0;

  run.requests = ScrollThrough(list, perPage, kRows, [&](int row) {
    return AskCell(list, row, 0, buffer, kSize) + AskCell(list, row, 1, buffer, kSize);
  })[0];
  run.requestAllocations = counter.module;
  run.hostAllocations = counter.host;

  const auto notifications = ScrollThrough(
      list, perPage, kSampleRows,
      [&](int row) {
        return NotifyCell(dialog.Handle(), list, row, 0, narrow, kSize) +
               NotifyCell(dialog.Handle(), list, row, 1, narrow, kSize);
      },
      [&](int row) {
        return NotifyCell(dialog.Handle(), list, row, 0, wide, kSize) +
               NotifyCell(dialog.Handle(), list, row, 1, wide, kSize);
      });
  run.narrowNotifications = notifications[0];
  run.wideNotifications = notifications[1];
  run.notificationAllocations = counter.module - run.requestAllocations;

  const auto lookUpRow = [&](int row) {
    return LookUpCell(host.keyArray, host.sourceWord, row, 0) +
           LookUpCell(host.keyArray, host.sourceWord, row, 1);
  };
  run.lookups = ScrollThrough(list, perPage, kRows, lookUpRow)[0];
  run.sampleLookups = ScrollThrough(list, perPage, kSampleRows, lookUpRow)[0];
  TableEntry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
  return run;
}

// A dialog of the host's: a top-level window of the host's own class with an owner-data report
// list of kRows rows and a combo box. Its procedure finds the host's object in the window's user
// data, as Win32 hosts commonly do, and answers the display requests of the list given to
// AnswerFor from the same records (the baseline: the host's own answer, as it would give it
// without the module), composing the file name into a ring of three strings of its own and
// handing out the record's path as it is. Everything else goes to DefWindowProc.
class HostDialog {
 public:
  HostDialog() {
    RegisterClassOnce();
    dialog_ = ::CreateWindowExA(0, kClass, "Host dialog", WS_OVERLAPPEDWINDOW, 10, 10, 600, 400,
                                nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
    list_ = ::CreateWindowExA(
        0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA, 220,
        10, 560, 360, dialog_, ControlId(kListId), ::GetModuleHandleA(nullptr), nullptr);
    ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10, 10, 200, 200,
                      dialog_, ControlId(kComboId), ::GetModuleHandleA(nullptr), nullptr);
  }
  ~HostDialog() { ::DestroyWindow(dialog_); }
  HostDialog(const HostDialog&) = delete;
  HostDialog& operator=(const HostDialog&) = delete;

  HWND Handle() const { return dialog_; }
  HWND List() const { return list_; }

  // The extended style and the columns the module's init sets up otherwise.
  void SetUpColumns() {
    ::SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int column : {0, 1}) {
      LVCOLUMNA header{};
      header.mask = LVCF_WIDTH | LVCF_SUBITEM;
      header.cx = 200;
      header.iSubItem = column;
      ::SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&header));
    }
  }
  void SetRowCount() { ::SendMessageA(list_, LVM_SETITEMCOUNT, kRows, 0); }
  // From now on the dialog's procedure answers its list's LVN_GETDISPINFOA from `host`.
  void AnswerFor(HostData& host) { host_ = &host; }

 private:
  static constexpr char kClass[] = "TolvaneBenchHostDialog";

  static void RegisterClassOnce() {
    WNDCLASSA windowClass{};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kClass, &windowClass)) return;
    windowClass.lpfnWndProc = &HostDialog::Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    ::RegisterClassA(&windowClass);
  }
  static HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HostDialog*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NOTIFY && self != nullptr && self->host_ != nullptr) {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
      if (info->hdr.code == LVN_GETDISPINFOA && info->hdr.hwndFrom == self->list_) {
        self->Answer(info->item);
        return 0;
      }
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }

  void Answer(LVITEMA& item) {
    if ((item.mask & LVIF_TEXT) == 0) return;
    HostFileRecord* record = host_->sourceWord->Record(host_->keyArray.keys[item.iItem]);
    if (item.iSubItem != 0) {
      item.pszText = const_cast<char*>(record->Path());
      return;
    }
    std::string& name = names_[static_cast<std::size_t>(next_)];
    next_ = next_ == 2 ? 0 : next_ + 1;
    const char* extension = record->Extension();
    name.assign(record->Title());
    if (*extension != '\0') {
      name += '.';
      name += extension;
    }
    item.pszText = name.data();
  }

  HostData* host_ = nullptr;
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
  std::array<std::string, 3> names_;
  int next_ = 0;
};

// The module's answer against the host's, one path: the time per request of each in every round
// and the ratio of the two.
struct Comparison {
  std::vector<double> module;  // seconds per request
  std::vector<double> host;
  std::vector<double> ratios;
  uint64_t moduleChecksum = 0;
  uint64_t hostChecksum = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

struct AgainstHost {
  Comparison throughList;
  Comparison toDialog;
  int rounds = 0;
  int rowsPerRound = 0;
};

// Rounds of kRoundRows rows at spread-out places of the list; in each the module and the host are
// asked the same cells, through the list and straight to the dialog, one after the other in an
// order that alternates from round to round, so that a disturbance of the shared machine falls
// on one round and the median leaves it out.
AgainstHost CompareWithHost(OpsTable* table, HostData& host) {
  constexpr int kRounds = 301;
  constexpr int kRoundRows = 200;
  constexpr int kWarmUpRounds = 20;
  // The same dialog twice: in one the module answers, in the other the host's procedure.
  HostDialog moduleDialog;
  HWND list = moduleDialog.List();
  TableEntry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
      moduleDialog.Handle(), 0xbe7c, nullptr, nullptr, &host.sourceWord, &host.keyArray);
  moduleDialog.SetRowCount();
  HostDialog hostDialog;
  hostDialog.SetUpColumns();
  hostDialog.SetRowCount();
  hostDialog.AnswerFor(host);

  char buffer[260] = {};
  constexpr int kSize = static_cast<int>(std::size(buffer));
  const auto timeRows = [](int top, auto&& askRow, uint64_t& checksum) {
    const double start = Now();
    for (int row = top; row < top + kRoundRows; ++row) checksum += askRow(row);
    return (Now() - start) / (2.0 * kRoundRows);
  };
  const auto throughList = [&](HWND to) {
    return [&buffer, to](int row) {
      return AskCell(to, row, 0, buffer, kSize) + AskCell(to, row, 1, buffer, kSize);
    };
  };
  const auto toDialog = [&](HWND dialogWindow, HWND from) {
    return [&buffer, dialogWindow, from](int row) {
      return NotifyCell(dialogWindow, from, row, 0, buffer, kSize) +
             NotifyCell(dialogWindow, from, row, 1, buffer, kSize);
    };
  };
  const auto compare = [&](Comparison& into, int top, bool hostFirst, auto&& moduleRow,
                           auto&& hostRow, bool keep) {
    uint64_t moduleSum = 0;
    uint64_t hostSum = 0;
    double hostTime = hostFirst ? timeRows(top, hostRow, hostSum) : 0;
    const double moduleTime = timeRows(top, moduleRow, moduleSum);
    if (!hostFirst) hostTime = timeRows(top, hostRow, hostSum);
    if (!keep) return;
    into.module.push_back(moduleTime);
    into.host.push_back(hostTime);
    into.ratios.push_back(moduleTime / hostTime);
    into.moduleChecksum += moduleSum;
    into.hostChecksum += hostSum;
  };

  AgainstHost result;
  result.rounds = kRounds;
  result.rowsPerRound = kRoundRows;
  for (int round = -kWarmUpRounds; round < kRounds; ++round) {
    const bool keep = round >= 0;
    // Spread over the host's records and the list's rows.
    const int top = static_cast<int>(
        (static_cast<int64_t>(round + kWarmUpRounds) * 7919 * kRoundRows) % (kRows - kRoundRows));
    const bool hostFirst = (round & 1) != 0;
    compare(result.throughList, top, hostFirst, throughList(list), throughList(hostDialog.List()),
            keep);
    compare(result.toDialog, top, !hostFirst, toDialog(moduleDialog.Handle(), list),
            toDialog(hostDialog.Handle(), hostDialog.List()), keep);
  }
  TableEntry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
  return result;
}

double PerRequest(const Scroll& scroll) {
  return scroll.seconds / static_cast<double>(scroll.requests);
}

// Prints the run's costs; true when every cell came with the host's text.
bool PrintDialogRun(const char* kind, const DialogRun& run) {
  const double perLookup = PerRequest(run.lookups);
  std::printf(
      "  %s, %d rows a page: %llu display requests through the list, %.3f us each (%.2f x the "
      "host's lookup)\n",
      kind, run.perPage, static_cast<unsigned long long>(run.requests.requests),
      PerRequest(run.requests) * 1e6, PerRequest(run.requests) / perLookup);
  std::printf(
      "    straight to the dialog (reflection and answer only, the first %d rows): "
      "LVN_GETDISPINFOA %.3f us each (%.2f x), LVN_GETDISPINFOW %.3f us each (%.2f x)\n",
      kSampleRows, PerRequest(run.narrowNotifications) * 1e6,
      PerRequest(run.narrowNotifications) / perLookup, PerRequest(run.wideNotifications) * 1e6,
      PerRequest(run.wideNotifications) / perLookup);
  std::printf(
      "    module allocations after warm-up: %llu through the list, %llu straight to the "
      "dialog (warm-up: %llu; the host's own strings: %llu)\n",
      static_cast<unsigned long long>(run.requestAllocations),
      static_cast<unsigned long long>(run.notificationAllocations),
      static_cast<unsigned long long>(run.warmUpAllocations),
      static_cast<unsigned long long>(run.hostAllocations));
  const bool answered = run.requests.checksum == run.lookups.checksum &&
                        run.narrowNotifications.checksum == run.sampleLookups.checksum &&
                        run.wideNotifications.checksum == run.sampleLookups.checksum;
  std::printf("    every cell answered with the host's text: %s\n", answered ? "yes" : "NO");
  return answered;
}

// Within limit times the baseline: the goal line says whether it holds in this run.
bool PrintRatioGoal(const char* description, double candidate, double baseline, double limit) {
  const double ratio = candidate / baseline;
  const bool holds = ratio <= limit;
  std::printf("  goal: %s: %.2fx (at most %.2fx) %s\n", description, ratio, limit,
              holds ? "holds" : "does not hold");
  return holds;
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

  HostData host;
  MakeFiles(host.source);
  host.keys.resize(kRows);
  for (int i = 0; i < kRows; ++i) host.keys[static_cast<size_t>(i)] = static_cast<uint32_t>(i);
  host.keyArray.keys = host.keys.data();

  HMODULE dll = module.Handle();
  counter.malloc = reinterpret_cast<void* (*)(size_t)>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "malloc")));
  counter.calloc = reinterpret_cast<void* (*)(size_t, size_t)>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "calloc")));
  counter.realloc = reinterpret_cast<void* (*)(void*, size_t)>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "realloc")));
  // The DLL's own imports: the C++ runtime linked into it allocates through them too.
  std::vector<ImportPatch*> patches;
  patches.push_back(
      new ImportPatch(dll, "msvcrt.dll", "malloc", reinterpret_cast<const void*>(&CountedMalloc)));
  patches.push_back(
      new ImportPatch(dll, "msvcrt.dll", "calloc", reinterpret_cast<const void*>(&CountedCalloc)));
  patches.push_back(new ImportPatch(dll, "msvcrt.dll", "realloc",
                                    reinterpret_cast<const void*>(&CountedRealloc)));

  const DialogRun ansi = ScrollDialog<char>(table, host, testing::TestDialog::Charset::kAnsi);
  const DialogRun unicode =
      ScrollDialog<wchar_t>(table, host, testing::TestDialog::Charset::kUnicode);

  for (ImportPatch* patch : patches) delete patch;
  // Without the counting imports: the module's answer as a host gets it.
  const AgainstHost againstHost = CompareWithHost(table, host);
  module.Destroy(table);
  testing::PumpMessages();

  std::printf(
      "Find File list, %d host rows scrolled page by page; the host's record lookup "
      "for the same cells: %.3f us each\n",
      kRows, PerRequest(ansi.lookups) * 1e6);
  bool answered = PrintDialogRun("ANSI list (LVN_GETDISPINFOA)", ansi);
  answered = PrintDialogRun("Unicode list (LVN_GETDISPINFOW)", unicode) && answered;
  const bool noAllocation = ansi.requestAllocations == 0 && ansi.notificationAllocations == 0 &&
                            unicode.requestAllocations == 0 && unicode.notificationAllocations == 0;
  std::printf("  goal: no allocation per display request after warm-up, ANSI and Unicode: %s\n",
              noAllocation ? "holds" : "does not hold");
  PrintRatioGoal("a Unicode request through the list costs at most 1.5x an ANSI one",
                 PerRequest(unicode.requests), PerRequest(ansi.requests), 1.5);
  // Straight to the dialog, over both runs: the two requests alternate page by page.
  const double wideSeconds = ansi.wideNotifications.seconds + unicode.wideNotifications.seconds;
  const double narrowSeconds =
      ansi.narrowNotifications.seconds + unicode.narrowNotifications.seconds;
  PrintRatioGoal("the same, straight to the dialog", wideSeconds, narrowSeconds, 1.5);

  std::printf(
      "Against a host answering LVN_GETDISPINFOA from the same records in its own dialog "
      "procedure: %d interleaved rounds of %d rows, medians\n",
      againstHost.rounds, againstHost.rowsPerRound);
  bool hostAnswered = true;
  for (const auto& [path, comparison] :
       {std::pair{"through the list", &againstHost.throughList},
        std::pair{"straight to the dialog", &againstHost.toDialog}}) {
    std::printf("  %s: the module %.3f us a request, the host %.3f us\n", path,
                Median(comparison->module) * 1e6, Median(comparison->host) * 1e6);
    hostAnswered = hostAnswered && comparison->moduleChecksum == comparison->hostChecksum;
  }
  std::printf("    the module's texts are the host's: %s\n", hostAnswered ? "yes" : "NO");
  std::printf(
      "  for scale: the module's answer costs %.2fx the host's own through the list, "
      "%.2fx straight to the dialog\n",
      Median(againstHost.throughList.ratios), Median(againstHost.toDialog.ratios));
  return noAllocation && answered && hostAnswered ? 0 : 1;
}

}  // namespace
}  // namespace tolvane::bench

int main() {
  return tolvane::bench::Run();
}
