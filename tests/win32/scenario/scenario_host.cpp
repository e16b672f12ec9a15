// The test host that plays a scenario against the real DLL and its model of what must hold.
// The model knows what the host did and what the module reported; where a failure injected into
// an action leaves two outcomes possible (the entry failed before or after a change), it keeps
// both candidates until the host sees which one it was (a list read back, a combo box, the
// registry after a destruction).
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <tuple>

#include "filelist/file_list_reader.h"
#include "filelist/file_list_writer.h"
#include "filelist/set_aside.h"
#include "harness/export_patch.h"
#include "harness/import_patch.h"
#include "harness/test_dialog.h"
#include "module/loaded_module.h"
#include "scenario/scenario.h"
#include "support/fake_ide.h"
#include "support/fake_records.h"
#include "support/fake_workspace.h"
#include "support/file_entry_list_checks.h"
#include "support/temp_directory.h"

namespace tolvane::testing::scenario {
namespace {

using Items = std::vector<std::string>;
using Entries = std::vector<std::pair<std::string, uint8_t>>;
using Bytes = std::vector<uint8_t>;

// ---- The module's imports: failures injected, handles, keys and hooks counted ----

struct ImportState {
  Fault fault = Fault::kNone;
  int countdown = 0;
  bool once = false;  // only the call the countdown ends at fails
  bool hit = false;   // a failure was injected during the current action
  bool ctrl = false;  // what GetAsyncKeyState tells the module about Ctrl
  std::set<HANDLE> files;
  std::set<HKEY> keys;
  std::map<HHOOK, int> hooks;   // and their kinds
  std::set<std::string> grown;  // values the module found lengthened during the current action
} g;

bool Failing(Fault kind) {
  if (g.fault != kind) return false;
  if (g.countdown > 0) return --g.countdown, false;
  if (g.once) g.fault = Fault::kNone;
  return g.hit = true;
}

LPVOID WINAPI HeapAllocHook(HANDLE heap, DWORD flags, SIZE_T size) {
  return Failing(Fault::kHeap) ? nullptr : ::HeapAlloc(heap, flags, size);
}
void* __cdecl MallocHook(size_t size) {
  return Failing(Fault::kMalloc) ? nullptr : std::malloc(size);
}
BOOL WINAPI WriteFileHook(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                          LPOVERLAPPED overlapped) {
  if (!Failing(Fault::kDiskFull)) return ::WriteFile(file, data, size, written, overlapped);
  if (written != nullptr) *written = 0;
  ::SetLastError(ERROR_DISK_FULL);
  return FALSE;
}
HANDLE WINAPI CreateFileHook(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD flags, HANDLE templateFile) {
  HANDLE file = ::CreateFileA(path, access, share, security, disposition, flags, templateFile);
  if (file != INVALID_HANDLE_VALUE) g.files.insert(file);
  return file;
}
BOOL WINAPI CloseHandleHook(HANDLE handle) {
  g.files.erase(handle);
  return ::CloseHandle(handle);
}
LSTATUS WINAPI RegOpenHook(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY opened) {
  const LSTATUS status = ::RegOpenKeyExA(key, path, options, access, opened);
  if (status == ERROR_SUCCESS) g.keys.insert(*opened);
  return status;
}
LSTATUS WINAPI RegCreateHook(HKEY key, LPCSTR path, DWORD reserved, LPSTR keyClass, DWORD options,
                             REGSAM access, const LPSECURITY_ATTRIBUTES security, PHKEY opened,
                             LPDWORD disposition) {
  const LSTATUS status = ::RegCreateKeyExA(key, path, reserved, keyClass, options, access, security,
                                           opened, disposition);
  if (status == ERROR_SUCCESS) g.keys.insert(*opened);
  return status;
}
LSTATUS WINAPI RegQueryHook(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                            LPDWORD size) {
  // Only a read of the data meets the longer value; the size query before it saw the old one.
  if (data == nullptr || !Failing(Fault::kGrowing)) {
    return ::RegQueryValueExA(key, name, reserved, type, data, size);
  }
  const LSTATUS status = ::RegQueryValueExA(key, name, reserved, type, nullptr, size);
  if (status != ERROR_SUCCESS) return status;
  *size += 16;
  g.grown.insert(name != nullptr ? name : "");
  return ERROR_MORE_DATA;
}
LSTATUS WINAPI RegCloseHook(HKEY key) {
  g.keys.erase(key);
  return ::RegCloseKey(key);
}
HHOOK WINAPI SetHookHook(int type, HOOKPROC procedure, HINSTANCE instance, DWORD thread) {
  if (Failing(Fault::kHook)) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HHOOK hook = ::SetWindowsHookExA(type, procedure, instance, thread);
  if (hook != nullptr) g.hooks[hook] = type;
  return hook;
}
BOOL WINAPI UnhookHook(HHOOK hook) {
  g.hooks.erase(hook);
  return ::UnhookWindowsHookEx(hook);
}
int WINAPI MessageBoxHook(HWND, LPCSTR, LPCSTR, UINT) {
  return IDOK;  // the user reads "not found" and presses OK
}
BOOL WINAPI BeepHook(UINT) {
  return TRUE;
}
SHORT WINAPI KeyStateHook(int key) {
  return key == VK_CONTROL && g.ctrl ? SHORT(-32768) : SHORT(0);
}

struct Hook {
  const char* library;
  const char* function;
  const void* replacement;
};
const Hook kHooks[] = {
    {"kernel32.dll", "HeapAlloc", reinterpret_cast<const void*>(&HeapAllocHook)},
    {"msvcrt.dll", "malloc", reinterpret_cast<const void*>(&MallocHook)},
    {"kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&WriteFileHook)},
    {"kernel32.dll", "CreateFileA", reinterpret_cast<const void*>(&CreateFileHook)},
    {"kernel32.dll", "CloseHandle", reinterpret_cast<const void*>(&CloseHandleHook)},
    {"advapi32.dll", "RegOpenKeyExA", reinterpret_cast<const void*>(&RegOpenHook)},
    {"advapi32.dll", "RegCreateKeyExA", reinterpret_cast<const void*>(&RegCreateHook)},
    {"advapi32.dll", "RegQueryValueExA", reinterpret_cast<const void*>(&RegQueryHook)},
    {"advapi32.dll", "RegCloseKey", reinterpret_cast<const void*>(&RegCloseHook)},
    {"user32.dll", "SetWindowsHookExA", reinterpret_cast<const void*>(&SetHookHook)},
    {"user32.dll", "UnhookWindowsHookEx", reinterpret_cast<const void*>(&UnhookHook)},
    {"user32.dll", "MessageBoxA", reinterpret_cast<const void*>(&MessageBoxHook)},
    {"user32.dll", "MessageBeep", reinterpret_cast<const void*>(&BeepHook)},
    {"user32.dll", "GetAsyncKeyState", reinterpret_cast<const void*>(&KeyStateHook)},
};

// ---- The host's subclasses of its own windows ----

struct HostSubclasses {
  std::map<HWND, WNDPROC> beneath;  // what the host's procedure passes on to
  std::map<HWND, LONG_PTR> top;     // the procedure the host last put there (or the window's own)
  std::map<HWND, LONG_PTR> before;  // the top before the host's subclass
  bool closeOnRefresh = false;      // the Find Tag dialog closes in its refresh handler
  std::function<void()> closeTagDialog;
} h;

LRESULT CALLBACK HostProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = h.beneath.find(hwnd);
  WNDPROC next = found != h.beneath.end() ? found->second : nullptr;
  if (message == WM_USER + 1 && h.closeOnRefresh) {
    h.closeOnRefresh = false;
    h.closeTagDialog();
  }
  if (message == WM_NCDESTROY) h.beneath.erase(hwnd);
  return next != nullptr ? ::CallWindowProcA(next, hwnd, message, wParam, lParam)
                         : ::DefWindowProcA(hwnd, message, wParam, lParam);
}

// ---- The model's pieces ----

std::string Encode(const Items& items) {
  std::string text;
  for (const std::string& item : items) text += item + "|";
  return text;
}

Items AfterAdd(Items items, const std::string& text) {
  if (text.empty()) return items;
  if (items.empty() || items[0] != text) items.insert(items.begin(), text);
  if (items.size() > 256) items.resize(256);
  return items;
}

// One list the module's file list may be now, with what a save of it must respect.
struct HeldList {
  Entries entries;
  bool refused = false;      // a set could not take the host's list in: saves must refuse
  bool keepsStored = false;  // a load found the stored file and did not keep it: a save must not
                             // put this list in its place without setting it aside
  bool operator==(const HeldList&) const = default;
};

// Every value a list may hold now; one once the host has seen which.
struct Candidates {
  std::vector<Items> values{Items{}};
  void Widen(const Items& also) {
    if (std::find(values.begin(), values.end(), also) == values.end()) values.push_back(also);
  }
  bool Resolve(const Items& seen) {
    if (std::find(values.begin(), values.end(), seen) == values.end()) return false;
    values = {seen};
    return true;
  }
};

struct StoredValue {
  bool present = false;
  DWORD type = REG_SZ;
  std::string text;
  bool operator==(const StoredValue&) const = default;
};

const char* const kHistoryKeys[3] = {"FilenameEditList", "TagParentEditList", "TagEditList"};
constexpr int kListIds[2] = {1020, 1050};
constexpr int kComboIds[3] = {1021, 1051, 1052};
constexpr uint32_t kDialogIds[2] = {0x1000, 0x2000};

StoredValue ReadStored(const std::string& section, const std::string& name) {
  StoredValue value;
  value.present = ReadProfileValue(section, name, value.text, &value.type);
  return value;
}

std::string Quoted(const std::string& text) {
  return "\"" +
         (text.size() > 40 ? text.substr(0, 40) + "...(" + std::to_string(text.size()) + ")"
                           : text) +
         "\"";
}
std::string Show(const Items& items) {
  return Quoted(Encode(items)) + " (" + std::to_string(items.size()) + " items)";
}

Items ComboItems(HWND combo) {
  Items items;
  const int count = ::IsWindow(combo) ? int(::SendMessageA(combo, CB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    std::string text(size_t(::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) * 2 + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? size_t(copied) : 0);
    items.push_back(text);
  }
  return items;
}

Entries EntriesOf(const FileEntryList& list) {
  Entries entries;
  for (const FileEntry& entry : list) {
    entries.emplace_back(std::string(entry.name != nullptr ? entry.name : "", entry.nameLength),
                         entry.flags);
  }
  return entries;
}

std::optional<Entries> Decoded(const std::optional<Bytes>& bytes) {
  if (!bytes) return std::nullopt;
  Bytes copy = *bytes;
  FileEntryList list;
  if (!DecodeFileList(copy, list).ok()) return std::nullopt;
  return EntriesOf(list);
}

std::optional<Bytes> ReadAll(HANDLE file) {
  Bytes bytes(::GetFileSize(file, nullptr));
  DWORD got = 0;
  ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  if (!bytes.empty() && !::ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr)) {
    return std::nullopt;
  }
  bytes.resize(got);
  return bytes;
}

std::optional<Bytes> ReadAll(const std::string& path) {
  try {
    return FileExists(path) ? std::optional<Bytes>(ReadBytes(path)) : std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;  // there, but held open by someone sharing nothing
  }
}

// The lists a host hands the module (flags as the host has them; the module keeps bits 0 and 1).
Entries HostList(int which) {
  switch (which) {
    case 1:
      return {{"src\\main.cpp", 1}, {"src\\util.h", 2}, {"readme.txt", 0}};
    case 2:
      return {{"a", 0xFF}, {"b", 0x04}, {"c", 3}};
    case 3:
      return {{"ok.cpp", 0}, {std::string(70000, 'n'), 1}};  // too long to store
    case 4: {
      Entries many;
      for (int i = 0; i < 40; ++i) many.emplace_back("file" + std::to_string(i) + ".cpp", i & 3);
      return many;
    }
    case 5:
      return {{std::string("nul\0byte", 8), 1}, {"", 0}};
    default:
      return {};
  }
}

Entries Kept(Entries entries) {
  for (auto& entry : entries) entry.second &= 3;
  return entries;
}

// Null for 8: a host may hand no text at all, which adds nothing.
std::optional<std::string> HistoryText(int which) {
  static const char* const texts[] = {"", "|", "main.cpp", "a|b", "x||y|", "\xe9t\xe9.h"};
  if (which % 9 == 8) return std::nullopt;
  return which % 9 < 6 ? texts[which % 9] : std::string(which % 9 == 6 ? 300 : 5000, 'L');
}

std::string RegistryText(int which) {
  if (which == 4) {
    std::string many;
    for (int i = 0; i < 300; ++i) many += "i" + std::to_string(i) + "|";
    return many;
  }
  static const char* const texts[] = {"", "a|b|", "one|two||three", "x"};
  return texts[which % 4];
}

struct KeyPress {
  UINT key;
  bool ctrl;
};
constexpr KeyPress kKeys[] = {{VK_UP, false},     {VK_DOWN, false}, {VK_PRIOR, false},
                              {VK_NEXT, false},   {VK_HOME, false}, {VK_END, false},
                              {VK_HOME, true},    {VK_END, true},   {VK_F5, false},
                              {VK_RETURN, false}, {VK_LEFT, false}, {'A', false},
                              {VK_F5, false}};  // the last: the host closes Find Tag on refresh

// ---- The host ----

// A source whose records live for one request: each Record() makes a copy of the key's record
// and ends the one made before, and the host ends the last one once the request is answered.
// An ended record's texts are overwritten before it is freed, so a cell still pointing into one
// shows the wrong text instead of the right one by chance.
class ShortLivedFileSource final : public HostFileSource {
 public:
  HostFileRecord* Record(uint32_t key) override {
    End();
    const auto found = records.find(key);
    if (found == records.end()) return nullptr;
    made_.reset(new (std::nothrow) FakeFileRecord(*found->second));
    return made_.get();
  }
  void End() {
    if (made_ == nullptr) return;
    for (std::string* text : {&made_->title, &made_->extension, &made_->path}) {
      std::fill(text->begin(), text->end(), '~');
    }
    made_.reset();
  }

