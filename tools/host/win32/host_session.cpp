#include "host_session.h"

#include <commctrl.h>

#include <sstream>

#include "automation_model.h"
#include "ctags_tag.h"
#include "workspace_scan.h"

namespace tolvane::host {

namespace fs = std::filesystem;

namespace {

// The message box that the module may show during go-to-tag is modal; in script mode a thread
// timer, which its modal loop still runs, reads its text and presses OK.
std::string* g_messageBoxText = nullptr;

BOOL CALLBACK CloseOneMessageBox(HWND window, LPARAM) {
  char className[16] = "";
  ::GetClassNameA(window, className, int(sizeof className));
  if (std::string(className) != "#32770" || !::IsWindowVisible(window)) return TRUE;
  if (::GetDlgItem(window, 0xFFFF) == nullptr) return TRUE;  // a Find dialog, not a message box
  char text[1024] = "";
  ::GetDlgItemTextA(window, 0xFFFF, text, int(sizeof text));
  if (g_messageBoxText != nullptr) *g_messageBoxText = text;
  ::PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK CloseMessageBoxTimer(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), CloseOneMessageBox, 0);
}

std::string ReadWholeFile(const fs::path& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = bool(in);
  std::ostringstream text;
  if (ok) text << in.rdbuf();
  return text.str();
}

}  // namespace

HostSession::HostSession(HINSTANCE instance, HostOptions options)
    : instance_(instance), options_(std::move(options)) {}

HostSession::~HostSession() {
  Shutdown();
}

void HostSession::Log(const std::string& line) {
  if (log_.is_open()) log_ << line << "\n" << std::flush;
}

