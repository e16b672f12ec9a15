#include "script.h"

#include <array>
#include <charconv>
#include <utility>

namespace tolvane::host {

namespace {

constexpr std::array<std::pair<std::string_view, uint32_t>, 12> kKeys{{
    {"down", 0x28},
    {"up", 0x26},
    {"pgdn", 0x22},
    {"pgup", 0x21},
    {"home", 0x24},
    {"end", 0x23},
    {"left", 0x25},
    {"right", 0x27},
    {"f5", 0x74},
    {"enter", 0x0D},
    {"escape", 0x1B},
    {"f4", 0x73},
}};

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// Screenshots land in the output folder: a plain name, no folders, no "..".
bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

bool ParseInt(std::string_view text, int32_t& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

uint32_t VirtualKeyOfName(std::string_view name) {
  for (const auto& [keyName, code] : kKeys) {
    if (keyName == name) return code;
  }
  return 0;
}

ParsedScript ParseScript(std::string_view text) {
  ParsedScript parsed;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
      line.remove_suffix(1);
    }
    const auto words = Words(line);
    if (words.empty() || words[0].starts_with("#")) continue;

    auto fail = [&](const std::string& why) {
      parsed.errors.push_back("line " + std::to_string(lineNumber) + ": " + why);
    };
    ScriptCommand command;
    command.source = std::string(line.substr(line.find(words[0])));
    const std::string_view verb = words[0];
    const std::size_t argc = words.size() - 1;
    if (verb == "find-file" || verb == "find-tag" || verb == "close" || verb == "quit") {
      if (argc != 0) {
        fail(std::string(verb) + " takes no argument");
        continue;
      }
      command.kind = verb == "find-file"  ? CommandKind::kFindFile
                     : verb == "find-tag" ? CommandKind::kFindTag
                     : verb == "close"    ? CommandKind::kClose
                                          : CommandKind::kQuit;
    } else if (verb == "type") {
      const auto start = line.find(verb) + verb.size();
      if (start >= line.size()) {
        fail("type needs a text");
        continue;
      }
      command.kind = CommandKind::kType;
      command.text = std::string(line.substr(start + 1));  // exactly one separating space
    } else if (verb == "key") {
      if (argc < 1 || argc > 2 || (argc == 2 && words[2] != "ctrl")) {
        fail("usage: key NAME [ctrl]");
        continue;
      }
      command.kind = CommandKind::kKey;
      command.virtualKey = VirtualKeyOfName(words[1]);
      command.ctrl = argc == 2;
      if (command.virtualKey == 0) {
        fail("unknown key '" + std::string(words[1]) + "'");
        continue;
      }
    } else if (verb == "screenshot") {
      if (argc != 1 || !IsPlainFileName(words[1])) {
        fail("usage: screenshot NAME (letters, digits, '-', '_' and '.')");
        continue;
      }
      command.kind = CommandKind::kScreenshot;
      command.text = std::string(words[1]);
      if (!command.text.ends_with(".png")) command.text += ".png";
    } else if (verb == "goto-tag") {
      if (argc < 1 || argc > 2 || (argc == 2 && words[2] != "by-pattern")) {
        fail("usage: goto-tag NAME [by-pattern]");
        continue;
      }
      command.kind = CommandKind::kGotoTag;
      command.text = std::string(words[1]);
      command.byPattern = argc == 2;
    } else if (verb == "focus") {
      if (argc != 1 || (words[1] != "parent" && words[1] != "tag")) {
        fail("usage: focus parent|tag");
        continue;
      }
      command.kind = CommandKind::kFocus;
      command.text = std::string(words[1]);
    } else if (verb == "column") {
      if (argc != 2 || !ParseInt(words[1], command.column) || !ParseInt(words[2], command.width) ||
          command.column < 0 || command.width < 0) {
        fail("usage: column INDEX WIDTH");
        continue;
      }
      command.kind = CommandKind::kColumn;
    } else {
      fail("unknown command '" + std::string(verb) + "'");
      continue;
    }
    parsed.commands.push_back(std::move(command));
  }
  return parsed;
}

}  // namespace tolvane::host