  std::map<uint32_t, const FakeFileRecord*> records;

 private:
  std::unique_ptr<FakeFileRecord> made_;
};

struct HostDialog {
  std::unique_ptr<TestDialog> window;
  HWND list = nullptr;
  HWND combos[2] = {};
  bool attached = false;  // the module's objects are on its controls
  int rows = 0;           // the list's row count, as the host set it
  // Whether a combo box shows a history a module filled in (and so must not get it again from a
  // module loaded later): set by an opening, cleared by a close; unknown after either failed.
  enum class Shown { kNo, kYes, kMaybe } shown[2] = {};
};

class Host {
 public:
  Host();
  std::string Do(const Action& action);
  std::string Check();
  void Finish();

 private:
  template <typename Fn>
  auto Faulted(Fn call) {  // the action's failure applies to the entry's call only
    g.fault = fault_.fault;
    g.countdown = fault_.after;
    g.once = fault_.once;
    auto result = call();
    g.fault = Fault::kNone;
    return result;
  }
  template <typename Fn>
  Fn Entry(OpsIndex index) const {
    return TableEntry<Fn>(&entries_, index);
  }
  bool CanCall() const { return holds_ && !tables_.empty(); }
  HWND Combo(int history) const {
    const HostDialog& dialog = dialogs_[history == 0 ? 0 : 1];
    return dialog.combos[history == 0 ? 0 : history - 1];
  }
  HWND Window(int which) const;
  // Whether the window's procedure, or the one the host's subclass passes on to, is the module's.
  bool CallsModule(HWND window) const;
  Entries ModuleEntries();
  std::string Create(int kind);
  std::string Destroy(int which);
  std::string Unload();
  std::string Init(int d, int how);
  std::string Close(int d, bool keep);
  void EndHostDialog(int d);
  bool ModuleAnswers(int d);
  std::string Add(int history, const std::optional<std::string>& given);
  std::string ShowCell(int d, bool wide, int row, int column);
  std::string Paint(int d);
  std::string Load(uint8_t exportByte);
  std::string Save();
  std::string Get();
  std::string Set(int which);
  std::string GoTo(int which);
  void Registry(int history, int how);
  void File(int how);
  void FileAction(int how, bool locked);
  // The lists under the list file's set-aside names, ".old" first.
  std::vector<Bytes> SetAsideFiles() const;
  bool InSetAside(const Bytes& bytes) const;