bool HostSession::Start() {
  if (!options_.outDir.empty())
    log_.open(options_.outDir / "host-log.txt", std::ios::binary | std::ios::trunc);
  std::error_code error;
  if (!fs::is_directory(options_.workspace, error)) {
    error_ = "the workspace folder " + options_.workspace.string() + " does not exist";
    return false;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  if (!editor_.Create(instance_)) {
    error_ = "cannot create the main window";
    return false;
  }
  editor_.OnCommand([this](UINT command) { OnMenu(command); });
  if (!module_.Load()) {
    error_ = module_.Error();
    return false;
  }
  root_ = CreateAutomationRoot(editor_);
  workspace_ = std::make_unique<WorkspaceModel>(options_.workspace);
  if (!module_.Create(root_, workspace_.get())) {
    error_ = module_.Error();
    return false;
  }
  findFile_ = std::make_unique<FindFileDialog>(module_, editor_.Handle(), files_, editor_,
                                               options_.workspace);
  findTag_ = std::make_unique<FindTagDialog>(
      module_, editor_.Handle(), tags_, [this] { return ReloadTags(); },
      [this](HostTagRecord* tag) { return GoToTag(tag); });
  OpenWorkspace();
  ReloadTags();
  ::SetWindowTextA(editor_.Handle(), ("Tolvane host - " + options_.workspace.string()).c_str());
  return true;
}

void HostSession::OpenWorkspace() {
  const fs::path listFile = workspace_->FileListPath();
  std::error_code error;
  fs::create_directories(workspace_->StateFolder(), error);
  if (fs::exists(listFile, error)) {
    // Later runs: the module reads its file and hands the host the project it describes.
    if (module_.Entry<LoadFileListFn>(kLoadFileList)(true)) {
      FileEntryList list;
      module_.Entry<GetFileListFn>(kGetFileList)(&list);
      files_.Assign(list);
      std::size_t inProject = 0;
      for (const FileEntry& entry : list) {
        const FileFlags* flags = workspace_->Flags().Get(EntryName(entry));
        if (flags != nullptr && flags->InProject()) ++inProject;
      }
      Log("workspace: loaded " + std::to_string(list.count) + " files from " + listFile.string() +
          "; project fragment named " + std::to_string(workspace_->ProjectFileCount()) +
          " files; " + std::to_string(inProject) + " files marked in project");
      return;
    }
    Log("workspace: " + listFile.string() + " could not be read; scanning again");
  }
  const auto names = ScanWorkspace(options_.workspace);
  FileEntryList list;
  if (!FillFileEntryList(names, list)) {
    Log("workspace: no memory for a list of " + std::to_string(names.size()) + " files");
    return;
  }
  module_.Entry<SetFileListFn>(kSetFileList)(&list);
  const bool saved = module_.Entry<SaveFileListFn>(kSaveFileList)();
  files_.Assign(names);
  for (const std::string& name : names) {
    workspace_->Flags().Add(name);
    workspace_->Flags().Find(name.c_str())->SetFirstFlag(true);
  }
  Log("workspace: scanned " + std::to_string(names.size()) + " files; " +
      (saved ? "saved " : "could not save ") + listFile.string());
}

fs::path HostSession::TagsFilePath() const {
  if (options_.tagsFile) return *options_.tagsFile;
  std::error_code error;
  const fs::path inState = options_.workspace / ".tolvane" / "tags";
  return fs::exists(inState, error) ? inState : options_.workspace / "tags";
}

std::size_t HostSession::ReloadTags() {
  const fs::path path = TagsFilePath();
  bool ok = false;
  const std::string text = ReadWholeFile(path, ok);
  if (!ok) {
    Log("tags: no tags file at " + path.string());
    tags_.Assign({}, {});
    return 0;
  }
  tags_.Assign(ParseTagsText(text), {path.parent_path(), options_.workspace});
  Log("tags: " + std::to_string(tags_.Size()) + " tags from " + path.string());
  return tags_.Size();
}

std::string HostSession::GoToTag(HostTagRecord* tag) {
  lastMessageBox_.clear();
  UINT_PTR timer = 0;
  if (closeMessageBoxes_) {
    g_messageBoxText = &lastMessageBox_;
    timer = ::SetTimer(nullptr, 0, 250, CloseMessageBoxTimer);
  }
  const bool reached = module_.Entry<GoToTagFn>(kGoToTag)(tag);
  if (timer != 0) ::KillTimer(nullptr, timer);
  g_messageBoxText = nullptr;
  if (!lastMessageBox_.empty()) {
    std::string shown = lastMessageBox_;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
    Log("message box: " + shown);
  }
  if (!reached) return "not found";
  ::SetFocus(editor_.Handle());
  return "line " + std::to_string(editor_.CaretLine());
}

FindDialog* HostSession::OpenDialog() {
  if (findFile_ && findFile_->IsOpen()) return findFile_.get();
  if (findTag_ && findTag_->IsOpen()) return findTag_.get();
  return nullptr;
}

void HostSession::OnMenu(UINT command) {
  switch (command) {
    case kCommandFindFile:
    case kCommandFindTag: {
      FindDialog* open = OpenDialog();
      FindDialog* wanted =
          command == kCommandFindFile ? static_cast<FindDialog*>(findFile_.get()) : findTag_.get();
      if (open != nullptr && open != wanted) open->Close();
      wanted->Open();
      break;
    }
    case kCommandLastTag: {
      HostTagRecord* last = module_.Entry<GetLastTagFn>(kGetLastTag)();
      if (last != nullptr) GoToTag(last);
      break;
    }
    case kCommandExit:
      quit_ = true;
      ::PostQuitMessage(0);
      break;
  }
}

void HostSession::Dispatch(MSG& message) {
  if (message.hwnd != nullptr &&
      ::TranslateAcceleratorW(editor_.Handle(), editor_.Accelerators(), &message)) {
    return;
  }
  // Dialog keys (Enter, Escape, Tab) for the open Find dialog; the module's hook has already had
  // its look at the message while it was being retrieved.
  if (FindDialog* dialog = OpenDialog();
      dialog != nullptr && ::IsDialogMessageA(dialog->Handle(), &message)) {
    return;
  }
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

bool HostSession::Pump() {
  MSG message;
  // A few rounds: handling one message often posts the next (refilter, close, go to tag).
  for (int round = 0; round < 4; ++round) {
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return false;
      Dispatch(message);
    }
    ::Sleep(15);
  }
  return !quit_;
}

int HostSession::RunInteractive() {
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void HostSession::Shutdown() {
  if (FindDialog* dialog = OpenDialog()) dialog->Close();
  const bool created = module_.Table() != nullptr;
  module_.Destroy();
  if (root_ != nullptr) root_->Release();
  root_ = nullptr;
  if (created) {
    // Every reference the module took on the host's automation objects has been given back.
    Log("shutdown: " + std::to_string(AutomationObjectsAlive()) + " automation objects alive");
  }
  if (editor_.Handle() != nullptr && ::IsWindow(editor_.Handle())) {
    ::DestroyWindow(editor_.Handle());
  }
}

}  // namespace tolvane::host
