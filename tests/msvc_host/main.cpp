// A host built in the MSVC C++ ABI (clang, no C or C++ runtime) that loads TolvaneReg.dll through
// its import library and calls every entry of the operation table and both exports once, with
// real windows under Wine. Each check is one that a wrong text, layout, heap or calling convention
// between the two compilers would fail; what the entries do in detail is the other suites' part.
// Last, the DLL's allocations are made to fail under this foreign host.
#include "checks.h"
#include "fake_ide.h"
#include "host_records.h"
#include "tolvane/tolvane.h"

namespace host {
namespace {

constexpr uint32_t kFindFileDialogId = 1000;
constexpr uint32_t kFindTagDialogId = 2000;

// Each group of checks keeps a stack frame of its own: without a C runtime there is no stack probe
// (__chkstk), so no frame may grow past one page, as it would with every group inlined into one.
#define GROUP __attribute__((noinline))

template <typename Fn>
Fn Entry(const OpsTable* table, OpsIndex index) {
  return TableEntry<Fn>(table, index);
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

INT_PTR CALLBACK DialogProcedure(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
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
  auto control = [&](const char* name, const wchar_t* wideName, DWORD style, int y, int id) {
    auto* menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    style |= WS_CHILD | WS_VISIBLE;
    if (unicode) {
      ::CreateWindowExW(0, wideName, L"", style, 10, y, 200, 200, dialog, menu, instance, nullptr);
    } else {
      ::CreateWindowExA(0, name, "", style, 10, y, 200, 200, dialog, menu, instance, nullptr);
    }
  };
  control("SysListView32", L"SysListView32", WS_BORDER | LVS_REPORT | LVS_OWNERDATA, 70, listId);
  for (int i = 0; i < comboCount; ++i) {
    control("COMBOBOX", L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL, 10 + 30 * i, comboIds[i]);
  }
  return dialog;
}

// An add while the dialog is open shows at the top of its combo box. The text is overwritten as
// soon as the entry returns: the module must have copied it.
GROUP void AddHistory(const OpsTable* table, HWND dialog, OpsIndex entry, int comboId) {
  char text[] = "added-to-history";
  Entry<AddHistoryFn>(table, entry)(text);
  text[0] = '#';
  char shown[32] = {};
  ::SendMessageA(::GetDlgItem(dialog, comboId), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(shown));
  Text what("history of combo box ");
  CheckText(shown, "added-to-history", what.AddNumber(comboId).c_str());
}

// A display request for one cell, sent as the list control sends it, once for a char buffer and
// once for a wchar_t one. `wide` is the UTF-16 text with units above 0x7F as \uXXXX; null when it
// is the ASCII text `narrow`.
struct Cell {
  int row;
  int column;
  const char* narrow;
  const char* wide = nullptr;
};

// The text the dialog's answer hands over; Info and Char are the ANSI or the Unicode kind.
template <typename Info, typename Char>
const Char* Ask(HWND dialog, int listId, const Cell& cell, UINT code) {
  Char buffer[8] = {'h', 'o', 's', 't'};
  Info info{};
  info.hdr = {::GetDlgItem(dialog, listId), UINT_PTR(listId), code};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = cell.row;
  info.item.iSubItem = cell.column;
  info.item.pszText = buffer;
  info.item.cchTextMax = 4;
  const auto lParam = reinterpret_cast<LPARAM>(&info);
  if (sizeof(Char) == 1) {
    ::SendMessageA(dialog, WM_NOTIFY, UINT_PTR(listId), lParam);
  } else {
    ::SendMessageW(dialog, WM_NOTIFY, UINT_PTR(listId), lParam);
  }
  return info.item.pszText != buffer ? info.item.pszText : nullptr;
}

GROUP void CheckCell(HWND dialog, int listId, const Cell& cell) {
  Text what("cell ");
  what.AddNumber(cell.row).Add(",").AddNumber(cell.column);
  CheckText(Ask<NMLVDISPINFOA, char>(dialog, listId, cell, LVN_GETDISPINFOA), cell.narrow,
            Text(what.c_str()).Add(" ANSI").c_str());
  CheckText(Ask<NMLVDISPINFOW, wchar_t>(dialog, listId, cell, LVN_GETDISPINFOW),
            cell.wide != nullptr ? cell.wide : cell.narrow, what.Add(" Unicode").c_str());
}

struct Host {
  // A creation whose helper window has been and gone.
  bool Create(Workspace& workspace) {
    table = TolvaneRegCreate(&ide.root, &workspace);
    Pump();
    return Check(table != nullptr, "creation gives a table");
  }

  OpsTable* table = nullptr;
  FakeIde ide;
  HWND mainWindow = nullptr;
  char listPath[300] = {};
};

GROUP void CheckCreation(Host& host, Workspace& workspace) {
  Group("creation");
  if (!host.Create(workspace)) return;
  for (int i = 0; i < 15; ++i) {
    Text what("slot ");
    what.AddNumber(i).Add(i == 0 || i == 4 ? " stays null" : " is filled");
    Check((host.table->slots[i] == nullptr) == (i == 0 || i == 4), what.c_str());
  }
  CheckNumber(host.ide.root.references, 1, "the module holds the root once");
  CheckNumber(outstandingReferences, 1, "no other automation reference is held");
}

// Files: key 100 and 101 have records. Code page 1252 bytes: \366 o-umlaut, \337 sharp s, \200
// the euro sign (not Latin-1: a byte-for-byte widening shows wrongly).
GROUP void CheckFindFile(Host& host) {
  Group("Find File");
  FileRecord main("main", "cpp", "C:\\src\\main.cpp");
  FileRecord makefile("Makefile", "", "C:\\Projekte\\Gr\366\337e \200");
  HostFileRecord* records[] = {&main, &makefile};
  FileSource source(records, 2);
  HostFileSource* sourceWord = &source;
  uint32_t keys[] = {100, 101};
  HostFileKeyArray keyArray{keys};
  const int comboIds[] = {1021};
  HWND dialog = MakeDialog(false, 1020, comboIds, 1);

  CFindFileEdit* combo = nullptr;
  CFindFileListCtrl* listObject = nullptr;
  Check(Entry<InitFindFileDialogFn>(host.table, kInitFindFileDialog)(
            dialog, kFindFileDialogId, &combo, &listObject, &sourceWord, &keyArray),
        "init answers true");
  Check(combo != nullptr && listObject != nullptr, "init gives the combo and list objects");
  ::SendMessageA(::GetDlgItem(dialog, 1020), LVM_SETITEMCOUNT, 2, 0);
  AddHistory(host.table, dialog, kAddFilenameHistory, 1021);
  CheckCell(dialog, 1020, {0, 0, "main.cpp"});
  CheckCell(dialog, 1020,
            {1, 1, "C:\\Projekte\\Gr\366\337e \200", "C:\\Projekte\\Gr\\u00F6\\u00DFe \\u20AC"});
  Check(Entry<CloseFindFileDialogFn>(host.table, kCloseFindFileDialog)(), "close answers true");
  ::DestroyWindow(dialog);
  Pump();
}

// One tag whose every text stands in a column of its own, in a Unicode dialog.
GROUP void CheckFindTag(Host& host) {
  Group("Find Tag");
  FileRecord util("util", "cpp", "C:\\src\\util.cpp");
  TagRecord function;
  function.kind = kTagFunction;
  function.name = "helper";
  function.fileName = "C:\\src\\util.cpp";
  function.pattern = "^\tint helper(int x)$";
  function.line = 3;
  function.nameSpace = "tools";
  function.parentName = "Helpers";
  function.file = &util;
  HostTagRecord* tags[] = {&function};
  HostTagArray tagArray{tags};
  const int comboIds[] = {1051, 1052};
  HWND dialog = MakeDialog(true, 1050, comboIds, 2);

  CFindTagEdit* parentCombo = nullptr;
  CFindTagEdit* tagCombo = nullptr;
  CFindTagListCtrl* listObject = nullptr;
  Check(Entry<InitFindTagDialogFn>(host.table, kInitFindTagDialog)(
            dialog, kFindTagDialogId, &parentCombo, &tagCombo, &listObject, &tagArray),
        "init answers true");
  Check(parentCombo != nullptr && tagCombo != nullptr && tagCombo != parentCombo &&
            listObject != nullptr,
        "init gives two combo objects and the list object");
  ::SendMessageA(::GetDlgItem(dialog, 1050), LVM_SETITEMCOUNT, 1, 0);
  AddHistory(host.table, dialog, kAddTagParentHistory, 1051);
  AddHistory(host.table, dialog, kAddTagHistory, 1052);
  const char* const columns[] = {"Function", "tools",    "Helpers",
                                 "helper",   "util.cpp", " int helper(int x)"};
  for (int column = 0; column < 6; ++column) CheckCell(dialog, 1050, {0, column, columns[column]});
  Check(Entry<CloseFindTagDialogFn>(host.table, kCloseFindTagDialog)(), "close answers true");
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
  constexpr char kModuleList[] = "a&b.cpp:1;plain.cpp:0;dir\\third.h:3;";

  FileEntryList hostList(3);
  hostList.AppendText("a&b.cpp", 1);
  hostList.AppendText("plain.cpp", 0);
  hostList.AppendText("dir\\third.h", 0xFF);  // only bits 0 and 1 are kept
  set(&hostList);
  CheckText(ListForm(hostList).c_str(), kModuleList, "set leaves the host's list as it was");
  Check(Entry<SaveFileListFn>(host.table, kSaveFileList)(), "save answers true");
  FileEntryList empty;
  set(&empty);

  // Any non-zero byte asks for the project export, which calls back into the host's objects.
  Check(Entry<LoadFileListFn>(host.table, kLoadFileList)(2), "load with export answers true");
  CheckNumber(workspace.projectLoads, 1, "the host takes one project file in");
  Text projectPath(host.listPath);
  CheckText(workspace.projectPath.c_str(), projectPath.Add(".vcproj").c_str(),
            "the project file lies beside the list");
  Check(workspace.projectText.Contains("\"a&amp;b.cpp\"") &&
            workspace.projectText.Contains("\"dir\\third.h\"") &&
            !workspace.projectText.Contains("plain.cpp"),
        "the project file names the files in the project, escaped");
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

  // The loaded list, into a host list that already holds entries in two blocks: replaced from the
  // host's own heap, and freed by the host's own code.
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
}

GROUP void CheckGoToTag(Host& host) {
  Group("go to tag");
  auto lastTag = Entry<GetLastTagFn>(host.table, kGetLastTag);
  TagRecord byPattern;
  byPattern.kind = kTagFunction;
  byPattern.name = "helper";
  byPattern.fileName = host.ide.editor.fileName;
  byPattern.pattern = "^int helper(int x)$$";
  Check(lastTag() == nullptr, "no last tag before any go-to");
  Check(Entry<GoToTagFn>(host.table, kGoToTag)(&byPattern), "go to a tag by its pattern");
  CheckText(host.ide.editor.log.c_str(),
            "Open(C:\\src\\util.cpp,{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF});Move(1,1,0);"
            "Find(int helper(int x),4);Show(0,3,0);End(0);Start(0,-1);",
            "the editor's moves");
  Check(lastTag() == &byPattern, "the last tag is the one gone to");
  CheckNumber(outstandingReferences, 1, "every automation reference taken is released");
}

GROUP void CheckDestruction(Host& host) {
  Group("destruction");
  TolvaneRegDestroy(host.table);
  host.table = nullptr;
  CheckNumber(host.ide.root.references, 0, "the root is released");
  CheckNumber(outstandingReferences, 0, "no automation reference is left");
}

// ---- A shortage of memory: the DLL's allocation imports fail ----

void* WINAPI FailingHeapAlloc(HANDLE, DWORD, SIZE_T) {
  return nullptr;
}
// For malloc, calloc and realloc alike: the caller of a C-convention function takes its
// arguments off the stack, so one that reads none stands in for all three.
void* __cdecl FailingAllocation() {
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

// While it lives, every import of TolvaneReg.dll named in its slots (from whichever library) is
// pointed at its failing replacement.
class MemoryShortage {
 public:
  MemoryShortage() {
    const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleA("TolvaneReg.dll"));
    auto dword = [base](size_t offset) { return *reinterpret_cast<const DWORD*>(base + offset); };
    const size_t optionalHeader = dword(0x3C) + 24;
    const bool pe32Plus = *reinterpret_cast<const WORD*>(base + optionalHeader) == 0x20B;
    const DWORD imports = dword(optionalHeader + (pe32Plus ? 112 : 96) + 8);  // directory 1
    for (size_t at = imports; imports != 0 && dword(at + 12) != 0; at += 20) {
      auto* name =
          reinterpret_cast<const ULONG_PTR*>(base + (dword(at) ? dword(at) : dword(at + 16)));
      auto* address = reinterpret_cast<void**>(const_cast<BYTE*>(base) + dword(at + 16));
      for (; *name != 0; ++name, ++address) {
        if ((*name >> (sizeof(ULONG_PTR) * 8 - 1)) != 0) continue;  // by ordinal
        for (ImportSlot& slot : slots) {
          if (slot.slot != nullptr ||
              !Same(reinterpret_cast<const char*>(base + *name + 2), slot.function)) {
            continue;
          }
          slot.slot = address;
          slot.original = *address;
          WriteSlot(address, slot.replacement);
        }
      }
    }
  }
  ~MemoryShortage() {
    for (const ImportSlot& slot : slots) {
      if (slot.slot != nullptr) WriteSlot(slot.slot, slot.original);
    }
  }

  ImportSlot slots[4] = {{"HeapAlloc", reinterpret_cast<const void*>(&FailingHeapAlloc)},
                         {"malloc", reinterpret_cast<const void*>(&FailingAllocation)},
                         {"calloc", reinterpret_cast<const void*>(&FailingAllocation)},
                         {"realloc", reinterpret_cast<const void*>(&FailingAllocation)}};
};

// In a creation of its own, after the others: a runtime that cannot cope ends the process here.
GROUP void CheckOutOfMemory(Host& host, Workspace& workspace) {
  Group("out of memory");
  if (!host.Create(workspace)) return;
  auto get = Entry<GetFileListFn>(host.table, kGetFileList);
  auto set = Entry<SetFileListFn>(host.table, kSetFileList);
  FileEntryList moduleList;
  moduleList.AppendText("module.cpp", 1);
  set(&moduleList);
  FileEntryList hostList;
  hostList.AppendText("keep1", 1);
  hostList.AppendText("keep2", 0);
  const FileEntryNode* head = hostList.head;
  {
    MemoryShortage shortage;
    Text failed("msvc-host: the DLL's imports made to fail:");
    for (const ImportSlot& slot : shortage.slots) {
      if (slot.slot != nullptr) failed.Add(" ").Add(slot.function);
    }
    Print(failed.Add("\n").c_str());
    Check(shortage.slots[0].slot != nullptr && shortage.slots[1].slot != nullptr,
          "the DLL's HeapAlloc and malloc imports were made to fail");
    get(&hostList);
    set(&hostList);
  }
  Check(hostList.head == head && hostList.count == 2, "get leaves the host's list alone");
  CheckText(ListForm(hostList).c_str(), "keep1:1;keep2:0;", "the host's entries are unchanged");
  FileEntryList copy;
  get(&copy);
  CheckText(ListForm(copy).c_str(), "module.cpp:1;", "set leaves the module's list alone");

  FileSource source(nullptr, 0);  // the dialog's list stays empty
  HostFileSource* sourceWord = &source;
  HostFileKeyArray keyArray{nullptr};
  const int comboIds[] = {1021};
  HWND dialog = MakeDialog(false, 1020, comboIds, 1);
  auto init = Entry<InitFindFileDialogFn>(host.table, kInitFindFileDialog);
  auto close = Entry<CloseFindFileDialogFn>(host.table, kCloseFindFileDialog);
  auto* sentinel = reinterpret_cast<CFindFileEdit*>(uintptr_t(0x5EED));
  auto* listSentinel = reinterpret_cast<CFindFileListCtrl*>(uintptr_t(0xF00D));
  CFindFileEdit* combo = sentinel;
  CFindFileListCtrl* listObject = listSentinel;
  bool opened;
  {
    MemoryShortage shortage;
    opened = init(dialog, kFindFileDialogId, &combo, &listObject, &sourceWord, &keyArray);
  }
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

}  // namespace

int Run(const char* arch) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TolvaneReg");
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