  TestDialog mainWindow_;
  FakeIde ide_;
  std::string directory_, path_;
  FakeWorkspace workspace_;
  // Another IDE with no main window and its workspace, for creations that fail while another is
  // live: the live creation keeps its own.
  FakeIde strayIde_;
  std::string strayPath_ = directory_ + "\\stray.tvef";
  FakeWorkspace strayWorkspace_{strayPath_};
  FakeFileRecord records_[3] = {{"main", "cpp", "c:\\src"},
                                {"Makefile", "", "c:\\"},
                                {"a-title-too-long-to-be-kept-inline", "h", "c:\\a\\long\\path"}};
  ShortLivedFileSource source_;
  HostFileSource* sourceWord_ = &source_;
  uint32_t keys_[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  HostFileKeyArray keyArray_{keys_};
  FakeTagRecord tags_[5];
  HostTagRecord* tagRows_[6] = {};
  HostTagArray tagArray_{tagRows_};

  HMODULE module_ = nullptr;  // while the image is mapped (a pinned module stays)
  bool endedPinned_ = false;  // the module ended and its pinned image stayed
  bool holds_ = false;        // the host's own reference from LoadLibrary
  uintptr_t imageBegin_ = 0, imageEnd_ = 0;
  std::vector<std::unique_ptr<ImportPatch>> patches_;
  CreateFn create_ = nullptr;
  DestroyFn destroy_ = nullptr;
  std::vector<OpsTable*> tables_;
  OpsTable entries_{};  // the last table's: a close may come after the destruction
  bool haveEntries_ = false;
  HostDialog dialogs_[2];
  HANDLE lock_ = INVALID_HANDLE_VALUE;
  Action fault_;
  std::string pending_;  // a problem found inside a nested call

  // The model.
  int moduleTables_ = 0;
  bool rootHeld_ = false;
  Candidates histories_[3];
  bool unread_[3] = {};
  StoredValue registry_[3];
  bool badWidth_[2] = {};
  std::vector<HeldList> list_{HeldList{}};
  std::set<Bytes> setAside_;     // lists the user stored that a set-aside name holds: they stay
  std::optional<Bytes> stored_;  // the list file the user stored last
  HostTagRecord* lastTag_ = nullptr;
};

// A directory of this process's own under the temporary directory.
std::string NewDirectory() {
  char temp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, temp);
  std::string directory =
      std::string(temp) + "tolvane-scenario-" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

Host::Host() : directory_(NewDirectory()), path_(directory_ + "\\files.tvef"), workspace_(path_) {
  ide_.SetMainWindowHandle(mainWindow_.Handle());
  strayIde_.mainWindowAvailable = false;
  ide_.AddFile("c:\\src\\main.cpp", {"#include <stdio.h>", "", "int main(void)", "{", "}"});
  source_.records = {{0, &records_[0]}, {2, &records_[1]}, {5, &records_[2]}};
  tags_[0].name = "main";
  tags_[0].fileName = "c:\\src\\main.cpp";
  tags_[0].line = 3;
  tags_[0].file = &records_[0];
  tags_[1] = tags_[0];
  tags_[1].line = -1;
  tags_[1].pattern = "^int main(void)$";
  tags_[1].parent = &tags_[0];
  tags_[2] = tags_[1];
  tags_[2].pattern = "^int foo(void)$";     // not in the file: the user is told
  tags_[3].fileName = "c:\\src\\gone.cpp";  // does not open
  tags_[3].line = 1;
  tags_[4].name = tags_[4].fileName = tags_[4].pattern = tags_[4].parentName = nullptr;
  tags_[4].nameSpace = nullptr;
  const int rows[6] = {0, 1, -1, 3, 4, 2};
  for (int i = 0; i < 6; ++i) tagRows_[i] = rows[i] < 0 ? nullptr : &tags_[rows[i]];
  h.closeTagDialog = [this] { pending_ += Close(1, true); };
}

HWND Host::Window(int which) const {
  const HostDialog& dialog = dialogs_[which < 3 ? 0 : 1];
  const int part = which < 3 ? which : which - 3;
  if (dialog.window == nullptr) return nullptr;
  return part == 0 ? dialog.window->Handle() : part == 1 ? dialog.list : dialog.combos[part - 2];
}

bool Host::CallsModule(HWND window) const {
  const auto beneath = h.beneath.find(window);
  for (uintptr_t procedure : {uintptr_t(::GetWindowLongPtrA(window, GWLP_WNDPROC)),
                              beneath == h.beneath.end() ? 0 : uintptr_t(beneath->second)}) {
    if (procedure >= imageBegin_ && procedure < imageEnd_) return true;
  }
  return false;
}

Entries Host::ModuleEntries() {
  FileEntryList copy;
  Entry<GetFileListFn>(kGetFileList)(&copy);
  return EntriesOf(copy);
}

std::string Host::Do(const Action& action) {
  fault_ = action;
  g.hit = false;
  g.grown.clear();
  const int a = action.a, b = action.b;
  switch (action.op) {
    case Op::kCreate:
      return Create(a);
    case Op::kDestroy:
      return Destroy(a);
    case Op::kUnload:
      return Unload();
    case Op::kInit:
      return Init(a % 2, b);
    case Op::kClose:
      return Close(a % 2, b != 0);
    case Op::kEndDialog:
      return EndHostDialog(a % 2), "";
    case Op::kAdd:
      return Add(a % 3, HistoryText(b));
    case Op::kKey:
    case Op::kChar: {
      HWND edit = EditFieldOf(Combo(a % 3));
      if (!::IsWindow(edit)) return "";
      const KeyPress key = action.op == Op::kKey ? kKeys[b % 13] : KeyPress{UINT('a' + b), false};
      g.ctrl = key.ctrl;
      h.closeOnRefresh = action.op == Op::kKey && b % 13 == 12;
      const LPARAM data = LPARAM(1u | (::MapVirtualKeyA(key.key, MAPVK_VK_TO_VSC) << 16));
      ::PostMessageA(edit, action.op == Op::kKey ? WM_KEYDOWN : WM_CHAR, key.key, data);
      Faulted([] { return PumpMessages(), 0; });
      g.ctrl = h.closeOnRefresh = false;
      return "";
    }
    case Op::kShow:
      return ShowCell(a / 2 % 2, a % 2 != 0, b % 16 % (a / 2 % 2 ? 6 : 8), b / 16);
    case Op::kRows:
      if (::IsWindow(dialogs_[a % 2].list)) {
        dialogs_[a % 2].rows = std::min(b, a % 2 ? 6 : 8);
        ::SendMessageA(dialogs_[a % 2].list, LVM_SETITEMCOUNT, dialogs_[a % 2].rows, 0);
      }
      return "";
    case Op::kSubclass: {
      HWND window = Window(a % 7);
      if (!::IsWindow(window) || h.beneath.count(window) != 0) return "";
      h.beneath[window] = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProcedure)));
      h.before[window] = h.top[window];
      h.top[window] = reinterpret_cast<LONG_PTR>(&HostProcedure);
      return "";
    }
    case Op::kUnsubclass: {
      HWND window = Window(a % 7);
      // A host takes its procedure out only while it is on top.
      if (h.beneath.count(window) == 0 ||
          ::GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&HostProcedure)) {
        return "";
      }
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(h.beneath[window]));
      // Beneath lies the module's subclass while it is attached: it gives back what it replaced.
      h.top[window] = dialogs_[a % 7 < 3 ? 0 : 1].attached
                          ? h.before[window]
                          : reinterpret_cast<LONG_PTR>(h.beneath[window]);
      h.beneath.erase(window);
      return "";
    }
    case Op::kLoad:
      return Load(uint8_t(a == 2 ? 0x80 : a));
    case Op::kSave:
      return Save();
    case Op::kGet:
      return Get();
    case Op::kSet:
      return Set(a);
    case Op::kGoTo:
      return GoTo(a);
    case Op::kRegistry:
      return Registry(a % 3, b), "";
    case Op::kBadWidth: {
      char section[40];
      std::snprintf(section, sizeof section, "WindowPositions\\ID=0x%08x", kDialogIds[a % 2]);
      WriteProfileString(section, "Sub1", "wide");
      badWidth_[a % 2] = true;
      return "";
    }
    case Op::kMark:
      if (dialogs_[a % 2].window != nullptr) {
        HWND window = dialogs_[a % 2].window->Handle();
        b != 0 ? void(::SetPropA(window, kHighlightMatchesProperty, reinterpret_cast<HANDLE>(1)))
               : void(::RemovePropA(window, kHighlightMatchesProperty));
      }
      return "";
    case Op::kPaint:
      return Paint(a % 2);
    case Op::kFile:
      return File(a), "";
    case Op::kCount:
      break;
  }
  return "";
}

