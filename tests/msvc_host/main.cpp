// A host built in the MSVC C++ ABI (clang, no C or C++ runtime) that loads TolvaneReg.dll through
// its import library and drives every entry of the operation table with real windows under Wine:
// histories, both Find dialogs, the file lists, go-to-tag, a shortage of memory and destruction.
// It checks only what a host can see: its controls, its objects, its files and the registry.
#include "checks.h"
#include "fake_ide.h"
#include "host_records.h"
#include "tolvane/tolvane.h"

namespace host {
namespace {

constexpr char kProfileRoot[] = "Software\\TolvaneReg";
constexpr char kConfigKey[] = "Software\\TolvaneReg\\Config";
constexpr uint32_t kFindFileDialogId = 1000;
constexpr uint32_t kFindTagDialogId = 2000;
constexpr UINT kBothStates = LVIS_SELECTED | LVIS_FOCUSED;

// Each group of checks keeps a stack frame of its own: without a C runtime there is no stack probe
// (__chkstk), so no frame may grow past one page, as it would with every group inlined into one.
#define GROUP __attribute__((noinline))

template <typename Fn>
Fn Entry(const OpsTable* table, OpsIndex index) {
  return TableEntry<Fn>(table, index);
}

// ---- Windows, controls and the registry, as the host sees them ----

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// What the dialogs' own procedure receives from the module.
struct DialogInbox {
  int charNotes;
  UINT_PTR charFrom;
  int refreshRequests;
  WPARAM refreshFrom;
};
DialogInbox inbox;

INT_PTR CALLBACK DialogProcedure(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == NM_CHAR) {
    ++inbox.charNotes;
    inbox.charFrom = reinterpret_cast<const NMHDR*>(lParam)->idFrom;
  }
  if (message == WM_USER + 1) {
    ++inbox.refreshRequests;
    inbox.refreshFrom = wParam;
  }
  return FALSE;
}

// A real dialog box from a template without items (an ANSI one made with the A functions, a
// Unicode one with the W functions), with a report list (owner data) and drop-down combo boxes.
HWND MakeDialog(bool unicode, int listId, const int* comboIds, int comboCount) {
  struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
  } dialogTemplate{};
  dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  dialogTemplate.header.cx = 400;
  dialogTemplate.header.cy = 270;
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  HWND dialog = unicode ? ::CreateDialogIndirectParamW(instance, &dialogTemplate.header, nullptr,
                                                       &DialogProcedure, 0)
                        : ::CreateDialogIndirectParamA(instance, &dialogTemplate.header, nullptr,
                                                       &DialogProcedure, 0);
  auto control = [&](const char* name, const wchar_t* wideName, DWORD style, int x, int y,
                     int height, int id) {
    auto* menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    style |= WS_CHILD | WS_VISIBLE;
    if (unicode) {
      ::CreateWindowExW(0, wideName, L"", style, x, y, 200, height, dialog, menu, instance,
                        nullptr);
    } else {
      ::CreateWindowExA(0, name, "", style, x, y, 200, height, dialog, menu, instance, nullptr);
    }
  };
  control("SysListView32", L"SysListView32", WS_BORDER | LVS_REPORT | LVS_OWNERDATA, 220, 10, 200,
          listId);
  for (int i = 0; i < comboCount; ++i) {
    control("COMBOBOX", L"COMBOBOX", WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10, 10 + 30 * i,
            200, comboIds[i]);
  }
  return dialog;
}

// The combo box's items in the stored form of a history: each followed by "|".
Text ComboItems(HWND combo) {
  Text items;
  const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char item[128] = {};
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    items.Add(item).Add("|");
  }
  return items;
}

HWND EditOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ::GetComboBoxInfo(combo, &info);
  return info.hwndItem;
}

UINT RowState(HWND list, int row) {
  return static_cast<UINT>(
      ::SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), kBothStates));
}

void PostKeyDown(HWND window, UINT key) {
  const UINT scanCode = ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  ::PostMessageA(window, WM_KEYDOWN, key, static_cast<LPARAM>(1u | (scanCode << 16)));
}

Text Headings(HWND list) {
  Text headings;
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    headings.Add(text).Add("|");
  }
  return headings;
}

