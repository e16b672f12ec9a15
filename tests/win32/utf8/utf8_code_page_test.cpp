// A host whose process code page is UTF-8 (its manifest's activeCodePage setting): the module
// takes every text in the thread's code page, so names of two-, three- and four-byte characters
// come through exactly, in a Unicode Find list and in the file-list file's path and entries.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "finddlg/find_dialog_fixtures.h"
#include "finddlg/find_test_controls.h"
#include "harness/list_canvas.h"
#include "support/fake_workspace.h"
#include "support/temp_directory.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/tolvane.h"

namespace tolvane::testing {
namespace {

// "Größe_日本_😀" in UTF-8, as such a host holds it, and in UTF-16, as a Unicode list shows it.
constexpr char kName[] =
    "Gr\xC3\xB6\xC3\x9F"
    "e_\xE6\x97\xA5\xE6\x9C\xAC_\xF0\x9F\x98\x80";
constexpr wchar_t kWideName[] = L"Gr\u00F6\u00DFe_\u65E5\u672C_\U0001F600";

class Utf8Host : public FindDialogTest {
 protected:
  Utf8Host() : FindDialogTest(kFindFile, TestDialog::Charset::kUnicode) {}
  void SetUp() override { ASSERT_EQ(::GetACP(), UINT(CP_UTF8)) << "the manifest sets UTF-8"; }
};

TEST_F(Utf8Host, AUnicodeFindListShowsUtf8NamesExactly) {
  MakeRows(1);
  files[0] = FakeFileRecord(kName, "cpp", std::string("C:\\") + kName);
  Open(1);
  EXPECT_EQ(CellText<wchar_t>(list, 0, 0), std::wstring(kWideName) + L".cpp");
  EXPECT_EQ(CellText<wchar_t>(list, 0, 1), std::wstring(L"C:\\") + kWideName);
}

TEST_F(Utf8Host, TheFileListKeepsUtf8NamesAtAUtf8Path) {
  TempDirectory directory;
  const std::string folder = directory.File(kName);
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
  FakeWorkspace workspace(folder + "\\" + kName + ".tvef");
  created = module.Create(ide.RootDispatch(), &workspace);
  ASSERT_NE(created, nullptr);
  PumpMessages();

  FileEntryList names;
  names.AppendName(kName, sizeof kName - 1, 1);
  names.AppendName("\xE2\x82\xAC.h", 5, 2);  // "€.h"
  Entry<SetFileListFn>(kSetFileList)(&names);
  ASSERT_TRUE(Entry<SaveFileListFn>(kSaveFileList)());
  // The path was read as UTF-8: the file lies under its UTF-16 name.
  wchar_t widePath[MAX_PATH];
  ASSERT_GT(::MultiByteToWideChar(CP_UTF8, 0, workspace.FileListPath(), -1, widePath, MAX_PATH), 0);
  EXPECT_NE(::GetFileAttributesW(widePath), INVALID_FILE_ATTRIBUTES);

  FileEntryList empty;
  Entry<SetFileListFn>(kSetFileList)(&empty);
  ASSERT_TRUE(Entry<LoadFileListFn>(kLoadFileList)(0));
  FileEntryList loaded;
  Entry<GetFileListFn>(kGetFileList)(&loaded);
  std::string entries;
  for (const FileEntry& entry : loaded) entries.append(entry.name, entry.nameLength).append("|");
  EXPECT_EQ(entries, std::string(kName) + "|\xE2\x82\xAC.h|");
}

// An ANSI list highlights in the process's code page, UTF-8 here: its letters beyond ASCII fold
// case as they do in UTF-8 (lower-case "\xC3\xB6" finds upper-case "\xC3\x96"), where bytes
// of a single-byte code page would match only themselves.
class Utf8AnsiHost : public FindDialogTest {
 protected:
  Utf8AnsiHost() : FindDialogTest(kFindFile) {}
  void SetUp() override { ASSERT_EQ(::GetACP(), UINT(CP_UTF8)) << "the manifest sets UTF-8"; }
};

TEST_F(Utf8AnsiHost, AnAnsiFindListMatchesUtf8Characters) {
  MakeRows(1);
  files[0] = FakeFileRecord("\xC3\x96l", "cpp", "C:\\");
  AddControls();
  ::SetPropA(dialog.Handle(), kHighlightMatchesProperty, reinterpret_cast<HANDLE>(1));
  Init(1);
  ::SetWindowTextA(combos[0], "\xC3\xB6");
  ListCanvas picture(list);
  picture.Paint();
  EXPECT_EQ(InkRuns(picture, list, 0, 0), "HT");
}

}  // namespace
}  // namespace tolvane::testing