std::string Host::Create(int kind) {
  if (module_ == nullptr) {
    // The host's memory may run out while the module loads: from its start-up code on, the
    // module's malloc is the host's (taken from the C runtime's exports as the loader binds it).
    module_ = Faulted([] {
      ExportPatch mallocExport(::GetModuleHandleA("msvcrt.dll"), "malloc",
                               reinterpret_cast<const void*>(&MallocHook));
      return ::LoadLibraryA("TolvaneReg.dll");
    });
    if (module_ == nullptr) {
      const DWORD error = ::GetLastError();
      if (::GetModuleHandleA("TolvaneReg.dll") != nullptr) {
        return "load: a load that failed left the module loaded";
      }
      if (g.hit) return "";  // the host goes on without the module
      return "load: TolvaneReg.dll does not load (error " + std::to_string(error) + ")";
    }
    for (const Hook& hook : kHooks) {
      patches_.push_back(
          std::make_unique<ImportPatch>(module_, hook.library, hook.function, hook.replacement));
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module_);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        reinterpret_cast<const BYTE*>(module_) + dos->e_lfanew);
    imageBegin_ = reinterpret_cast<uintptr_t>(module_);
    imageEnd_ = imageBegin_ + nt->OptionalHeader.SizeOfImage;
    create_ = reinterpret_cast<CreateFn>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "TolvaneRegCreate")));
    destroy_ = reinterpret_cast<DestroyFn>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "TolvaneRegDestroy")));
    holds_ = true;
  } else if (!holds_) {
    // The pinned image, loaded again. Pinned only as the module ended, its runtime ended too:
    // that load fails, and the host does without the module.
    HMODULE again = ::LoadLibraryA("TolvaneReg.dll");
    if (again == nullptr) return endedPinned_ ? "" : "load: the pinned module does not load again";
    holds_ = true;
  }
  const bool stray = kind == 1 && moduleTables_ > 0;
  ide_.mainWindowAvailable = kind != 1;
  OpsTable* table = Faulted([&] {
    return stray ? create_(strayIde_.RootDispatch(), &strayWorkspace_)
                 : create_(ide_.RootDispatch(), &workspace_);
  });
  ide_.mainWindowAvailable = true;
  if (stray) return table == nullptr ? "" : "create: a table without a main window";
  if (table == nullptr) {
    if (kind == 0 && !g.hit) return "create: no table with nothing failing";
    if (!g.hit) rootHeld_ = true;  // held as given, until a destruction or the unload
    if (g.hit) rootHeld_ = ide_.References("Root") == 1;
    return "";
  }
  if (kind == 1) return "create: a table without a main window";
  tables_.push_back(table);
  entries_ = *table;
  haveEntries_ = true;
  if (moduleTables_++ == 0) {
    for (int i = 0; i < 3; ++i) {
      // A value of another type, or one that kept growing through every read, is never written.
      const bool text = registry_[i].present && registry_[i].type == REG_SZ &&
                        g.grown.count(kHistoryKeys[i]) == 0;
      unread_[i] = registry_[i].present && !text;
      histories_[i].values = {Items{}};
      if (!text) continue;
      Items items;
      const std::string& stored = registry_[i].text;
      size_t start = 0;
      for (size_t bar; (bar = stored.find('|', start)) != std::string::npos; start = bar + 1) {
        items.push_back(stored.substr(start, bar - start));
      }
      if (start < stored.size()) items.push_back(stored.substr(start));
      histories_[i].values = {items};
    }
  }
  rootHeld_ = true;
  return "";
}