bool ReadProfile(const char* key, const char* name, DWORD type, void* data, DWORD size) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return false;
  }
  DWORD found = 0;
  const bool read = ::RegQueryValueExA(opened, name, nullptr, &found, static_cast<BYTE*>(data),
                                       &size) == ERROR_SUCCESS &&
                    found == type;
  ::RegCloseKey(opened);
  return read;
}

void WriteProfileText(const char* name, const char* value) {
  HKEY created = nullptr;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                    nullptr);
  ::RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(Length(value) + 1));
  ::RegCloseKey(created);
}

// The width the close stored for the dialog's first column ("Sub1"), or -1.
long StoredFirstWidth(uint32_t dialogId) {
  char key[96];
  wsprintfA(key, "%s\\WindowPositions\\ID=0x%08lx", kProfileRoot,
            static_cast<unsigned long>(dialogId));
  DWORD width = 0;
  return ReadProfile(key, "Sub1", REG_DWORD, &width, sizeof width) ? long(width) : -1;
}

// ---- Histories: added while the dialog is open, of every length class ----

struct HistoryCase {
  OpsIndex add;
  int comboId;
  const char* value;  // under Config
  const char* seed;   // stored before creation
  char prefix;
};
constexpr HistoryCase kFileHistory = {kAddFilenameHistory, 1021, "FilenameEditList", "seed.cpp|",
                                      'F'};
constexpr HistoryCase kTagHistories[] = {
    {kAddTagParentHistory, 1051, "TagParentEditList", "SeedParent|Other|", 'P'},
    {kAddTagHistory, 1052, "TagEditList", "seedTag|", 'T'},
};
constexpr int kTextLengths[] = {3, 4, 15, 16, 40};

void MakeText(char* out, char prefix, int length) {
  out[0] = prefix;
  for (int i = 1; i < length; ++i) out[i] = static_cast<char>('a' + (i - 1) % 26);
  out[length] = '\0';
}

// What the combo box and then the stored value hold: the texts, newest first, then the seed.
Text ExpectedHistory(const HistoryCase& history) {
  Text expected;
  for (int i = int(sizeof kTextLengths / sizeof *kTextLengths) - 1; i >= 0; --i) {
    char text[48];
    MakeText(text, history.prefix, kTextLengths[i]);
    expected.Add(text).Add("|");
  }
  return expected.Add(history.seed);
}

// Each text is overwritten as soon as the entry returns: the module must have copied it. The
// newest text again and an empty text add nothing.
void AddHistory(const OpsTable* table, HWND dialog, const HistoryCase& history) {
  auto add = Entry<AddHistoryFn>(table, history.add);
  char text[48];
  for (int length : kTextLengths) {
    MakeText(text, history.prefix, length);
    add(text);
    MakeText(text, '#', 40);
  }
  MakeText(text, history.prefix, 40);
  add(text);
  add("");
  CheckText(ComboItems(::GetDlgItem(dialog, history.comboId)).c_str(),
            ExpectedHistory(history).c_str(), history.value);
}

// ---- Display requests, sent as the list control sends them ----

struct Cell {
  int row;
  int column;
  const char* narrow;  // null: no text to give, the request keeps the control's buffer
  const wchar_t* wide;
};

// Files: key 100 and 101 have records, 99 none. Code page 1252 bytes: \366 o-umlaut, \337 sharp s,
// \200 the euro sign (not Latin-1: a byte-for-byte widening shows wrongly).
constexpr Cell kFileCells[] = {
    {0, 0, "main.cpp", L"main.cpp"},
    {0, 1, "C:\\src\\main.cpp", L"C:\\src\\main.cpp"},
    {1, 0, "Makefile", L"Makefile"},
    {1, 1, "C:\\Projekte\\Gr\366\337e \200", L"C:\\Projekte\\Gr\u00F6\u00DFe \u20AC"},
    {2, 0, nullptr, nullptr},
};
constexpr Cell kTagCells[] = {
    {0, 0, "Function", L"Function"},
    {0, 1, "tools", L"tools"},
    {0, 2, "Helpers", L"Helpers"},
    {0, 3, "helper", L"helper"},
    {0, 4, "util.cpp", L"util.cpp"},
    {0, 5, " int helper(int x)", L" int helper(int x)"},
    {1, 0, "File", L"File"},
    {1, 1, "", L""},
    {1, 2, "", L""},
    {1, 3, "util.h", L"util.h"},
    {1, 4, nullptr, nullptr},
    {1, 5, "", L""},
};

