// The two Find lists' cell texts from arbitrary host strings (any bytes, any length), arbitrary
// kinds and arbitrary columns. Every answered request leaves a text-only mask and a text that
// matches what the column shows; a text stored in the ring stays intact through the next two.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "finddlg/file_cell_text.h"
#include "finddlg/tag_cell_text.h"
#include "fuzz_check.h"
#include "support/fake_records.h"

using namespace tolvane;

namespace {

// What a C string made from these bytes reads as: everything up to the first NUL.
std::string_view AsCString(const std::string& text) {
  return std::string_view(text.c_str());
}

// The file name column from a record's title and extension, each read as a C string.
std::string FileName(const std::string& title, const std::string& extension) {
  const std::string titleText(AsCString(title)), extensionText(AsCString(extension));
  return extensionText.empty() ? titleText : titleText + "." + extensionText;
}

// The "Line" column written out character by character.
std::string LineText(std::string_view pattern) {
  std::size_t begin = 0;
  while (begin < pattern.size() && pattern[begin] == '^') ++begin;
  std::size_t end = pattern.size();
  while (end > begin && pattern[end - 1] == '$') --end;
  std::string text;
  for (std::size_t i = begin; i < end; ++i) text += pattern[i] == '\t' ? ' ' : pattern[i];
  return text;
}

// Composed texts handed out by one ring, newest last, with what each must still read.
struct Handed {
  const char* text;
  std::string expected;
};

void Remember(std::deque<Handed>& handed, const char* text, std::string expected) {
  handed.push_back({text, std::move(expected)});
  if (handed.size() > DisplayTextRing::kSlotCount) handed.pop_front();
  for (const Handed& earlier : handed)
    FUZZ_REQUIRE(std::string_view(earlier.text) == earlier.expected);
}

constexpr const char* kControlBuffer = "control's own buffer";

void CheckFileList(FuzzedDataProvider& input) {
  std::vector<testing::FakeFileRecord> records(3);
  for (auto& record : records) {
    record.title = input.ConsumeRandomLengthString(300);
    record.extension = input.ConsumeRandomLengthString(40);
    record.path = input.ConsumeRandomLengthString(600);
  }
  testing::FakeFileSource source;
  std::vector<uint32_t> keys(4);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    keys[i] = input.ConsumeIntegral<uint32_t>();
    if (i < records.size()) source.records[keys[i]] = &records[i];
  }
  HostFileKeyArray keyArray{keys.data()};
  HostFileSource* sourceWord = &source;
  DisplayTextRing ring;
  std::deque<Handed> handed;

  while (input.remaining_bytes() > 0) {
    DisplayRequest request{input.ConsumeIntegralInRange<int32_t>(-2, 3),
                           input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<uint32_t>(),
                           kControlBuffer};
    AnswerFileDisplayRequest(request, &keyArray, &sourceWord, ring);
    FUZZ_REQUIRE(request.mask == kListItemText);
    const auto found = request.row < 0 ? source.records.end()
                                       : source.records.find(keys[std::size_t(request.row)]);
    if (found == source.records.end()) {
      FUZZ_REQUIRE(request.text == kControlBuffer);
      continue;
    }
    auto* record = static_cast<testing::FakeFileRecord*>(found->second);
    // Both columns are copies in the ring: the record need not outlive the request.
    FUZZ_REQUIRE(request.text != record->path.c_str());
    Remember(handed, request.text,
             request.column == 0 ? FileName(record->title, record->extension)
                                 : std::string(AsCString(record->path)));
  }
}

void CheckTagList(FuzzedDataProvider& input) {
  std::vector<std::string> texts;
  for (int i = 0; i < 5; ++i) texts.push_back(input.ConsumeRandomLengthString(400));
  testing::FakeFileRecord file(input.ConsumeRandomLengthString(200),
                               input.ConsumeRandomLengthString(40), "");
  testing::FakeTagRecord tag;
  tag.kind = input.ConsumeIntegral<int32_t>();
  tag.name = texts[0].c_str();
  tag.pattern = texts[1].c_str();
  tag.parentName = texts[2].c_str();
  tag.nameSpace = texts[3].c_str();
  tag.fileName = texts[4].c_str();
  tag.file = input.ConsumeBool() ? &file : nullptr;
  HostTagRecord* rows[] = {&tag, nullptr};
  HostTagArray tagArray{rows};
  DisplayTextRing ring;
  std::deque<Handed> handed;

  while (input.remaining_bytes() > 0) {
    DisplayRequest request{input.ConsumeIntegralInRange<int32_t>(-2, 1),
                           input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<uint32_t>(),
                           kControlBuffer};
    AnswerTagDisplayRequest(request, &tagArray, ring);
    FUZZ_REQUIRE(request.mask == kListItemText);
    if (request.row != 0) {
      FUZZ_REQUIRE(request.text == kControlBuffer);
      continue;
    }
    switch (request.column) {
      case 0:
        if (tag.kind >= 0 && tag.kind < kTagKindCount) {
          FUZZ_REQUIRE(request.text != kControlBuffer && request.text == TagKindLabel(tag.kind));
        } else {
          FUZZ_REQUIRE(request.text == kControlBuffer);
        }
        break;
      case 1:
        FUZZ_REQUIRE(request.text == tag.nameSpace);  // the record's own text, not a copy
        break;
      case 2:
        FUZZ_REQUIRE(request.text == tag.parentName);
        break;
      case 3:
        FUZZ_REQUIRE(request.text == tag.name);
        break;
      case 4:
        if (tag.file == nullptr) {
          FUZZ_REQUIRE(request.text == kControlBuffer);
        } else {
          Remember(handed, request.text, FileName(file.title, file.extension));
        }
        break;
      case 5:
        Remember(handed, request.text, LineText(tag.pattern));
        break;
      default:
        FUZZ_REQUIRE(request.text == kControlBuffer);
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool()) {
    CheckTagList(input);
  } else {
    CheckFileList(input);
  }
  return 0;
}
