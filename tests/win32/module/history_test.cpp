// The history lists through the real module: loaded from and saved to the registry in the
// stored form, fed into the dialogs' real combo boxes, and the add entries' 256-item rules.
#include <string>

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
  HWND OpenFindFile() {
    dialog.AddList(1020);
    combo = dialog.AddCombo(1021);
    CFindFileEdit* comboObject = nullptr;
    CFindFileListCtrl* listObject = nullptr;
    EXPECT_TRUE(Entry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
        dialog.Handle(), 0x1234, &comboObject, &listObject, &sourceWord, &keys));
    return combo;
  }
  // The host's Find Tag dialog, opened through entry 5; returns the tag combo 1052.
  HWND OpenFindTag() {
    dialog.AddList(1050);
    parentCombo = dialog.AddCombo(1051);
    combo = dialog.AddCombo(1052);
    CFindTagEdit* parentObject = nullptr;
    CFindTagEdit* tagObject = nullptr;
    CFindTagListCtrl* listObject = nullptr;
    EXPECT_TRUE(Entry<InitFindTagDialogFn>(table, kInitFindTagDialog)(
        dialog.Handle(), 0x5678, &parentObject, &tagObject, &listObject, &tags));
    return combo;
  }
  static int Count(HWND comboWindow) {
    return static_cast<int>(::SendMessageA(comboWindow, CB_GETCOUNT, 0, 0));
  }
  static std::string Item(HWND comboWindow, int index) {
    char text[256] = {};
    ::SendMessageA(comboWindow, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
    return text;
  }
  static std::string Numbered(int count) {
    std::string stored;
    for (int i = 0; i < count; ++i) stored += "item" + std::to_string(i) + "|";
    return stored;
  }
  void Add(OpsIndex entry, const std::string& text) {
    Entry<AddHistoryFn>(table, entry)(text.c_str());
  }

  OpsTable* table = nullptr;
  TestDialog dialog;
  HWND combo = nullptr;
  HWND parentCombo = nullptr;
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  HostFileKeyArray keys{nullptr};
  HostTagArray tags{nullptr};
};

TEST_F(History, StoredFormRoundTripsThroughCreationAndDestruction) {
  WriteProfileString("Config", "FilenameEditList", "a|b|");
  WriteProfileString("Config", "TagParentEditList", "a||b");  // no trailing bar
  table = module.Create(ide.RootDispatch());
  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), "a|b|");
  EXPECT_EQ(Stored("TagParentEditList"), "a||b|");
  EXPECT_EQ(Stored("TagEditList"), "");  // absent reads as empty and is saved as empty
}

TEST_F(History, FindFileComboGetsTheHistoryAndCloseWritesItBack) {
  WriteProfileString("Config", "FilenameEditList", "main.cpp|util.h|");
  table = module.Create(ide.RootDispatch());
  HWND comboWindow = OpenFindFile();
  ASSERT_EQ(Count(comboWindow), 2);
  EXPECT_EQ(Item(comboWindow, 0), "main.cpp");
  EXPECT_EQ(Item(comboWindow, 1), "util.h");

  Add(kAddFilenameHistory, "new.cpp");
  Add(kAddFilenameHistory, "new.cpp");   // equal to item 0: nothing inserted
  Add(kAddFilenameHistory, "");          // empty: nothing
  Add(kAddFilenameHistory, "MAIN.CPP");  // other letter case: inserted
  ASSERT_EQ(Count(comboWindow), 4);
  EXPECT_EQ(Item(comboWindow, 0), "MAIN.CPP");
  EXPECT_EQ(Item(comboWindow, 1), "new.cpp");

  EXPECT_TRUE(Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)());
  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), "MAIN.CPP|new.cpp|main.cpp|util.h|");
}