template <size_t kCount>
void CheckDisplayRequests(HWND dialog, int listId, const Cell (&cells)[kCount]) {
  HWND list = ::GetDlgItem(dialog, listId);
  for (const Cell& cell : cells) {
    Text what("cell ");
    what.AddNumber(cell.row).Add(",").AddNumber(cell.column);
    char narrowBuffer[8] = "host";
    NMLVDISPINFOA narrow{};
    narrow.hdr = {list, UINT_PTR(listId), LVN_GETDISPINFOA};
    narrow.item.mask = LVIF_TEXT | LVIF_STATE;
    narrow.item.iItem = cell.row;
    narrow.item.iSubItem = cell.column;
    narrow.item.pszText = narrowBuffer;
    narrow.item.cchTextMax = 4;  // texts are handed over, never copied into the buffer
    const LRESULT narrowResult =
        ::SendMessageA(dialog, WM_NOTIFY, UINT_PTR(listId), reinterpret_cast<LPARAM>(&narrow));
    Text ansi(what.c_str());
    ansi.Add(" ANSI");
    CheckNumber(narrowResult, 0, ansi.c_str());
    CheckNumber(narrow.item.mask, LVIF_TEXT, ansi.c_str());
    CheckText(narrowBuffer, "host", ansi.c_str());
    if (cell.narrow == nullptr) {
      Check(narrow.item.pszText == narrowBuffer, ansi.c_str());
    } else {
      CheckText(narrow.item.pszText, cell.narrow, ansi.c_str());
    }

    wchar_t wideBuffer[8] = L"host";
    NMLVDISPINFOW wide{};
    wide.hdr = {list, UINT_PTR(listId), LVN_GETDISPINFOW};
    wide.item.mask = LVIF_TEXT;
    wide.item.iItem = cell.row;
    wide.item.iSubItem = cell.column;
    wide.item.pszText = wideBuffer;
    wide.item.cchTextMax = 4;
    ::SendMessageW(dialog, WM_NOTIFY, UINT_PTR(listId), reinterpret_cast<LPARAM>(&wide));
    what.Add(" Unicode");
    CheckText(wideBuffer, L"host", what.c_str());
    if (cell.wide == nullptr) {
      Check(wide.item.pszText == wideBuffer, what.c_str());
    } else {
      CheckText(wide.item.pszText, cell.wide, what.c_str());
    }
  }
}

// A key-down posted to the combo box's edit field: Down moves the list's selection and leaves the
// edit field alone; typing reaches the dialog as one NM_CHAR from the combo box.
void CheckKeys(HWND dialog, int listId, int comboId) {
  HWND list = ::GetDlgItem(dialog, listId);
  HWND edit = EditOf(::GetDlgItem(dialog, comboId));
  LVITEMA state{};
  state.state = kBothStates;
  state.stateMask = kBothStates;
  ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  ::SetWindowTextA(edit, "abc");
  ::SendMessageA(edit, EM_SETSEL, 1, 1);
  Pump();
  PostKeyDown(edit, VK_DOWN);
  Pump();
  CheckNumber(RowState(list, 1), kBothStates, "Down selects the next row");
  CheckNumber(RowState(list, 0), 0, "Down leaves the first row");
  char text[16] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  CheckText(text, "abc", "Down does not reach the edit field");

  inbox = {};
  ::PostMessageA(edit, WM_CHAR, 'x', 1);
  Pump();
  CheckNumber(inbox.charNotes, 1, "typing is one NM_CHAR");
  CheckNumber(long(inbox.charFrom), comboId, "NM_CHAR comes from the combo box");
}

// ---- The entries, group by group ----

struct Host {
  OpsTable* table = nullptr;
  FakeIde ide;
  HWND mainWindow = nullptr;
  char listPath[300] = {};
};

