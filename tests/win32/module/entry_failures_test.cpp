// Out of memory inside a table entry: the entry reports failure by its result, lets no exception
// out and leaves the module's state as it was (for the file lists that is the MSVC-ABI host's
// out-of-memory group and the native out_of_memory_test). Inside the module's window and hook
// procedures, which the system calls, no failure may unwind: a failed display request or key-down
// leaves the dialog working. On a thread other than the module's every entry and export fails.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include "harness/import_patch.h"
#include "module/module_fixture.h"
#include "support/fake_records.h"
#include "support/fake_workspace.h"
#include "support/temp_directory.h"
#include "tolvane/file_entry_list.h"

namespace tolvane::testing {
namespace {

BSTR WINAPI FailingSysAllocStringLen(const OLECHAR*, UINT) {
  return nullptr;
}
void* __cdecl FailingMalloc(size_t) {
  return nullptr;
}

// The module's C++ runtime is linked in: its operator new reaches the C runtime's malloc.
ImportPatch NoMemoryIn(const LoadedModule& module) {
  return ImportPatch(module.Handle(), "msvcrt.dll", "malloc",
                     reinterpret_cast<const void*>(&FailingMalloc));
}

using EntryFailures = ModuleTest;

std::string Names(const FileEntryList& list) {
  std::string names;
  for (const FileEntry& entry : list) names.append(entry.name, entry.nameLength).append(" ");
  return names;
}

// The module serves the thread that loaded and created it. On any other thread every entry and
// export fails by its result and changes nothing: the creation stays live with its root, the
// lists, the history and the last tag stay, and a set made there is none at all, so the next save
// writes the module's list (its list file then holds what a get gives) and reports true.
TEST_F(EntryFailures, OnAnotherThreadEveryEntryAndExportFailsAndChangesNothing) {
  TempDirectory directory;
  FakeWorkspace workspace(directory.File("list.tvef"));
  ide.AddFile("a.cpp", {"int a;"});
  OpsTable* table = module.Create(ide.RootDispatch(), &workspace);
  ASSERT_NE(table, nullptr);
  PumpMessages();
  FakeTagRecord tag;
  tag.fileName = "a.cpp";
  tag.line = 1;
  ASSERT_TRUE(Entry<GoToTagFn>(table, kGoToTag)(&tag));
  FileEntryList kept;
  kept.AppendName("kept.cpp", 8, 1);
  Entry<SetFileListFn>(table, kSetFileList)(&kept);
  TestDialog dialog;
  dialog.AddList(1020, LVS_OWNERDATA);
  HWND combo = dialog.AddCombo(1021);
  HostFileSource* sourceWord = nullptr;
  HostFileKeyArray keys{nullptr};
  const auto references = ide.ReferenceSnapshot();

  FileEntryList replacement;
  replacement.AppendName("new.h", 5, 0);
  FileEntryList hostList;
  hostList.AppendName("host.h", 6, 0);
  std::thread other([&] {
    EXPECT_EQ(module.Create(ide.RootDispatch(), &workspace), nullptr);
    module.Destroy(table);
    EXPECT_FALSE(Entry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
        dialog.Handle(), 1, nullptr, nullptr, &sourceWord, &keys));
    EXPECT_FALSE(Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)());
    Entry<AddFilenameHistoryFn>(table, kAddFilenameHistory)("other thread");
    Entry<SetFileListFn>(table, kSetFileList)(&replacement);
    Entry<GetFileListFn>(table, kGetFileList)(&hostList);
    EXPECT_FALSE(Entry<LoadFileListFn>(table, kLoadFileList)(0));
    EXPECT_FALSE(Entry<SaveFileListFn>(table, kSaveFileList)());
    EXPECT_EQ(Entry<GetLastTagFn>(table, kGetLastTag)(), nullptr);
    EXPECT_FALSE(Entry<GoToTagFn>(table, kGoToTag)(&tag));
  });
  other.join();

  EXPECT_EQ(ide.ReferenceChangesSince(references), "");  // the root is still held
  EXPECT_EQ(Names(hostList), "host.h ");
  EXPECT_EQ(Entry<GetLastTagFn>(table, kGetLastTag)(), &tag);
  EXPECT_TRUE(Entry<SaveFileListFn>(table, kSaveFileList)());
  EXPECT_TRUE(Entry<LoadFileListFn>(table, kLoadFileList)(0));
  FileEntryList copy;
  Entry<GetFileListFn>(table, kGetFileList)(&copy);
  EXPECT_EQ(Names(copy), "kept.cpp ");
  ASSERT_TRUE(Entry<InitFindFileDialogFn>(table, kInitFindFileDialog)(dialog.Handle(), 1, nullptr,
                                                                      nullptr, &sourceWord, &keys));
  EXPECT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);  // no history was added
  EXPECT_TRUE(Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)());
  module.Destroy(table);
}

