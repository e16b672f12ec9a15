// One run of the host: its editor window, the module and its table, the workspace with its file
// list and tags, the two Find dialogs, and the message loop they all share.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "editor_window.h"
#include "file_catalog.h"
#include "find_file_dialog.h"
#include "find_tag_dialog.h"
#include "module_link.h"
#include "tag_catalog.h"
#include "workspace_model.h"

namespace tolvane::host {

struct HostOptions {
  std::filesystem::path workspace;
  std::optional<std::filesystem::path>
      tagsFile;  // default: WORKSPACE/.tolvane/tags or WORKSPACE/tags
  std::optional<std::filesystem::path> script;
  std::filesystem::path outDir;
};

class HostSession {
 public:
  HostSession(HINSTANCE instance, HostOptions options);
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Window, module, workspace and tags; false (with `Error()`) when the host cannot run.
  bool Start();
  // The interactive message loop, until the window closes.
  int RunInteractive();
  // Closes an open dialog, destroys the module's table and the window.
  void Shutdown();

  // Handles one retrieved message the way the loop does (the module's hook has already seen it).
  void Dispatch(MSG& message);
  // Handles everything queued now, painting included; false once WM_QUIT was seen.
  bool Pump();

  // Runs the module's go-to-tag; "line N" or "not found". A message box shown meanwhile is
  // closed when `closeMessageBoxes` is set and its text kept in `LastMessageBox()`.
  std::string GoToTag(HostTagRecord* tag);
  void CloseMessageBoxes(bool close) { closeMessageBoxes_ = close; }
  const std::string& LastMessageBox() const { return lastMessageBox_; }

  std::size_t ReloadTags();

  const std::string& Error() const { return error_; }
  void Log(const std::string& line);
  EditorWindow& Editor() { return editor_; }
  FindFileDialog& FindFile() { return *findFile_; }
  FindTagDialog& FindTag() { return *findTag_; }
  FindDialog* OpenDialog();
  TagCatalog& Tags() { return tags_; }
  const ModuleLink& Module() const { return module_; }
  const HostOptions& Options() const { return options_; }

 private:
  void OpenWorkspace();
  void OnMenu(UINT command);
  std::filesystem::path TagsFilePath() const;

  HINSTANCE instance_;
  HostOptions options_;
  EditorWindow editor_;
  ModuleLink module_;
  AutomationRoot* root_ = nullptr;
  std::unique_ptr<WorkspaceModel> workspace_;
  FileCatalog files_;
  TagCatalog tags_;
  std::unique_ptr<FindFileDialog> findFile_;
  std::unique_ptr<FindTagDialog> findTag_;
  bool closeMessageBoxes_ = false;
  std::string lastMessageBox_;
  std::string error_;
  std::ofstream log_;
  bool quit_ = false;
};

}  // namespace tolvane::host