GROUP void CheckCreation(Host& host, Workspace& workspace) {
  Group("creation");
  FakeRoot noMainWindow;
  Check(TolvaneRegCreate(&noMainWindow, &workspace) == nullptr,
        "a root without a main window creates nothing");

  host.table = TolvaneRegCreate(&host.ide.root, &workspace);
  if (!Check(host.table != nullptr, "creation gives a table")) return;
  Pump();
  Check(host.table->slots[0] == nullptr && host.table->slots[4] == nullptr,
        "slots 0 and 4 stay null");
  for (int i = 1; i < 15; ++i) {
    if (i == 4) continue;
    Text what("slot ");
    Check(host.table->slots[i] != nullptr, what.AddNumber(i).Add(" is filled").c_str());
  }
  Check(::GetWindow(host.mainWindow, GW_CHILD) == nullptr,
        "the helper window is gone after the host's loop has run");
  CheckNumber(host.ide.root.references, 1, "the module holds the root once");
  CheckNumber(noMainWindow.references, 0, "the earlier root is released");
  CheckNumber(outstandingReferences, 1, "no other automation reference is held");
}

GROUP void CheckFindFile(Host& host) {
  Group("Find File");
  Entry<AddHistoryFn>(host.table, kAddFilenameHistory)("while-closed");  // no dialog: no effect
  FileRecord main("main", "cpp", "C:\\src\\main.cpp");
  FileRecord makefile("Makefile", "", "C:\\Projekte\\Gr\366\337e \200");
  HostFileRecord* records[] = {&main, &makefile};
  FileSource source(records, 2);
  HostFileSource* sourceWord = &source;
  uint32_t keys[] = {100, 101, 99};
  HostFileKeyArray keyArray{keys};
  const int comboIds[] = {1021};
  HWND dialog = MakeDialog(false, 1020, comboIds, 1);
  HWND list = ::GetDlgItem(dialog, 1020);

  CFindFileEdit* combo = nullptr;
  CFindFileListCtrl* listObject = nullptr;
  Check(Entry<InitFindFileDialogFn>(host.table, kInitFindFileDialog)(
            dialog, kFindFileDialogId, &combo, &listObject, &sourceWord, &keyArray),
        "init answers true");
  Check(combo != nullptr && listObject != nullptr, "init gives the combo and list objects");
  CheckText(Headings(list).c_str(), "Filename|Path|", "the list's columns");
  CheckText(ComboItems(::GetDlgItem(dialog, 1021)).c_str(), kFileHistory.seed,
            "the combo box holds the stored history");
  ::SendMessageA(list, LVM_SETITEMCOUNT, 3, 0);
  Pump();

  AddHistory(host.table, dialog, kFileHistory);
  CheckDisplayRequests(dialog, 1020, kFileCells);
  char cell[64] = {};
  LVITEMA item{};
  item.pszText = cell;
  item.cchTextMax = sizeof cell;
  ::SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  CheckText(cell, "main.cpp", "the list control itself shows row 0");
  CheckKeys(dialog, 1020, 1021);

  Check(Entry<CloseFindFileDialogFn>(host.table, kCloseFindFileDialog)(), "close answers true");
  Check(!::IsWindow(list), "close destroys the controls");
  Check(StoredFirstWidth(kFindFileDialogId) > 0, "close stores the column widths");
  ::DestroyWindow(dialog);
  Pump();
}

