// Column widths from a profile that may hold any 32-bit integers, with any available width,
// INT_MIN and INT_MAX included. Every width must match an independent evaluation of its rule in
// its own arithmetic (saturated to 32 bits, never undefined), and a save followed by a load must
// give the same widths back.
#include "finddlg/column_widths.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "finddlg/column_tables.h"
#include "fuzz_check.h"
#include "support/fake_profile.h"

using namespace tolvane;

namespace {

// The rule as the stored widths have always been computed: the integer (a 64-bit difference
// for a share of the rest, exact in a double) times the share in double precision, truncated
// toward zero; saturated to 32 bits where the product leaves that range.
int32_t Reference(const WidthRule& rule, int32_t available, int32_t first) {
  double product = rule.value;
  if (rule.kind == WidthRule::Kind::kShareOfWidth) product = double(available) * rule.value;
  if (rule.kind == WidthRule::Kind::kShareOfRest)
    product = double(int64_t{available} - int64_t{first}) * rule.value;
  const double truncated = std::trunc(product);
  if (truncated < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (truncated > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(truncated);
}

void RequireRule(int32_t width, const WidthRule& rule, int32_t available, int32_t first) {
  FUZZ_REQUIRE(width == Reference(rule, available, first));
}

struct Stored {
  bool present;
  int32_t value;
};

void CheckTable(FuzzedDataProvider& input, std::span<const ColumnRule> rules) {
  const uint32_t dialogId = input.ConsumeIntegral<uint32_t>();
  const int32_t available = input.ConsumeIntegral<int32_t>();
  const std::string section = LayoutSection(dialogId);
  testing::FakeProfile profile;
  std::vector<Stored> stored;
  for (const ColumnRule& rule : rules) {
    const Stored one{input.ConsumeBool(), input.ConsumeIntegral<int32_t>()};
    if (one.present) profile.SetInt(section, rule.key, one.value);
    stored.push_back(one);
  }

  const std::vector<int32_t> widths = LoadColumnWidths(profile, dialogId, available, rules);
  FUZZ_REQUIRE(widths.size() == rules.size());
  FUZZ_REQUIRE(profile.KeysOf(testing::FakeProfile::Op::kGetInt).size() == rules.size());
  for (const auto& call : profile.calls) FUZZ_REQUIRE(call.section == section);

  // Column 0 as read is what later defaults measure the rest from; its final width is what
  // later replacements use.
  const int32_t firstAsRead = stored[0].present ? stored[0].value : profile.calls[0].number;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const Stored& one = stored[i];
    const int32_t fallback = profile.calls[i].number;  // the default handed to the read
    RequireRule(fallback, rules[i].byDefault, available, i == 0 ? 0 : firstAsRead);
    const int32_t asRead = one.present ? one.value : fallback;
    if (asRead > 0) {
      FUZZ_REQUIRE(widths[i] == asRead);
    } else {
      RequireRule(widths[i], rules[i].replacement, available, i == 0 ? 0 : widths[0]);
    }
  }

  // Save what was loaded, load again: the same widths, whatever their sign.
  SaveColumnWidths(profile, dialogId, rules, widths);
  for (std::size_t i = 0; i < rules.size(); ++i)
    FUZZ_REQUIRE(profile.IntAt(section, rules[i].key) == widths[i]);
  FUZZ_REQUIRE(LoadColumnWidths(profile, dialogId, available, rules) == widths);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool()) {
    CheckTable(input, FindTagColumnRules());
  } else {
    CheckTable(input, FindFileColumnRules());
  }
  return 0;
}
