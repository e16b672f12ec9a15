// The history lists through the real module's life: read from the registry at creation, written
// back at destruction, and what becomes of adds around those two. The stored form, the add rules
// and the combo boxes' part are the native history tests' and find_dialog_test's.
#include <string>
#include <vector>

#include "harness/import_patch.h"
#include "module/module_fixture.h"
#include "support/fake_records.h"

namespace tolvane::testing {
namespace {

class History : public ModuleTest {
 protected:
  std::string Stored(const std::string& key) {
    std::string value = "<absent>";
    DWORD type = 0;
    if (ReadProfileValue("Config", key, value, &type)) {
      EXPECT_EQ(type, DWORD(REG_SZ)) << key;
    }
    return value;
  }

  // The host's Find File dialog, opened and closed through entries 1 and 2.
  void OpenFindFile() {
    dialog.AddList(1020);
    dialog.AddCombo(1021);
    CFindFileEdit* comboObject = nullptr;
    CFindFileListCtrl* listObject = nullptr;
    EXPECT_TRUE(Entry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
        dialog.Handle(), 0x1234, &comboObject, &listObject, &sourceWord, &keys));
  }
  void Add(OpsIndex entry, const std::string& text) {
    Entry<AddHistoryFn>(table, entry)(text.c_str());
  }

  OpsTable* table = nullptr;
  TestDialog dialog;
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  HostFileKeyArray keys{nullptr};
};

TEST_F(History, AddEntriesDoNothingWhileNoDialogIsOpen) {
  WriteProfileString("Config", "FilenameEditList", "kept|");
  table = module.Create(ide.RootDispatch());
  Add(kAddFilenameHistory, "lost");
  Add(kAddTagHistory, "lost");
  Add(kAddTagParentHistory, "lost");

  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), "kept|");
  EXPECT_EQ(Stored("TagEditList"), "");
}

TEST_F(History, TextAddedWhileOpenIsLostWhenDestructionComesBeforeClose) {
  WriteProfileString("Config", "FilenameEditList", "old|");
  table = module.Create(ide.RootDispatch());
  OpenFindFile();
  Add(kAddFilenameHistory, "unsaved");
  auto close = Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog);
  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), "old|");
  close();  // the host closes the dialog late: the objects go, nothing more is stored
  EXPECT_EQ(Stored("FilenameEditList"), "old|");
}

// The first destruction of two creations must not leave the second one's adds unsaved.
TEST_F(History, AddsAfterTheFirstOfTwoDestructionsReachTheProfile) {
  OpsTable* first = module.Create(ide.RootDispatch());
  table = module.Create(ide.RootDispatch());
  module.Destroy(first);
  OpenFindFile();
  Add(kAddFilenameHistory, "x");
  Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), "x|");
}

// A creation that found no main window loaded nothing: a destruction after it must not write
// lists over what the profile holds, neither empty ones nor those an earlier creation of this
// load read (another instance of the IDE may have stored newer ones since).
TEST_F(History, DestructionAfterAFailedCreationKeepsTheStoredHistories) {
  const auto createWithoutMainWindowAndDestroy = [this] {
    ide.mainWindowAvailable = false;
    table = module.Create(ide.RootDispatch());
    EXPECT_EQ(table, nullptr);
    module.Destroy(table);
    ide.mainWindowAvailable = true;
  };
  const auto stored = [this] {
    return std::vector<std::string>{Stored("FilenameEditList"), Stored("TagParentEditList"),
                                    Stored("TagEditList")};
  };
  WriteProfileString("Config", "FilenameEditList", "main.cpp|");
  WriteProfileString("Config", "TagEditList", "Parse|");
  createWithoutMainWindowAndDestroy();
  EXPECT_EQ(stored(), (std::vector<std::string>{"main.cpp|", "<absent>", "Parse|"}));
  EXPECT_EQ(ide.References("Root"), 0);  // the root is still let go of

  table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);
  module.Destroy(table);
  WriteProfileString("Config", "FilenameEditList", "newer.cpp|main.cpp|");
  WriteProfileString("Config", "TagParentEditList", "Newer|");
  createWithoutMainWindowAndDestroy();
  EXPECT_EQ(stored(), (std::vector<std::string>{"newer.cpp|main.cpp|", "Newer|", "Parse|"}));
}

// Another writer (another instance of the IDE) lengthens the Find File history just after the
// module has asked for its size, before the module reads it.
using RegQueryValueExAFn = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
RegQueryValueExAFn g_realQuery = nullptr;
constexpr char kGrownHistory[] = "written|by|another|instance|old|";

LONG WINAPI QueryWhileTheValueGrows(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type,
                                    LPBYTE data, LPDWORD size) {
  const LONG status = g_realQuery(key, name, reserved, type, data, size);
  static bool grown = false;
  if (data == nullptr && !grown && name != nullptr && std::string(name) == "FilenameEditList") {
    grown = true;
    WriteProfileString("Config", "FilenameEditList", kGrownHistory);
  }
  return status;
}

TEST_F(History, AHistoryThatGrowsBetweenItsSizeAndItsReadingIsReadWhole) {
  WriteProfileString("Config", "FilenameEditList", "old|");
  {
    ImportPatch query(module.Handle(), "advapi32.dll", "RegQueryValueExA",
                      reinterpret_cast<const void*>(&QueryWhileTheValueGrows));
    ASSERT_TRUE(query.Active());
    g_realQuery = reinterpret_cast<RegQueryValueExAFn>(query.Original());
    table = module.Create(ide.RootDispatch());
  }
  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), kGrownHistory);  // not the empty list over it
}

}  // namespace
}  // namespace tolvane::testing