GROUP void CheckFindTag(Host& host) {
  Group("Find Tag");
  FileRecord util("util", "cpp", "C:\\src\\util.cpp");
  TagRecord function(kTagFunction, "helper", "C:\\src\\util.cpp", "^\tint helper(int x)$", 3);
  function.nameSpace = "tools";
  function.parentName = "Helpers";
  function.file = &util;
  TagRecord file(kTagFile, "util.h", "C:\\src\\util.h", "", -1);
  HostTagRecord* tags[] = {&function, &file};
  HostTagArray tagArray{tags};
  const int comboIds[] = {1051, 1052};
  HWND dialog = MakeDialog(true, 1050, comboIds, 2);
  HWND list = ::GetDlgItem(dialog, 1050);

  CFindTagEdit* parentCombo = nullptr;
  CFindTagEdit* tagCombo = nullptr;
  CFindTagListCtrl* listObject = nullptr;
  Check(Entry<InitFindTagDialogFn>(host.table, kInitFindTagDialog)(
            dialog, kFindTagDialogId, &parentCombo, &tagCombo, &listObject, &tagArray),
        "init answers true");
  Check(parentCombo != nullptr && tagCombo != nullptr && tagCombo != parentCombo &&
            listObject != nullptr,
        "init gives two combo objects and the list object");
  CheckText(Headings(list).c_str(), "Type|Namespace|Parent|Tag|Filename|Line|",
            "the list's columns");
  ::SendMessageA(list, LVM_SETITEMCOUNT, 2, 0);
  Pump();

  for (const HistoryCase& history : kTagHistories) AddHistory(host.table, dialog, history);
  CheckDisplayRequests(dialog, 1050, kTagCells);
  wchar_t cell[64] = {};
  LVITEMW item{};
  item.iSubItem = 3;
  item.pszText = cell;
  item.cchTextMax = 64;
  ::SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
  CheckText(cell, L"helper", "the Unicode list control itself shows row 0");
  CheckKeys(dialog, 1050, 1052);
  inbox = {};
  PostKeyDown(EditOf(::GetDlgItem(dialog, 1051)), VK_F5);
  Pump();
  CheckNumber(inbox.refreshRequests, 1, "F5 asks the dialog to refresh");
  CheckNumber(long(inbox.refreshFrom), 1051, "the refresh request names the combo box");

  Check(Entry<CloseFindTagDialogFn>(host.table, kCloseFindTagDialog)(), "close answers true");
  Check(!::IsWindow(list), "close destroys the controls");
  Check(StoredFirstWidth(kFindTagDialogId) > 0, "close stores the column widths");
  ::DestroyWindow(dialog);
  Pump();
}

// "name:flags;" for each entry, and a check that each name is a block of the process heap.
Text ListForm(const FileEntryList& list) {
  Text form;
  for (const FileEntry& entry : list) {
    form.AddBytes(entry.name, entry.nameLength).Add(":").AddNumber(entry.flags).Add(";");
    if (!::HeapValidate(::GetProcessHeap(), 0, entry.name)) form.Add("(not a process-heap block)");
  }
  return form;
}

GROUP void CheckFileLists(Host& host, Workspace& workspace, FileEntryObject** entries) {
  Group("file lists");
  auto set = Entry<SetFileListFn>(host.table, kSetFileList);
  auto get = Entry<GetFileListFn>(host.table, kGetFileList);
  auto load = Entry<LoadFileListFn>(host.table, kLoadFileList);
  constexpr char kModuleList[] = "a&b.cpp:1;plain.cpp:0;dir\\third.h:3;";

  FileEntryList hostList(3);
  hostList.AppendText("a&b.cpp", 1);
  hostList.AppendText("plain.cpp", 0);
  hostList.AppendText("dir\\third.h", 0xFF);  // only bits 0 and 1 are kept
  set(&hostList);
  CheckText(ListForm(hostList).c_str(), kModuleList, "set leaves the host's list as it was");
  Check(Entry<SaveFileListFn>(host.table, kSaveFileList)(), "save answers true");
  Check(::GetFileAttributesA(host.listPath) != INVALID_FILE_ATTRIBUTES, "save writes the file");

  FileEntryList empty;
  set(&empty);
  FileEntryList copy;
  get(&copy);
  CheckNumber(long(copy.count), 0, "an empty list set gives an empty list");

  Check(load(2), "load with export answers true");  // any non-zero byte asks for the export
  CheckNumber(workspace.projectLoads, 1, "the host takes one project file in");
  Text projectPath(host.listPath);
  CheckText(workspace.projectPath.c_str(), projectPath.Add(".vcproj").c_str(),
            "the project file lies beside the list");
  Check(workspace.projectText.Contains("\"a&amp;b.cpp\"") &&
            workspace.projectText.Contains("\"dir\\third.h\"") &&
            !workspace.projectText.Contains("plain.cpp"),
        "the project file names the files in the project, escaped");
  Check(::GetFileAttributesA(projectPath.c_str()) == INVALID_FILE_ATTRIBUTES,
        "the project file is deleted after the host took it in");
  struct Flags {
    bool first, second;
    int firstSets;
  } const expected[] = {{true, false, 1}, {false, false, 1}, {true, true, 0}};
  for (int i = 0; i < 3; ++i) {
    Text what("host entry ");
    what.Add(entries[i]->name).Add(" mirrors the flags");
    Check(entries[i]->first == expected[i].first && entries[i]->second == expected[i].second &&
              entries[i]->firstSets == expected[i].firstSets && entries[i]->secondSets == 1,
          what.c_str());
  }

  // Into a host list that already holds entries in two blocks: replaced from the host's own pool.
  FileEntryList destination(2);
  const char* const oldNames[] = {"old1", "old2", "old3"};
  for (const char* name : oldNames) destination.AppendText(name, 1);
  get(&destination);
  CheckText(ListForm(destination).c_str(), kModuleList, "get replaces the host's entries");
  CheckNumber(destination.blockSize, 2, "get keeps the host's block size");
  destination.Clear();
  Check(destination.count == 0 && destination.head == nullptr && destination.blocks == nullptr,
        "the host's own Clear frees what the module allocated");
  Check(::HeapValidate(::GetProcessHeap(), 0, nullptr), "the process heap is sound");

  Check(load(0), "load without export answers true");
  CheckNumber(workspace.projectLoads, 1, "no export without the byte");
  get(&copy);
  CheckText(ListForm(copy).c_str(), kModuleList, "the saved list loads back");
}

