// The host's script mode: one command a line, parsed before anything runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::host {

enum class CommandKind {
  kFocus,
  kFindFile,
  kFindTag,
  kType,
  kKey,
  kScreenshot,
  kGotoTag,
  kColumn,
  kClose,
  kQuit
};

struct ScriptCommand {
  CommandKind kind = CommandKind::kQuit;
  std::string source;       // the line as written, for the transcript
  std::string text;         // type: the text; screenshot: the file name; goto-tag: the tag name
  uint32_t virtualKey = 0;  // key: the Windows virtual-key code
  bool ctrl = false;        // key: with Ctrl held
  bool byPattern = false;   // goto-tag: withhold the line number so the pattern search runs
  int32_t column = 0;       // column: which list column
  int32_t width = 0;        // column: its new width in pixels
};

struct ParsedScript {
  std::vector<ScriptCommand> commands;
  std::vector<std::string> errors;  // "line 3: unknown key 'tab'"; the script runs only without
};

// Blank lines and lines starting with "#" are skipped.
ParsedScript ParseScript(std::string_view text);

// The virtual-key code of a key name of the script ("down", "f5", ...); 0 when unknown.
uint32_t VirtualKeyOfName(std::string_view name);

}  // namespace tolvane::host