std::string Host::Destroy(int which) {
  if (!holds_) return "";
  if (tables_.empty()) {
    destroy_(nullptr);  // a host that never got a table may still pass it back
    if (moduleTables_ == 0) rootHeld_ = false;
    return "";
  }
  OpsTable* table = tables_[size_t(which) % tables_.size()];
  tables_.erase(std::find(tables_.begin(), tables_.end(), table));
  Faulted([&] { return destroy_(table), 0; });
  if (--moduleTables_ == 0) rootHeld_ = false;
  std::string problem;
  for (int i = 0; i < 3; ++i) {
    if (unread_[i]) continue;  // never written over
    const StoredValue now = ReadStored("Config", kHistoryKeys[i]);
    bool known = g.hit && now == registry_[i];  // the write may not have happened
    // Lists whose items hold bars can store alike ("x|", "y|" and "x", "", "y", ""): every
    // candidate the stored text fits stays one.
    std::vector<Items> fitting;
    for (const Items& items : histories_[i].values) {
      if (now == StoredValue{true, REG_SZ, Encode(items)}) fitting.push_back(items);
    }
    if (!fitting.empty()) {
      histories_[i].values = fitting;
      known = true;
    }
    if (!known) {
      problem += std::string("history: destruction stored ") + kHistoryKeys[i] + " as " +
                 Quoted(now.text) + ", the module's list is " + Show(histories_[i].values[0]);
    }
    registry_[i] = now;
  }
  return problem;
}

std::string Host::Unload() {
  if (!holds_) return "";
  ::FreeLibrary(module_);
  holds_ = false;
  haveEntries_ = false;
  tables_.clear();
  if (::GetModuleHandleA("TolvaneReg.dll") == nullptr) {
    for (auto& patch : patches_) patch->ModuleUnloaded();
    patches_.clear();
    module_ = nullptr;
  } else {
    // The image stays when the code is pinned. Pinned before the unload, the module and all it
    // holds live on; pinned while it ended, only the code stays (its root and its window class
    // went with the module object).
    WNDCLASSA windowClass{};
    const bool ended = rootHeld_ ? ide_.References("Root") == 0
                                 : !::GetClassInfoA(module_, kHelperWindowClass, &windowClass);
    if (!ended) return "";
    endedPinned_ = true;
  }
  moduleTables_ = 0;
  rootHeld_ = false;
  for (auto& history : histories_) history.values = {Items{}};
  list_ = {HeldList{}};
  lastTag_ = nullptr;
  for (HostDialog& dialog : dialogs_) dialog.attached = false;
  return "";
}

std::string Host::Init(int d, int how) {
  if (!CanCall()) return "";
  HostDialog& dialog = dialogs_[d];
  if (how != 0 || dialog.window == nullptr || !::IsWindow(dialog.list)) {
    EndHostDialog(d);
    dialog.window = std::make_unique<TestDialog>(how == 2 ? TestDialog::Charset::kUnicode
                                                          : TestDialog::Charset::kAnsi);
    dialog.list = dialog.window->AddList(kListIds[d], LVS_OWNERDATA);
    dialog.rows = 0;
    dialog.shown[0] = dialog.shown[1] = HostDialog::Shown::kNo;
    dialog.combos[0] = dialog.window->AddCombo(kComboIds[d == 0 ? 0 : 1]);
    dialog.combos[1] = d == 0 ? nullptr : dialog.window->AddCombo(kComboIds[2]);
    for (HWND window : {dialog.window->Handle(), dialog.list, dialog.combos[0], dialog.combos[1]}) {
      if (window != nullptr) h.top[window] = ::GetWindowLongPtrA(window, GWLP_WNDPROC);
    }
  }
  const Items before[2] = {ComboItems(dialog.combos[0]), ComboItems(dialog.combos[1])};
  const bool wasAttached = dialog.attached;
  const bool opened = Faulted([&] {
    if (d == 0) {
      return Entry<InitFindFileDialogFn>(kInitFindFileDialog)(
          dialog.window->Handle(), kDialogIds[0], nullptr, nullptr, &sourceWord_, &keyArray_);
    }
    return Entry<InitFindTagDialogFn>(kInitFindTagDialog)(dialog.window->Handle(), kDialogIds[1],
                                                          nullptr, nullptr, nullptr, &tagArray_);
  });
  std::string problem;
  for (int c = 0; c < (d == 0 ? 1 : 2); ++c) {
    Candidates& history = histories_[d == 0 ? 0 : c + 1];
    // Opened again without a close: what the earlier opening's combo box held is its history.
    if (wasAttached) opened ? void(history.values = {before[c]}) : history.Widen(before[c]);
    // Items already in a combo box no opening of the module holds are the host's: they stay,
    // ahead of the history.
    const Items kept = wasAttached ? Items{} : before[c];
    Items shown = ComboItems(dialog.combos[c]);
    const HostDialog::Shown mark = wasAttached ? HostDialog::Shown::kNo : dialog.shown[c];
    if (!opened) {
      // A failed opening takes back what it filled in: a combo box shows what it showed, with
      // its mark, or, opened again without a close, nothing (the earlier opening's items went
      // to the history, their mark with them). An earlier opening's empty combo box may keep
      // its mark.
      const bool asBefore = shown == before[c];
      const bool emptied = wasAttached && shown.empty();
      if (!asBefore && !emptied) {
        problem += "history: a failed opening left combo box " + std::to_string(kComboIds[d + c]) +
                   " showing " + Show(shown) + ", where it showed " + Show(before[c]) + ". ";
      }
      if (!asBefore) {
        dialog.shown[c] = emptied ? HostDialog::Shown::kNo : HostDialog::Shown::kMaybe;
      } else if (wasAttached) {
        dialog.shown[c] = shown.empty() ? HostDialog::Shown::kMaybe : HostDialog::Shown::kYes;
      }
      continue;
    }
    dialog.shown[c] = HostDialog::Shown::kYes;
    // A history an earlier load showed is not filled in again; the close takes it back.
    if (mark != HostDialog::Shown::kNo && shown == kept) continue;
    if (mark == HostDialog::Shown::kYes) {
      problem += "history: combo box " + std::to_string(kComboIds[d + c]) +
                 " got again the history an earlier load showed: " + Show(shown) + ". ";
      continue;
    }
    const bool keptAhead =
        shown.size() >= kept.size() && std::equal(kept.begin(), kept.end(), shown.begin());
    if (keptAhead) shown.erase(shown.begin(), shown.begin() + long(kept.size()));
    if (!keptAhead || !history.Resolve(shown)) {
      problem += "history: the opened dialog's combo box " + std::to_string(kComboIds[d + c]) +
                 " shows " + Show(shown) + ", its history is " + Show(history.values[0]) + ". ";
    }
  }
  if (!opened && !g.hit) problem += "init: failed with nothing failing";
  // A failed init may have failed before it let go of the earlier opening, or after.
  dialog.attached = opened || (wasAttached && ModuleAnswers(d));
  return problem;
}