TEST_F(EntryFailures, GoToTagWithoutWideStringsFailsAndReleasesEveryReference) {
  ide.AddFile("a.cpp", {"int a;"});
  OpsTable* table = module.Create(ide.RootDispatch());
  PumpMessages();
  auto before = ide.ReferenceSnapshot();
  FakeTagRecord tag;
  tag.fileName = "a.cpp";
  tag.line = 1;
  {
    ImportPatch alloc(module.Handle(), "oleaut32.dll", "SysAllocStringLen",
                      reinterpret_cast<const void*>(&FailingSysAllocStringLen));
    ASSERT_TRUE(alloc.Active());
    EXPECT_FALSE(Entry<GoToTagFn>(table, kGoToTag)(&tag));
  }
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
  EXPECT_EQ(Entry<GetLastTagFn>(table, kGetLastTag)(), nullptr);

  EXPECT_TRUE(Entry<GoToTagFn>(table, kGoToTag)(&tag));  // and the module goes on working
  module.Destroy(table);
}

// What the host's Find Tag dialog read from column 4 of its list at each refresh request.
std::vector<std::string> g_refreshTexts;

// A host that refreshes on the combo's WM_USER+1 reads a cell of the list there and then.
LRESULT CALLBACK RefreshingDialog(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 1) {
    char text[64] = "";
    LVITEMA item{};
    item.iSubItem = 4;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(::GetDlgItem(hwnd, 1050), LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
    g_refreshTexts.push_back(text);
  }
  return ::CallWindowProcA(TestDialog::OwnProcedure(), hwnd, message, wParam, lParam);
}

class FailuresInTheDialogs : public EntryFailures {
 protected:
  void SetUp() override { table = module.Create(ide.RootDispatch()); }
  void TearDown() override { module.Destroy(table); }

  // The list's display request for row 0, as the list sends it; the text pointer that came back.
  const char* RequestText(HWND list, int column, char* buffer) {
    NMLVDISPINFOA info{};
    info.hdr = {list, static_cast<UINT_PTR>(::GetDlgCtrlID(list)), UINT(LVN_GETDISPINFOA)};
    info.item.mask = LVIF_TEXT;
    info.item.iSubItem = column;
    info.item.pszText = buffer;
    ::SendMessageA(dialog.Handle(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    return info.item.pszText;
  }

  OpsTable* table = nullptr;
  TestDialog dialog;
  FakeFileRecord file{"a-title-too-long-to-be-kept-inline", "cpp", "C:\\a\\path\\long\\enough"};
};

TEST_F(FailuresInTheDialogs, AFailedDisplayRequestLeavesTheTextAndTheNextOneIsAnswered) {
  HWND list = dialog.AddList(1020, LVS_OWNERDATA);
  dialog.AddCombo(1021);
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  uint32_t key = 7;
  HostFileKeyArray keys{&key};
  ASSERT_TRUE(Entry<InitFindFileDialogFn>(table, kInitFindFileDialog)(dialog.Handle(), 1, nullptr,
                                                                      nullptr, &sourceWord, &keys));
  char buffer[8] = "mine";

  source.records[key] = &file;
  {
    ImportPatch noMemory = NoMemoryIn(module);
    ASSERT_TRUE(noMemory.Active());
    EXPECT_EQ(RequestText(list, 0, buffer), buffer);
    EXPECT_EQ(RequestText(list, 1, buffer), buffer);  // the path is copied into the ring too
  }
  EXPECT_STREQ(RequestText(list, 0, buffer), "a-title-too-long-to-be-kept-inline.cpp");
  EXPECT_STREQ(RequestText(list, 1, buffer), "C:\\a\\path\\long\\enough");
  EXPECT_STREQ(buffer, "mine");
  EXPECT_FALSE(dialog.ReceivedCode(WM_NOTIFY, 1020, LVN_GETDISPINFOA));
  Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
}

TEST_F(FailuresInTheDialogs, AKeyDownDuringWhichMemoryRunsOutLeavesTheDialogWorking) {
  ::SetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefreshingDialog));
  HWND list = dialog.AddList(1050, LVS_OWNERDATA);
  dialog.AddCombo(1051);
  HWND tagCombo = dialog.AddCombo(1052);
  FakeTagRecord tag;
  HostTagRecord* row = &tag;
  HostTagArray tags{&row};
  ASSERT_TRUE(Entry<InitFindTagDialogFn>(table, kInitFindTagDialog)(dialog.Handle(), 2, nullptr,
                                                                    nullptr, nullptr, &tags));
  ::SendMessageA(list, LVM_SETITEMCOUNT, 1, 0);
  auto pressF5 = [&] {
    ::PostMessageA(tagCombo, WM_KEYDOWN, VK_F5, 1);
    PumpMessages();
  };

  tag.file = &file;
  {
    ImportPatch noMemory = NoMemoryIn(module);
    ASSERT_TRUE(noMemory.Active());
    pressF5();
  }
  pressF5();

  ASSERT_EQ(g_refreshTexts.size(), 2u);
  EXPECT_EQ(g_refreshTexts[1], "a-title-too-long-to-be-kept-inline.cpp");
  EXPECT_NE(g_refreshTexts[0], g_refreshTexts[1]);  // the failed request gave no text
  Entry<CloseFindTagDialogFn>(table, kCloseFindTagDialog)();
}

}  // namespace
}  // namespace tolvane::testing