TEST_F(History, AddingToAFullComboKeepsTwoHundredFiftySix) {
  WriteProfileString("Config", "FilenameEditList", Numbered(256));
  table = module.Create(ide.RootDispatch());
  HWND comboWindow = OpenFindFile();
  ASSERT_EQ(Count(comboWindow), 256);

  Add(kAddFilenameHistory, "newest");

  EXPECT_EQ(Count(comboWindow), 256);
  EXPECT_EQ(Item(comboWindow, 0), "newest");
  EXPECT_EQ(Item(comboWindow, 255), "item254");
  Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
  module.Destroy(table);
}

TEST_F(History, AnOverlongHistoryFillsInFullAndTheFirstAddTrimsIt) {
  WriteProfileString("Config", "TagEditList", Numbered(300));
  table = module.Create(ide.RootDispatch());
  HWND tagCombo = OpenFindTag();
  ASSERT_EQ(Count(tagCombo), 300);

  Add(kAddTagHistory, "item0");  // equal to item 0: no insert, but the trim applies

  EXPECT_EQ(Count(tagCombo), 256);
  EXPECT_EQ(Item(tagCombo, 0), "item0");
  EXPECT_EQ(Item(tagCombo, 255), "item255");
  Entry<CloseFindTagDialogFn>(table, kCloseFindTagDialog)();
  module.Destroy(table);
}

TEST_F(History, TagEntriesActOnTheirOwnComboBoxes) {
  table = module.Create(ide.RootDispatch());
  HWND tagCombo = OpenFindTag();
  Add(kAddTagHistory, "tag");
  Add(kAddTagParentHistory, "parent");
  ASSERT_EQ(Count(tagCombo), 1);
  ASSERT_EQ(Count(parentCombo), 1);
  EXPECT_EQ(Item(tagCombo, 0), "tag");
  EXPECT_EQ(Item(parentCombo, 0), "parent");

  Entry<CloseFindTagDialogFn>(table, kCloseFindTagDialog)();
  module.Destroy(table);
  EXPECT_EQ(Stored("TagEditList"), "tag|");
  EXPECT_EQ(Stored("TagParentEditList"), "parent|");
  EXPECT_EQ(Stored("FilenameEditList"), "");
}

TEST_F(History, AddEntriesDoNothingWhileNoDialogIsOpen) {
  WriteProfileString("Config", "FilenameEditList", "kept|");
  table = module.Create(ide.RootDispatch());
  Add(kAddFilenameHistory, "lost");
  Add(kAddTagHistory, "lost");
  Add(kAddTagParentHistory, "lost");

  OpenFindFile();
  Entry<CloseFindFileDialogFn>(table, kCloseFindFileDialog)();
  Add(kAddFilenameHistory, "after close");  // the combo object is gone: nothing to touch

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
  WriteProfileString("Config", "FilenameEditList", "main.cpp|");
  WriteProfileString("Config", "TagEditList", "Parse|");
  ide.mainWindowAvailable = false;
  table = module.Create(ide.RootDispatch());
  ASSERT_EQ(table, nullptr);
  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), "main.cpp|");
  EXPECT_EQ(Stored("TagParentEditList"), "<absent>");
  EXPECT_EQ(Stored("TagEditList"), "Parse|");
  EXPECT_EQ(ide.References("Root"), 0);  // the root is still let go of

  ide.mainWindowAvailable = true;
  table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);
  module.Destroy(table);
  WriteProfileString("Config", "FilenameEditList", "newer.cpp|main.cpp|");
  WriteProfileString("Config", "TagParentEditList", "Newer|");
  ide.mainWindowAvailable = false;
  table = module.Create(ide.RootDispatch());
  ASSERT_EQ(table, nullptr);
  module.Destroy(table);
  EXPECT_EQ(Stored("FilenameEditList"), "newer.cpp|main.cpp|");
  EXPECT_EQ(Stored("TagParentEditList"), "Newer|");
  EXPECT_EQ(Stored("TagEditList"), "Parse|");
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