// Whether the module answers the dialog's list (a row whose cell has a text), sent to the dialog
// as the list sends it: the list's own procedure is not involved.
bool Host::ModuleAnswers(int d) {
  char buffer[8] = "host";
  NMLVDISPINFOA info{};
  info.hdr = {dialogs_[d].list, UINT_PTR(kListIds[d]), UINT(LVN_GETDISPINFOA)};
  info.item.mask = LVIF_TEXT;
  info.item.iSubItem = d == 0 ? 1 : 3;  // row 0: a file with a path, a tag with a name
  info.item.pszText = buffer;
  info.item.cchTextMax = sizeof buffer;
  ::SendMessageA(dialogs_[d].window->Handle(), WM_NOTIFY, kListIds[d],
                 reinterpret_cast<LPARAM>(&info));
  return info.item.pszText != buffer;
}

std::string Host::Close(int d, bool keep) {
  if (!holds_ || !haveEntries_) return "";
  HostDialog& dialog = dialogs_[d];
  const Items before[2] = {ComboItems(dialog.combos[0]), ComboItems(dialog.combos[1])};
  const bool alive[2] = {::IsWindow(dialog.combos[0]) != FALSE,
                         ::IsWindow(dialog.combos[1]) != FALSE};
  const bool closed = Faulted([&] {
    return Entry<CloseFindFileDialogFn>(d == 0 ? kCloseFindFileDialog : kCloseFindTagDialog)();
  });
  std::string problem;
  if (!closed && !g.hit) problem = "close: failed with nothing failing";
  for (int c = 0; c < (d == 0 ? 1 : 2) && dialog.attached && alive[c]; ++c) {
    Candidates& history = histories_[d == 0 ? 0 : c + 1];
    closed ? void(history.values = {before[c]}) : history.Widen(before[c]);
    // A close that failed with the items still there left the mark with them.
    const bool itemsStayed = !before[c].empty() && ComboItems(dialog.combos[c]) == before[c];
    dialog.shown[c] = closed        ? HostDialog::Shown::kNo
                      : itemsStayed ? HostDialog::Shown::kYes
                                    : HostDialog::Shown::kMaybe;
  }
  if (closed && dialog.attached && ::IsWindow(dialog.list)) {
    problem += "close: the module left the list it was lent";
  }
  if (closed) dialog.attached = false;
  if (!keep) EndHostDialog(d);
  return problem;
}

void Host::EndHostDialog(int d) {
  HostDialog& dialog = dialogs_[d];
  if (dialog.window == nullptr) return;
  for (HWND window : {dialog.window->Handle(), dialog.list, dialog.combos[0], dialog.combos[1]}) {
    h.top.erase(window);
  }
  dialog.window.reset();
  dialog.attached = false;
}

std::string Host::Add(int history, const std::optional<std::string>& given) {
  const std::string text = given.value_or("");
  if (!CanCall()) return "";
  HWND combo = Combo(history);
  const HostDialog& dialog = dialogs_[history == 0 ? 0 : 1];
  const Items before = ComboItems(combo);
  const OpsIndex entry = history == 0   ? kAddFilenameHistory
                         : history == 1 ? kAddTagParentHistory
                                        : kAddTagHistory;
  Faulted([&] { return Entry<AddHistoryFn>(entry)(given ? text.c_str() : nullptr), 0; });
  const Items expected = dialog.attached && ::IsWindow(combo) ? AfterAdd(before, text) : before;
  const Items now = ComboItems(combo);
  if (now == expected || (g.hit && now == before)) return "";
  return "add: combo box " + std::to_string(kComboIds[history]) + " holds " + Show(now) +
         ", expected " + Show(expected);
}

std::string Host::ShowCell(int d, bool wide, int row, int column) {
  const HostDialog& dialog = dialogs_[d];
  if (!::IsWindow(dialog.list)) return "";
  char narrow[8] = "host";
  wchar_t buffer[8] = L"host";
  NMLVDISPINFOW info{};  // the narrow request has the same layout up to the text pointer's type
  info.hdr = {dialog.list, UINT_PTR(kListIds[d]),
              wide ? UINT(LVN_GETDISPINFOW) : UINT(LVN_GETDISPINFOA)};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = row;
  info.item.iSubItem = d == 0 ? column % 2 : column % 6;
  info.item.pszText = wide ? buffer : reinterpret_cast<wchar_t*>(narrow);
  info.item.cchTextMax = 8;
  Faulted([&] {
    return ::SendMessageA(dialog.window->Handle(), WM_NOTIFY, kListIds[d],
                          reinterpret_cast<LPARAM>(&info));
  });
  source_.End();  // the request is answered: its record is gone, the cell's text must not be
  const bool untouched = info.item.pszText == (wide ? buffer : reinterpret_cast<wchar_t*>(narrow));
  // Rows without a record, and requests the module does not see, keep the control's text.
  const auto found = d == 0 ? source_.records.find(keys_[row]) : source_.records.end();
  if (!dialog.attached || (d == 0 && found == source_.records.end())) {
    return untouched ? "" : "display: a text for a row the module cannot answer";
  }
  if (d == 1 || g.hit) return "";  // a failed request keeps the control's text
  const FakeFileRecord* record = found->second;
  std::string expected = record->path;
  if (info.item.iSubItem == 0) {
    expected = record->title + (record->extension.empty() ? "" : "." + record->extension);
  }
  char text[512] = "";
  if (wide && !untouched) {
    ::WideCharToMultiByte(CP_ACP, 0, info.item.pszText, -1, text, sizeof text, nullptr, nullptr);
  } else if (!untouched) {
    std::snprintf(text, sizeof text, "%s", reinterpret_cast<const char*>(info.item.pszText));
  }
  return text == expected ? "" : "display: " + Quoted(text) + " for " + Quoted(expected);
}

// What the list draws is not checked here (find_list_highlight_test): that painting, highlighted or
// not, under the host's faults and subclasses, leaves every other check holding.
std::string Host::Paint(int d) {
  const HostDialog& dialog = dialogs_[d];
  if (!::IsWindow(dialog.list)) return "";
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 400, 240);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  Faulted([&] {
    return ::SendMessageW(dialog.list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                          PRF_CLIENT | PRF_ERASEBKGND);
  });
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return "";
}

std::string Host::Load(uint8_t exportByte) {
  if (!CanCall()) return "";
  const bool loaded = Faulted([&] { return Entry<LoadFileListFn>(kLoadFileList)(exportByte); });
  if (!loaded) {
    if (!workspace_.hasPath && !g.hit) return "file list: a load of a null path failed";
    // Whatever the load left, the file it found stays the user's until a set replaces the list.
    std::vector<HeldList> after;
    for (const HeldList& held : list_) {
      if (g.hit) after.push_back({held.entries, held.refused, true});  // before it read
      after.push_back({Entries{}, held.refused, true});
    }
    // Read in full, then out of memory in the export: the file's entries stay.
    if (g.hit && Decoded(stored_)) after.push_back({*Decoded(stored_), false, false});
    list_ = after;
    return "";
  }
  // A load that reports success hands over the list the user stored last (none for no path).
  const Entries expected = workspace_.hasPath ? Decoded(stored_).value_or(Entries{}) : Entries{};
  const Entries now = ModuleEntries();
  list_ = {{now}};
  if (now == expected) return "";
  return "file list: a load reported success with " + std::to_string(now.size()) +
         " entries; the list last stored has " + std::to_string(expected.size());
}

