// Out-of-memory inside a table entry travels out of the module to the host's catch, with the
// module's state intact. Inside the module's window and hook procedures, which the system calls,
// no failure may unwind: a failed display request or key-down leaves the dialog working.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness/import_patch.h"
#include "module/module_fixture.h"
#include "support/fake_records.h"
#include "support/file_entry_list_checks.h"

namespace tolvane::testing {
namespace {

LPVOID WINAPI FailingHeapAlloc(HANDLE, DWORD, SIZE_T) {
  return nullptr;
}
BSTR WINAPI FailingSysAllocStringLen(const OLECHAR*, UINT) {
  return nullptr;
}

using Exceptions = ModuleTest;

TEST_F(Exceptions, SetFileListWithoutMemoryThrowsToTheHostAndKeepsTheModulesList) {
  OpsTable* table = module.Create(ide.RootDispatch());
  auto set = Entry<SetFileListFn>(table, kSetFileList);
  auto get = Entry<GetFileListFn>(table, kGetFileList);
  FileEntryList original;
  original.Append(FileEntry{"kept.cpp", 1});
  set(&original);

  FileEntryList larger;
  for (int i = 0; i < 30; ++i) larger.Append(FileEntry{"file" + std::to_string(i), 0});
  bool caught = false;
  {
    ImportPatch heap(module.Handle(), "kernel32.dll", "HeapAlloc",
                     reinterpret_cast<const void*>(&FailingHeapAlloc));
    ASSERT_TRUE(heap.Active());
    try {
      set(&larger);
    } catch (const std::bad_alloc&) {
      caught = true;
    }
  }
  EXPECT_TRUE(caught);

  FileEntryList copy;
  get(&copy);  // whatever the module holds now is a sound list
  EXPECT_EQ(ListShapeProblem(copy), "");
  module.Destroy(table);
}

TEST_F(Exceptions, GoToTagWithoutWideStringsThrowsToTheHostAndReleasesEveryReference) {
  ide.AddFile("a.cpp", {"int a;"});
  OpsTable* table = module.Create(ide.RootDispatch());
  PumpMessages();
  auto before = ide.ReferenceSnapshot();
  FakeTagRecord tag;
  tag.fileName = "a.cpp";
  tag.line = 1;

  bool caught = false;
  {
    ImportPatch alloc(module.Handle(), "oleaut32.dll", "SysAllocStringLen",
                      reinterpret_cast<const void*>(&FailingSysAllocStringLen));
    ASSERT_TRUE(alloc.Active());
    try {
      Entry<GoToTagFn>(table, kGoToTag)(&tag);
    } catch (const std::bad_alloc&) {
      caught = true;
    }
  }
  EXPECT_TRUE(caught);
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
  EXPECT_EQ(Entry<GetLastTagFn>(table, kGetLastTag)(), nullptr);

  EXPECT_TRUE(Entry<GoToTagFn>(table, kGoToTag)(&tag));  // and the module goes on working
  module.Destroy(table);
}

// A host record whose operations fail with an exception of the host's own.
class FailingFileRecord final : public HostFileRecord {
 public:
  std::string Title() override { throw std::runtime_error("record failed"); }
  std::string Extension() override { throw std::runtime_error("record failed"); }
  std::string Path() override { throw std::runtime_error("record failed"); }
};

// The module's operator new, imported from the C++ runtime, out of memory while the object lives.
void* FailingOperatorNew(std::size_t) {
  throw std::bad_alloc();
}
ImportPatch NoMemoryIn(const LoadedModule& module) {
  return ImportPatch(module.Handle(), "libstdc++-6.dll", sizeof(void*) == 4 ? "_Znwj" : "_Znwy",
                     reinterpret_cast<const void*>(&FailingOperatorNew));
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

class FailuresInTheDialogs : public Exceptions {
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
  FailingFileRecord failing;
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

  source.records[key] = &failing;
  EXPECT_EQ(RequestText(list, 0, buffer), buffer);
  EXPECT_EQ(RequestText(list, 1, buffer), buffer);
  source.records[key] = &file;
  {
    ImportPatch noMemory = NoMemoryIn(module);
    ASSERT_TRUE(noMemory.Active());
    EXPECT_EQ(RequestText(list, 0, buffer), buffer);
    EXPECT_EQ(RequestText(list, 1, buffer), buffer);
  }
  EXPECT_STREQ(RequestText(list, 0, buffer), "a-title-too-long-to-be-kept-inline.cpp");
  EXPECT_STREQ(RequestText(list, 1, buffer), "C:\\a\\path\\long\\enough");
  EXPECT_STREQ(buffer, "mine");
  EXPECT_FALSE(dialog.ReceivedCode(WM_NOTIFY, 1020, LVN_GETDISPINFOA));
  Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
}

TEST_F(FailuresInTheDialogs, AKeyDownDuringWhichTheHostOrMemoryFailsLeavesTheDialogWorking) {
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

  tag.file = &failing;
  pressF5();
  tag.file = &file;
  {
    ImportPatch noMemory = NoMemoryIn(module);
    ASSERT_TRUE(noMemory.Active());
    pressF5();
  }
  pressF5();

  ASSERT_EQ(g_refreshTexts.size(), 3u);
  EXPECT_EQ(g_refreshTexts[2], "a-title-too-long-to-be-kept-inline.cpp");
  EXPECT_NE(g_refreshTexts[0], g_refreshTexts[2]);  // the two failed requests gave no text
  EXPECT_NE(g_refreshTexts[1], g_refreshTexts[2]);
  Entry<CloseFindTagDialogFn>(table, kCloseFindTagDialog)();
}

}  // namespace
}  // namespace tolvane::testing