GROUP void CheckGoToTag(Host& host) {
  Group("go to tag");
  auto goTo = Entry<GoToTagFn>(host.table, kGoToTag);
  auto lastTag = Entry<GetLastTagFn>(host.table, kGetLastTag);
  constexpr char kOpen[] = "Open(C:\\src\\util.cpp,{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF});";
  TagRecord byLine(kTagFunction, "helper", host.ide.editor.fileName, "^int helper(int x)$", 5);
  TagRecord byPattern(kTagFunction, "helper", host.ide.editor.fileName, "^int helper(int x)$$", -1);
  TagRecord elsewhere(kTagFunction, "other", "C:\\src\\missing.cpp", "^x$", 2);
  Text expected;

  Check(lastTag() == nullptr, "no last tag before any go-to");
  Check(goTo(&byLine), "go to a tag by its line");
  expected = Text(kOpen);
  expected.Add("Move(5,1,0);Show(0,3,0);End(0);Start(0,-1);");
  CheckText(host.ide.editor.log.c_str(), expected.c_str(), "the editor's moves by line");
  CheckNumber(host.ide.editor.caretLine, 5, "the caret is on the tag's line");
  Check(lastTag() == &byLine, "the last tag is the one gone to");

  host.ide.editor.log = Text();
  Check(goTo(&byPattern), "go to a tag by its pattern");
  expected = Text(kOpen);
  expected.Add("Move(1,1,0);Find(int helper(int x),4);Show(0,3,0);End(0);Start(0,-1);");
  CheckText(host.ide.editor.log.c_str(), expected.c_str(), "the editor's moves by pattern");
  CheckNumber(host.ide.editor.caretLine, 3, "the caret is on the line found");
  Check(lastTag() == &byPattern, "the last tag follows");

  Check(!goTo(&elsewhere), "a file the IDE cannot open answers false");
  Check(lastTag() == nullptr, "a failed go-to forgets the last tag");
  CheckNumber(outstandingReferences, 1, "every automation reference taken is released");
}

// ---- A shortage of memory: the DLL's allocation imports fail ----

void* WINAPI FailingHeapAlloc(HANDLE, DWORD, SIZE_T) {
  return nullptr;
}
void* __cdecl FailingMalloc(size_t) {
  return nullptr;
}
void* __cdecl FailingCalloc(size_t, size_t) {
  return nullptr;
}
void* __cdecl FailingRealloc(void*, size_t) {
  return nullptr;
}

struct ImportSlot {
  const char* function;
  const void* replacement;
  void** slot = nullptr;
  const void* original = nullptr;
};

void WriteSlot(void** slot, const void* value) {
  DWORD previous = 0;
  ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous);
  *slot = const_cast<void*>(value);
  ::VirtualProtect(slot, sizeof *slot, previous, &previous);
}

