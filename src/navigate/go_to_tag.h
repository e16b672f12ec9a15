// Navigation to a tag: open the tag's file in the editor, put the caret on the tag's line (by
// its number, or by searching for its pattern from the top of the file), centre and select
// that line, and remember the tag.
#pragma once

#include <string>

#include "navigate/navigation_state.h"
#include "seams/code_page.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// True when the caret stands on the tag. The last tag becomes the tag on success and null for a
// null tag or a file that does not open with a text selection; it is kept when no automation
// root (or no platform service) is connected, when the pattern is not found (the user is told)
// and when an out-of-memory exception leaves through here.
bool GoToTag(NavigationState& state, HostTagRecord* tag);

HostTagRecord* GetLastTag(const NavigationState& state);

// What the user is told when a tag's pattern is not in its file.
std::string TagNotFoundMessage(const char* tagName);

// The text searched for when a tag has no line number: the pattern without its first character
// (its leading "^"; both bytes of a two-byte character of the code page of `leadBytes`) and
// without every "$" at the end of the rest. A null or empty pattern gives an empty text.
std::string SearchTextFromPattern(const char* pattern, const LeadBytes& leadBytes);

}  // namespace tolvane