std::string Host::Save() {
  if (!CanCall()) return "";
  const DWORD attributes = ::GetFileAttributesA(path_.c_str());
  const bool readOnly =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  const bool refused =
      std::any_of(list_.begin(), list_.end(), [](const HeldList& held) { return held.refused; });
  if (!Faulted([&] { return Entry<SaveFileListFn>(kSaveFileList)(); })) {
    // Nothing in its way: the host's own lock, a read-only file, a refused set, no path.
    if (g.hit || lock_ != INVALID_HANDLE_VALUE || readOnly || refused || !workspace_.hasPath)
      return "";
    return "file list: a save failed with nothing in its way";
  }
  if (!workspace_.hasPath) return "file list: a save to a null path reported success";
  const std::optional<Bytes> file = lock_ != INVALID_HANDLE_VALUE ? ReadAll(lock_) : ReadAll(path_);
  const std::optional<Entries> written = Decoded(file);
  if (!written) return "file list: a save reported success and left no readable list";
  // A name longer than a record holds is stored as its longest prefix.
  const auto storable = [](Entries entries) {
    for (auto& entry : entries) entry.first.resize(std::min<size_t>(entry.first.size(), 65535));
    return entries;
  };
  std::vector<HeldList> matching;
  for (const HeldList& held : list_) {
    if (storable(held.entries) == *written) matching.push_back(held);
  }
  if (matching.empty()) {
    return "file list: a save wrote " + std::to_string(written->size()) +
           " entries the module never held";
  }
  if (std::all_of(matching.begin(), matching.end(),
                  [](const HeldList& held) { return held.refused; })) {
    return "file list: a save reported success with the list a failed set left";
  }
  const bool mustKeep = std::all_of(matching.begin(), matching.end(),
                                    [](const HeldList& held) { return held.keepsStored; });
  if (mustKeep && stored_ && file != stored_ && !InSetAside(*stored_)) {
    return "file list: a save wrote over the list a load found and did not keep";
  }
  list_.clear();
  for (const HeldList& held : matching) {
    if (!held.refused) list_.push_back({held.entries});
  }
  stored_ = file;
  return FileExists(path_ + ".new") ? "file list: a save left its .new file" : "";
}

std::string Host::Get() {
  if (!CanCall()) return "";
  FileEntryList copy(3);
  copy.AppendText("host-own", 1);
  const Entries before = EntriesOf(copy);
  const FileEntryBlock* held = copy.blocks;
  Faulted([&] { return Entry<GetFileListFn>(kGetFileList)(&copy), 0; });
  const Entries now = EntriesOf(copy);
  if (!ListShapeProblem(copy).empty()) return "file list: get " + ListShapeProblem(copy);
  // As the header tells a host: a failed copy leaves the list with the block it held.
  if (copy.blocks == held) {
    if (now != before) return "file list: a get that kept the host's block changed its list";
    return g.hit ? "" : "file list: a get with nothing failing kept the host's list";
  }
  std::vector<HeldList> matching;
  for (const HeldList& candidate : list_) {
    if (candidate.entries == now) matching.push_back(candidate);
  }
  if (!matching.empty()) {
    list_ = matching;
    return "";
  }
  return "file list: get gave " + std::to_string(now.size()) + " entries, not the module's list";
}

std::string Host::Set(int which) {
  if (!CanCall()) return "";
  const Entries entries = HostList(which);
  FileEntryList source(4);
  for (const auto& [name, flags] : entries)
    source.AppendName(name.data(), uint32_t(name.size()), flags);
  Faulted([&] { return Entry<SetFileListFn>(kSetFileList)(&source), 0; });
  if (EntriesOf(source) != Kept(entries)) return "file list: set changed the host's list";
  // A set that failed leaves the list as it was, refused to saves.
  if (g.hit) {
    for (HeldList& held : list_) held.refused = true;
    list_.push_back({Kept(entries)});
  } else {
    list_ = {{Kept(entries)}};
  }
  return "";
}

std::string Host::GoTo(int which) {
  if (!CanCall()) return "";
  HostTagRecord* tag = which < 5 ? &tags_[which] : nullptr;
  const bool reached = Faulted([&] { return Entry<GoToTagFn>(kGoToTag)(tag); });
  HostTagRecord* last = Entry<GetLastTagFn>(kGetLastTag)();
  std::string problem;
  if (reached ? last != tag : last != lastTag_ && last != nullptr) {
    problem = "go to tag: the last tag is neither the tag, the one before nor none";
  }
  lastTag_ = last;
  return problem;
}

void Host::Registry(int history, int how) {
  const std::string path = "Software\\TolvaneReg\\Config";
  HKEY key = nullptr;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
  StoredValue& value = registry_[history];
  if (how == 0) {
    ::RegDeleteValueA(key, kHistoryKeys[history]);
    value = {};
  } else if (how == 1) {
    const DWORD number = 7;
    ::RegSetValueExA(key, kHistoryKeys[history], 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&number), sizeof number);
    value = {true, REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
  } else {
    value = {true, REG_SZ, RegistryText(how - 2)};
    ::RegSetValueExA(key, kHistoryKeys[history], 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(value.text.c_str()),
                     DWORD(value.text.size() + 1));
  }
  ::RegCloseKey(key);
}

std::vector<Bytes> Host::SetAsideFiles() const {
  std::vector<Bytes> files;
  for (int number = 0; number < 64 && FileExists(SetAsideName(path_, number)); ++number) {
    if (std::optional<Bytes> bytes = ReadAll(SetAsideName(path_, number))) files.push_back(*bytes);
  }
  return files;
}

bool Host::InSetAside(const Bytes& bytes) const {
  const std::vector<Bytes> files = SetAsideFiles();
  return std::find(files.begin(), files.end(), bytes) != files.end();
}

void Host::File(int how) {
  const bool locked = lock_ != INVALID_HANDLE_VALUE;
  const std::optional<Bytes> before = stored_;
  FileAction(how, locked);
  // The file the user stores anew is not the one a load found.
  if (stored_ != before) {
    for (HeldList& held : list_) held.keepsStored = false;
  }
}