// Points every import of `module` named in `slots` at its replacement (from whichever library);
// the number of slots patched.
int PatchImports(HMODULE module, ImportSlot* slots, int count) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  auto dword = [base](size_t offset) { return *reinterpret_cast<const DWORD*>(base + offset); };
  const size_t optionalHeader = dword(0x3C) + 24;
  const bool pe32Plus = *reinterpret_cast<const WORD*>(base + optionalHeader) == 0x20B;
  const DWORD imports = dword(optionalHeader + (pe32Plus ? 112 : 96) + 8);  // directory 1
  int patched = 0;
  for (size_t descriptor = imports; imports != 0 && dword(descriptor + 12) != 0; descriptor += 20) {
    const DWORD names = dword(descriptor) != 0 ? dword(descriptor) : dword(descriptor + 16);
    auto* name = reinterpret_cast<const ULONG_PTR*>(base + names);
    auto* address = reinterpret_cast<void**>(const_cast<BYTE*>(base) + dword(descriptor + 16));
    for (; *name != 0; ++name, ++address) {
      if ((*name >> (sizeof(ULONG_PTR) * 8 - 1)) != 0) continue;  // by ordinal
      const char* function = reinterpret_cast<const char*>(base + *name + 2);
      for (int i = 0; i < count; ++i) {
        if (!Same(function, slots[i].function) || slots[i].slot != nullptr) continue;
        slots[i].slot = address;
        slots[i].original = *address;
        WriteSlot(address, slots[i].replacement);
        ++patched;
      }
    }
  }
  return patched;
}

// Puts the originals back; the slots can be patched again.
void Restore(ImportSlot* slots, int count) {
  for (int i = 0; i < count; ++i) {
    if (slots[i].slot != nullptr) WriteSlot(slots[i].slot, slots[i].original);
    slots[i].slot = nullptr;
  }
}

// In a creation of its own, after the others: a runtime that cannot cope ends the process here.
GROUP void CheckOutOfMemory(Host& host, Workspace& workspace) {
  Group("out of memory");
  host.table = TolvaneRegCreate(&host.ide.root, &workspace);
  if (!Check(host.table != nullptr, "a second creation gives a table")) return;
  Pump();
  auto get = Entry<GetFileListFn>(host.table, kGetFileList);
  auto set = Entry<SetFileListFn>(host.table, kSetFileList);
  FileEntryList moduleList;
  moduleList.AppendText("module.cpp", 1);
  set(&moduleList);
  FileEntryList hostList;
  hostList.AppendText("keep1", 1);
  hostList.AppendText("keep2", 0);
  const FileEntryNode* head = hostList.head;
  ImportSlot slots[] = {{"HeapAlloc", reinterpret_cast<const void*>(&FailingHeapAlloc)},
                        {"malloc", reinterpret_cast<const void*>(&FailingMalloc)},
                        {"calloc", reinterpret_cast<const void*>(&FailingCalloc)},
                        {"realloc", reinterpret_cast<const void*>(&FailingRealloc)}};
  HMODULE module = ::GetModuleHandleA("TolvaneReg.dll");

  PatchImports(module, slots, 4);
  Text failed("msvc-host: the DLL's imports made to fail:");
  for (const ImportSlot& slot : slots) {
    if (slot.slot != nullptr) failed.Add(" ").Add(slot.function);
  }
  Print(failed.Add("\n").c_str());
  Check(slots[0].slot != nullptr, "the DLL's HeapAlloc import was made to fail");
  Check(slots[1].slot != nullptr, "the DLL's malloc import was made to fail");
  get(&hostList);
  set(&hostList);
  Restore(slots, 4);
  Check(hostList.head == head && hostList.count == 2, "get leaves the host's list alone");
  CheckText(ListForm(hostList).c_str(), "keep1:1;keep2:0;", "the host's entries are unchanged");
  FileEntryList copy;
  get(&copy);
  CheckText(ListForm(copy).c_str(), "module.cpp:1;", "set leaves the module's list alone");

  FileRecord record("a", "cpp", "C:\\a.cpp");
  HostFileRecord* records[] = {&record};
  FileSource source(records, 1);
  HostFileSource* sourceWord = &source;
  uint32_t keys[] = {100};
  HostFileKeyArray keyArray{keys};
  const int comboIds[] = {1021};
  HWND dialog = MakeDialog(false, 1020, comboIds, 1);
  auto init = Entry<InitFindFileDialogFn>(host.table, kInitFindFileDialog);
  auto close = Entry<CloseFindFileDialogFn>(host.table, kCloseFindFileDialog);
  auto* sentinel = reinterpret_cast<CFindFileEdit*>(uintptr_t(0x5EED));
  auto* listSentinel = reinterpret_cast<CFindFileListCtrl*>(uintptr_t(0xF00D));
  CFindFileEdit* combo = sentinel;
  CFindFileListCtrl* listObject = listSentinel;
  PatchImports(module, slots, 4);
  const bool opened = init(dialog, kFindFileDialogId, &combo, &listObject, &sourceWord, &keyArray);
  Restore(slots, 4);
  if (!Check(!opened, "init answers false")) close();  // the next init opens anew
  Check(combo == sentinel && listObject == listSentinel, "init leaves its out-arguments alone");
  Check(init(dialog, kFindFileDialogId, &combo, &listObject, &sourceWord, &keyArray),
        "with memory back, init answers true");
  Check(combo != sentinel && listObject != listSentinel, "and gives its objects");
  Check(close(), "and close follows");
  ::DestroyWindow(dialog);
  Pump();
  TolvaneRegDestroy(host.table);
  host.table = nullptr;
  CheckNumber(outstandingReferences, 0, "no automation reference is left");
}

