// The host's file and tag records, held in memory, counting the operations called on them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

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

class FakeTagRecord final : public HostTagRecord {
 public:
  int32_t Kind() override { return kind; }
  const char* Name() override { return name; }
  const char* FileName() override { return fileName; }
  const char* Pattern() override { return pattern; }
  const char* ParentName() override { return parentName; }
  int32_t Line() override { return line; }
  const char* Namespace() override { return nameSpace; }
  HostTagRecord* Parent() override { return parent; }
  HostFileRecord* File() override { return file; }

  int32_t kind = 0;
  const char* name = "";
  const char* fileName = "";
  const char* pattern = "";
  const char* parentName = "";
  int32_t line = -1;
  const char* nameSpace = "";
  HostTagRecord* parent = nullptr;
  HostFileRecord* file = nullptr;
};

}  // namespace tolvane::testing
