// The search text that GoToTag derives from a tag's pattern, and the whole search through the
// fake IDE, for arbitrary patterns and file texts. The text must be the pattern without its
// first character and its trailing "$" run; navigation must succeed exactly when a line holds
// that text, land on the first such line, and release every reference and wide string, also when
// a wide string cannot be allocated.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "navigate/go_to_tag.h"
#include "support/fake_ide.h"
#include "support/fake_records.h"
#include "support/fake_wide_strings.h"

using namespace tolvane;

namespace {

// The fake IDE keeps ASCII text (it shows other characters as "?"): keep the fuzzed texts to it.
std::string Ascii(std::string text) {
  for (char& c : text) c = char(c & 0x7F);
  return text.substr(0, text.find('\0'));
}

std::string ExpectedSearchText(const std::string& pattern) {
  if (pattern.empty()) return {};
  std::string text = pattern.substr(1);
  while (!text.empty() && text.back() == '$') text.pop_back();
  return text;
}

class CountingNotifier final : public Notifier {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

void CheckNavigation(const std::vector<std::string>& lines, const std::string& pattern,
                     int failAllocation) {
  testing::FakeIde ide;
  testing::FakeFile& file = ide.AddFile("file.c", lines);
  testing::FakeWideStrings strings;
  CountingNotifier notifier;
  NavigationState state;
  state.automationRoot.Hold(ide.Root());
  state.wideStrings = &strings;
  state.notifier = &notifier;
  testing::FakeTagRecord earlier;
  state.lastTag = &earlier;
  testing::FakeTagRecord tag;
  tag.name = "fuzzed";
  tag.fileName = "file.c";
  tag.pattern = pattern.c_str();
  tag.line = -1;
  const auto before = ide.ReferenceSnapshot();

  const std::string text = ExpectedSearchText(pattern);
  int32_t firstLine = 0;
  for (std::size_t i = 0; i < lines.size() && firstLine == 0; ++i)
    if (!text.empty() && lines[i].find(text) != std::string::npos) firstLine = int32_t(i + 1);

  strings.FailAllocation(failAllocation);
  bool found = false;
  bool outOfMemory = false;
  try {
    found = GoToTag(state, &tag);
  } catch (const std::bad_alloc&) {
    outOfMemory = true;
  }
  FUZZ_REQUIRE(ide.ReferenceChangesSince(before).empty());
  FUZZ_REQUIRE(ide.Registry().OverReleases() == 0);
  FUZZ_REQUIRE(strings.Live() == 0 && strings.BadFrees() == 0);
  if (outOfMemory) {
    FUZZ_REQUIRE(failAllocation != 0 && state.lastTag == &earlier && notifier.messages.empty());
    return;
  }
  FUZZ_REQUIRE(found == (firstLine != 0));
  if (found) {
    FUZZ_REQUIRE(state.lastTag == &tag && notifier.messages.empty());
    FUZZ_REQUIRE(file.text.Caret().line == firstLine && file.text.Caret().column == 1);
    FUZZ_REQUIRE(file.text.SelectedText() == lines[std::size_t(firstLine - 1)]);
  } else {
    FUZZ_REQUIRE(state.lastTag == &earlier);
    FUZZ_REQUIRE(notifier.messages.size() == 1 &&
                 notifier.messages[0] == TagNotFoundMessage("fuzzed"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int failAllocation = input.ConsumeIntegralInRange(0, 4);  // GoToTag makes four wide strings
  const std::string pattern = Ascii(input.ConsumeRandomLengthString(300));
  FUZZ_REQUIRE(SearchTextFromPattern(pattern.c_str(), LeadBytes()) == ExpectedSearchText(pattern));
  FUZZ_REQUIRE(SearchTextFromPattern(nullptr, LeadBytes()).empty());

  std::vector<std::string> lines;
  while (input.remaining_bytes() > 0 && lines.size() < 50) {
    const std::string line = Ascii(input.ConsumeRandomLengthString(120));
    lines.push_back(line.substr(0, line.find('\n')));
  }
  CheckNavigation(lines, pattern, failAllocation);
  return 0;
}
