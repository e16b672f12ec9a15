// The history lists' stored form as the profile hands it back: any bytes at all. Load then save
// must normalise the text in one step and be stable afterwards, read as single bytes or by the
// characters of a double-byte code page; the combo box's add rule must keep its 256-item bound
// whatever the list held.
#include "history/history_stored_form.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "history/history_combo.h"
#include "history/history_profile.h"
#include "support/fake_combo.h"
#include "support/fake_profile.h"

using namespace tolvane;

namespace {

void CheckDecodeEncode(std::string_view stored) {
  const HistoryList decoded = DecodeHistory(stored, LeadBytes());
  const std::size_t bars = static_cast<std::size_t>(std::count(stored.begin(), stored.end(), '|'));
  const bool textAfterLastBar = !stored.empty() && stored.back() != '|';
  FUZZ_REQUIRE(decoded.Size() == bars + (textAfterLastBar ? 1 : 0));
  for (const std::string& item : decoded.Items()) FUZZ_REQUIRE(item.find('|') == std::string::npos);

  // Saving what was loaded writes the text back, closed by a "|" when it lacked one.
  const std::string encoded = EncodeHistory(decoded);
  FUZZ_REQUIRE(encoded == std::string(stored) + (textAfterLastBar ? "|" : ""));
  FUZZ_REQUIRE(DecodeHistory(encoded, LeadBytes()).Items() == decoded.Items());
}

// Read by the characters of code page 932: no item ends in the middle of a character, and saving
// what was loaded writes the same bytes back (with a closing "|" when the text lacked one).
void CheckDoubleByteReading(std::string_view stored) {
  LeadBytes lead;
  lead.Add(0x81, 0x9F);
  lead.Add(0xE0, 0xFC);
  const HistoryList decoded = DecodeHistory(stored, lead);
  std::string joined;
  for (const std::string& item : decoded.Items()) {
    FUZZ_REQUIRE(lead.Find(item, '|') == std::string_view::npos);
    joined += item;
    joined += '|';
  }
  FUZZ_REQUIRE(EncodeHistory(decoded) == joined);
  FUZZ_REQUIRE(joined == stored || joined == std::string(stored) + "|");
}

void CheckThroughProfile(std::string_view stored) {
  testing::FakeProfile profile;
  profile.SetString(kHistorySection, kTagHistoryKey, std::string(stored));
  HistoryLists lists;
  lists.filename.Append("left over");
  LoadAllHistories(profile, LeadBytes(), lists);
  FUZZ_REQUIRE(lists.filename.Empty());  // absent value: empty list
  FUZZ_REQUIRE(lists.tag.Items() == DecodeHistory(stored, LeadBytes()).Items());
  SaveAllHistories(profile, lists);
  FUZZ_REQUIRE(profile.StringAt(kHistorySection, kTagHistoryKey) == EncodeHistory(lists.tag));
  FUZZ_REQUIRE(profile.StringAt(kHistorySection, kFilenameHistoryKey).empty());
}

// Fill, add every item again (most recent last), copy back: the combo box obeys the add rule.
void CheckComboRound(const HistoryList& list) {
  testing::FakeComboItems combo;
  FillCombo(list, combo);
  FUZZ_REQUIRE(combo.items == list.Items());
  // The rule is applied to a model of the items beside the combo box, add by add (a copy of the
  // items per add made this the slowest fuzzer).
  std::vector<std::string> expected = combo.items;
  const std::size_t adds = std::min<std::size_t>(list.Size(), 40);
  for (std::size_t i = 0; i < adds; ++i) {
    const std::string& text = list[list.Size() - 1 - i];
    AddToHistoryCombo(&combo, text);
    if (!text.empty()) {
      if (expected.empty() || expected.front() != text) expected.insert(expected.begin(), text);
      if (expected.size() > kHistoryComboLimit) expected.resize(kHistoryComboLimit);
    }
    FUZZ_REQUIRE(combo.items == expected);
  }
  AddToHistoryCombo(nullptr, "no dialog open");
  HistoryList back;
  back.Append("stale");
  CopyBack(combo, back);
  FUZZ_REQUIRE(back.Items() == combo.items);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view stored(reinterpret_cast<const char*>(data), size);
  CheckDecodeEncode(stored);
  CheckDoubleByteReading(stored);
  CheckThroughProfile(stored);
  CheckComboRound(DecodeHistory(stored, LeadBytes()));
  return 0;
}
