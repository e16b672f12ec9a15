// A page of the real DLL's Find File list painted with highlighted matches against the same page
// painted without them, in the same process: the list is painted into a bitmap (WM_PRINTCLIENT,
// the list view's whole paint with its custom draw and its display requests), once in a dialog
// whose host asked for highlighting and once in one that did not, with a typed query that every
// row matches in three places (as initials typed to find a file do). The two are timed in
// interleaved rounds, the dialog opened afresh for each, and the median of the rounds' ratios is
// to be at most 1.2.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "harness/list_canvas.h"
#include "harness/test_dialog.h"
#include "module/loaded_module.h"
#include "support/fake_ide.h"
#include "support/fake_records.h"
#include "tolvane/tolvane.h"

namespace tolvane::bench {
namespace {

using testing::FakeFileRecord;
using testing::FakeFileSource;

constexpr int kListId = 1020;
constexpr int kComboId = 1021;
constexpr int kRows = 100'000;
constexpr int kRounds = 41;
constexpr int kPaintsPerRound = 20;
constexpr const char* kQuery = "flc";

double Now() {
  LARGE_INTEGER ticks{};
  LARGE_INTEGER frequency{};
  ::QueryPerformanceCounter(&ticks);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// File names of three words (f..., l..., c...), in folders of a source tree.
struct HostFiles {
  HostFiles() {
    const char* first[] = {"find", "file", "fuzzy", "format", "fold"};
    const char* second[] = {"list", "line", "layout", "label", "lookup"};
    const char* third[] = {"ctrl", "cache", "cell", "column", "count"};
    const char* extensions[] = {"cpp", "h"};
    uint32_t key = 0;
    for (const char* a : first) {
      for (const char* b : second) {
        for (const char* c : third) {
          const std::string title = std::string(a) + "_" + b + "_" + c;
          FakeFileRecord& record = records.emplace_back(
              title, extensions[key % 2], "C:\\work\\project\\src\\" + std::string(a) + "\\" + b);
          source.records[key++] = &record;
        }
      }
    }
    keys.resize(kRows);
    for (int i = 0; i < kRows; ++i) keys[static_cast<size_t>(i)] = static_cast<uint32_t>(i) % key;
    keyArray.keys = keys.data();
  }
  std::deque<FakeFileRecord> records;
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  std::vector<uint32_t> keys;
  HostFileKeyArray keyArray{nullptr};
};

struct PageTimes {
  std::vector<double> plain;  // seconds per page
  std::vector<double> highlighted;
  std::vector<double> ratios;
  int rowsPerPage = 0;
  int plainHighlightPixels = 0;
  int highlightedHighlightPixels = 0;
};

PageTimes ComparePaints(OpsTable* table, HostFiles& host) {
  testing::TestDialog dialog;
  HWND list = dialog.AddList(kListId, LVS_OWNERDATA | LVS_SHOWSELALWAYS, 560, 420);
  HWND combo = dialog.AddCombo(kComboId);
  testing::ListCanvas canvas(list);
  PageTimes times;
  // Opens the dialog afresh, with or without highlighting, types the query and paints the page
  // `paints` times; the seconds per page.
  const auto paintPage = [&](bool highlighting, int paints) {
    if (highlighting) {
      ::SetPropA(dialog.Handle(), kHighlightMatchesProperty, reinterpret_cast<HANDLE>(1));
    } else {
      ::RemovePropA(dialog.Handle(), kHighlightMatchesProperty);
    }
    TableEntry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
        dialog.Handle(), 0x9a17, nullptr, nullptr, &host.sourceWord, &host.keyArray);
    ::SendMessageW(list, LVM_SETITEMCOUNT, kRows, 0);
    ::SetWindowTextA(combo, kQuery);
    testing::PumpMessages();
    dialog.ClearReceived();
    canvas.Paint();  // warm-up: the list's texts and the module's slots
    const double start = Now();
    for (int i = 0; i < paints; ++i) canvas.Paint();
    return (Now() - start) / paints;
  };
  times.rowsPerPage = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  for (int round = 0; round < kRounds; ++round) {
    // The order alternates, so that neither always follows the other.
    double plain = 0;
    double highlighted = 0;
    if (round % 2 == 0) {
      plain = paintPage(false, kPaintsPerRound);
      highlighted = paintPage(true, kPaintsPerRound);
    } else {
      highlighted = paintPage(true, kPaintsPerRound);
      plain = paintPage(false, kPaintsPerRound);
    }
    times.plain.push_back(plain);
    times.highlighted.push_back(highlighted);
    times.ratios.push_back(highlighted / plain);
  }
  paintPage(false, 1);
  times.plainHighlightPixels = canvas.Count(::GetSysColor(COLOR_HIGHLIGHT));
  paintPage(true, 1);
  times.highlightedHighlightPixels = canvas.Count(::GetSysColor(COLOR_HIGHLIGHT));
  TableEntry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
  return times;
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
  HostFiles host;
  const PageTimes times = ComparePaints(table, host);
  module.Destroy(table);
  testing::PumpMessages();

  std::printf(
      "Find File list, a page of %d rows painted (WM_PRINTCLIENT), query \"%s\" matching every "
      "row in three places: %d interleaved rounds of %d paints, medians\n",
      times.rowsPerPage, kQuery, kRounds, kPaintsPerRound);
  std::printf("  without highlighting %.1f us a page, with it %.1f us\n", Median(times.plain) * 1e6,
              Median(times.highlighted) * 1e6);
  const bool drawn = times.plainHighlightPixels == 0 && times.highlightedHighlightPixels > 0;
  std::printf("    matched characters drawn in the highlight colour only when asked: %s\n",
              drawn ? "yes" : "NO");
  const double ratio = Median(times.ratios);
  const bool holds = ratio <= 1.2;
  std::printf(
      "  goal: a page painted with highlighting costs at most 1.20x one without: %.2fx %s\n", ratio,
      holds ? "holds" : "does not hold");
  return drawn ? 0 : 1;
}

}  // namespace
}  // namespace tolvane::bench

int main() {
  return tolvane::bench::Run();
}