GROUP void CheckDestruction(Host& host) {
  Group("destruction");
  TolvaneRegDestroy(host.table);
  host.table = nullptr;
  CheckNumber(host.ide.root.references, 0, "the root is released");
  CheckNumber(outstandingReferences, 0, "no automation reference is left");
  Text what;
  char stored[512];
  const HistoryCase histories[] = {kFileHistory, kTagHistories[0], kTagHistories[1]};
  for (const HistoryCase& history : histories) {
    stored[0] = '\0';
    what = Text("stored ");
    what.Add(history.value);
    ReadProfile(kConfigKey, history.value, REG_SZ, stored, sizeof stored - 1);
    CheckText(stored, ExpectedHistory(history).c_str(), what.c_str());
  }
}

}  // namespace

int Run(const char* arch) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kProfileRoot);
  WriteProfileText(kFileHistory.value, kFileHistory.seed);
  for (const HistoryCase& history : kTagHistories) WriteProfileText(history.value, history.seed);
  Check(::GetACP() == 1252, "the ANSI code page is 1252, as the records are written");

  Host host;
  // The IDE's main window: a real top-level window (of a predefined class, for brevity).
  host.mainWindow = ::CreateWindowExA(0, "STATIC", "IDE", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                      nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  host.ide.mainWindow.window = host.mainWindow;
  const DWORD directory = ::GetCurrentDirectoryA(200, host.listPath);
  wsprintfA(host.listPath + directory, "\\msvc-host.tvef");
  ::DeleteFileA(host.listPath);
  FileEntryObject first("a&b.cpp", false, true), second("plain.cpp", true, true),
      third("dir\\third.h", true, false);
  FileEntryObject* entries[] = {&first, &second, &third};
  FileEntrySet entrySet(entries, 3);
  Workspace workspace(host.listPath, entrySet);

  CheckCreation(host, workspace);
  if (host.table != nullptr) {
    CheckFindFile(host);
    CheckFindTag(host);
    CheckFileLists(host, workspace, entries);
    CheckGoToTag(host);
    CheckDestruction(host);
    CheckOutOfMemory(host, workspace);
  }
  ::DestroyWindow(host.mainWindow);

  Text tally("msvc-host ");
  tally.Add(arch).Add(": ").AddNumber(CheckCount()).Add(" checks, ");
  Print(tally.AddNumber(FailureCount()).Add(" failed\n").c_str());
  return FailureCount() == 0 ? 0 : 1;
}

}  // namespace host

int RunHost() {
#ifdef _WIN64
  return host::Run("x86_64");
#else
  return host::Run("i686");
#endif
}
