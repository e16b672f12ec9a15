// The host's file and tag records, held in memory, counting the operations called on them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "support/fake_tag_record.h"
#include "tolvane/host_objects.h"

namespace tolvane::testing {

class FakeFileRecord final : public HostFileRecord {
 public:
  FakeFileRecord() = default;
  FakeFileRecord(std::string fileTitle, std::string fileExtension, std::string filePath)
      : title(std::move(fileTitle)),
        extension(std::move(fileExtension)),
        path(std::move(filePath)) {}

  const char* Title() override { return Text(title); }
  const char* Extension() override { return Text(extension); }
  const char* Path() override { return Text(path); }

  std::string title, extension, path;
  bool nullTexts = false;  // every text is given as null, which reads as empty
  int calls = 0;

 private:
  const char* Text(const std::string& text) {
    ++calls;
    return nullTexts ? nullptr : text.c_str();
  }
};

// Hands out the record registered for a key, or null for an unknown key.
class FakeFileSource final : public HostFileSource {
 public:
  HostFileRecord* Record(uint32_t key) override {
    ++lookups;
    lastKey = key;
    auto found = records.find(key);
    return found == records.end() ? nullptr : found->second;
  }

  std::map<uint32_t, HostFileRecord*> records;
  int lookups = 0;
  uint32_t lastKey = 0;
};

}  // namespace tolvane::testing