void Host::FileAction(int how, bool locked) {
  if (how == 8) {  // the ".old" name taken: a read-only file there stays, or a folder comes
    const std::string old = SetAsideName(path_, 0);
    FileExists(old) ? void(::SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY))
                    : void(::CreateDirectoryA(old.c_str(), nullptr));
  } else if (how == 9) {  // the workspace gives a null path, or its path again
    workspace_.hasPath = !workspace_.hasPath;
  } else if (how == 3 && !locked) {  // the host holds the file open, sharing nothing
    lock_ = ::CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  } else if (how == 4 && locked) {
    ::CloseHandle(lock_);
    lock_ = INVALID_HANDLE_VALUE;
  } else if (how == 5 && !locked && FileExists(path_)) {
    ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
  } else if (how == 6 && !locked) {
    ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  } else if (!locked && how < 3) {
    ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::optional<Bytes> bytes = ReadAll(path_);
    if (how == 2) {  // deleted: the user's list goes when the file held it (a ".old" stays)
      ::DeleteFileA(path_.c_str());
      if (bytes == stored_) stored_.reset();
      return;
    }
    if (how == 1 && (!bytes || bytes->size() < 3)) return;
    if (how == 1) bytes->resize(bytes->size() - 2);
    if (how == 0) bytes = Bytes{'J', 'U', 'N', 'K', 1, 0, 2};
    WriteBytes(path_, *bytes);
    stored_ = bytes;  // an unreadable file is still the user's: it is set aside, never lost
  } else if (!locked && how == 7) {
    ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    FileEntryList list;
    list.AppendText("main.cpp", 1);
    list.AppendText("lib\\util.cpp", 3);
    Bytes bytes;
    EncodeFileList(list, bytes);
    WriteBytes(path_, bytes);
    stored_ = bytes;
  }
}

std::string Host::Check() {
  std::string problem;
  problem.swap(pending_);
  if (!problem.empty()) return problem;
  if (HelperWindowsOf(mainWindow_.Handle()) != 0) return "helper window: left after the loop ran";
  if (!g.files.empty()) return "handles: a file the module opened is still open";
  if (!g.keys.empty()) return "handles: a registry key the module opened is still open";
  // A message hook while a combo box is attached, and no hook of another kind.
  const bool combos = (dialogs_[0].attached && ::IsWindow(dialogs_[0].combos[0])) ||
                      (dialogs_[1].attached &&
                       (::IsWindow(dialogs_[1].combos[0]) || ::IsWindow(dialogs_[1].combos[1])));
  const auto messageHooks = std::count_if(g.hooks.begin(), g.hooks.end(), [](const auto& hook) {
    return hook.second == WH_GETMESSAGE;
  });
  if (messageHooks != (combos ? 1 : 0)) {
    return "hooks: " + std::to_string(messageHooks) + " message hooks set while the module's " +
           "combo boxes " + (combos ? "are attached" : "are not");
  }
  if (g.hooks.size() != static_cast<std::size_t>(messageHooks)) return "hooks: another kind set";
  for (int which = 0; which < 7; ++which) {
    HWND window = Window(which);
    if (!::IsWindow(window) || dialogs_[which < 3 ? 0 : 1].attached) continue;
    const LONG_PTR now = ::GetWindowLongPtrA(window, GWLP_WNDPROC);
    if (now != h.top[window]) {
      return "subclass: host window " + std::to_string(which) +
             " has a procedure the host never put there";
    }
    if (module_ == nullptr && CallsModule(window)) {
      return "subclass: host window " + std::to_string(which) + " calls the unloaded module";
    }
  }
  for (const HostDialog& dialog : dialogs_) {
    // A list the module has let go of answers as itself, through whatever the host put on it.
    if (!dialog.attached && ::IsWindow(dialog.list) &&
        ::SendMessageA(dialog.list, LVM_GETITEMCOUNT, 0, 0) != dialog.rows) {
      return "subclass: a list the module let go of no longer reaches its own procedure";
    }
  }
  for (const auto& [name, count] : ide_.ReferenceSnapshot()) {
    if (count != (name == "Root" && rootHeld_ ? 1 : 0)) {
      return "references: " + name + " holds " + std::to_string(count);
    }
  }
  for (int i = 0; i < 3; ++i) {
    const StoredValue now = ReadStored("Config", kHistoryKeys[i]);
    if (!(now == registry_[i])) {
      return std::string("history: ") + kHistoryKeys[i] + " is " + Quoted(now.text) +
             (now.type == REG_SZ ? "" : " (not a text)") + ", expected " +
             Quoted(registry_[i].text);
    }
  }
  for (int d = 0; d < 2; ++d) {
    char section[40];
    std::snprintf(section, sizeof section, "WindowPositions\\ID=0x%08x", kDialogIds[d]);
    if (badWidth_[d] && !(ReadStored(section, "Sub1") == StoredValue{true, REG_SZ, "wide"})) {
      return "column width: a stored value that could not be read was written over";
    }
  }
  const std::vector<Bytes> asides = SetAsideFiles();
  if (stored_) {
    const std::optional<Bytes> file =
        lock_ != INVALID_HANDLE_VALUE ? ReadAll(lock_) : ReadAll(path_);
    if (file != stored_) {
      if (std::find(asides.begin(), asides.end(), *stored_) == asides.end()) {
        return "file list: the list stored last (" + std::to_string(stored_->size()) +
               " bytes) is neither in the file nor set aside";
      }
      setAside_.insert(*stored_);
    }
  }
  for (const Bytes& kept : setAside_) {
    if (std::find(asides.begin(), asides.end(), kept) == asides.end()) {
      return "file list: a list set aside earlier (" + std::to_string(kept.size()) +
             " bytes) is gone";
    }
  }
  if (FileExists(path_ + ".vcproj")) return "export: the project file was left behind";
  for (const auto& [name, count] : strayIde_.ReferenceSnapshot()) {
    if (count != 0) return "create: a failed creation's " + name + " is held";
  }
  if (FileExists(strayPath_)) return "create: a failed creation's workspace was written to";
  return "";
}

void Host::Finish() {
  if (lock_ != INVALID_HANDLE_VALUE) ::CloseHandle(lock_);
  for (const std::string& path : {path_, strayPath_}) {
    std::vector<std::string> files = {path, path + ".new", path + ".vcproj"};
    for (int number = 0; number < 64; ++number) files.push_back(SetAsideName(path, number));
    for (const std::string& file : files) {
      ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(file.c_str()) || ::RemoveDirectoryA(file.c_str());
    }
  }
  ::RemoveDirectoryA(directory_.c_str());
  ClearModuleProfile();
}

}  // namespace

Outcome Play(const std::vector<Action>& actions, Until until) {
  ClearModuleProfile();
  // Never deleted: a module pinned by a buried subclass lets go of the fake IDE's root only at
  // the process's end.
  auto* host = new Host;
  Outcome outcome;
  size_t played = 0;
  bool unfired = false;
  for (; played < actions.size() && outcome.ok && !unfired; ++played) {
    const Action& action = actions[played];
    std::string problem = host->Do(action);
    unfired = until == Until::kUnfiredFault && action.fault != Fault::kNone && !g.hit;
    PumpMessages();  // the host's loop runs between its actions
    if (problem.empty()) problem = host->Check();
    if (!problem.empty()) outcome = {false, int(played), problem};
    std::printf("STEP %zu\n", played);  // a crash in the next action shows after this line
    std::fflush(stdout);
  }
  if (outcome.ok) outcome.step = int(played);
  host->Finish();
  return outcome;
}

}  // namespace tolvane::testing::scenario
