// Runs a host script: each command drives the real windows through the real message loop and
// writes one line to the transcript.
#pragma once

#include <fstream>
#include <optional>
#include <string>

#include "host_session.h"
#include "script.h"
#include "tag_catalog.h"

namespace tolvane::host {

class ScriptRunner {
 public:
  explicit ScriptRunner(HostSession& session) : session_(session) {}
  // Runs every command until "quit" or the end; false when the transcript cannot be written.
  bool Run(const ParsedScript& script, const std::filesystem::path& transcriptPath);

 private:
  std::string Execute(const ScriptCommand& command);
  std::string OpenDialog(FindDialog& dialog, UINT menuCommand);
  std::string Type(const std::string& text);
  std::string Key(const ScriptCommand& command);
  std::string Focus(const std::string& which);
  std::string Screenshot(const std::string& name);
  std::string GotoTag(const ScriptCommand& command);
  std::string Column(const ScriptCommand& command);
  std::string Close();

  // The edit field of the combo box that has the focus in the open dialog.
  HWND KeyTarget();
  std::string DescribeRows(FindDialog& dialog);

  HostSession& session_;
  int focusedCombo_ = 0;
  // A by-pattern copy must outlive the call: the module remembers the last tag reached.
  std::optional<TagRecord> patternOnly_;
};

}  // namespace tolvane::host
