#include "navigate/go_to_tag.h"

#include <string_view>

#include "navigate/editor_document.h"

namespace tolvane {

std::string SearchTextFromPattern(const char* pattern, const LeadBytes& leadBytes) {
  if (pattern == nullptr || pattern[0] == '\0') return {};
  const std::string_view whole(pattern);
  std::string text(whole.substr(leadBytes.CharacterSize(whole, 0)));
  const std::size_t kept = text.find_last_not_of('$');
  text.erase(kept == std::string::npos ? 0 : kept + 1);
  return text;
}

std::string TagNotFoundMessage(const char* tagName) {
  return "Unable to find " + std::string(tagName != nullptr ? tagName : "") +
         ".  Please save all files and refresh the tags.\n";
}

bool GoToTag(NavigationState& state, HostTagRecord* tag) {
  if (tag == nullptr) {
    state.lastTag = nullptr;
    return false;
  }
  if (!state.automationRoot) return false;

  EditorDocument editor(state.automationRoot.get(), *state.wideStrings);
  if (!editor.Open(tag->FileName(), "Auto") || !editor.selection) {
    state.lastTag = nullptr;
    return false;
  }

  const int32_t line = tag->Line();
  if (line != -1) {
    editor.selection->MoveToLineAndOffset(line, 1, kAutomationFalse);
  } else {
    editor.selection->MoveToLineAndOffset(1, 1, kAutomationFalse);
    const std::string text = SearchTextFromPattern(tag->Pattern(), state.leadBytes);
    if (!editor.FindText(text.c_str(), {"matchcase"})) {
      state.notifier->ShowMessage(TagNotFoundMessage(tag->Name()));
      return false;
    }
  }

  editor.ShowCaretCentered();
  editor.SelectCaretLine();
  state.lastTag = tag;
  return true;
}

HostTagRecord* GetLastTag(const NavigationState& state) {
  return state.lastTag;
}

}  // namespace tolvane
