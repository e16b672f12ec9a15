// Out-of-memory inside a table entry travels out of the module to the host's catch, with the
// module's state intact.
#include <new>
#include <string>

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

}  // namespace
}  // namespace tolvane::testing
