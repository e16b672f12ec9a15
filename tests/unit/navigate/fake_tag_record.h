// A host tag record for navigation tests: name, file, pattern and line, nothing more.
#pragma once

#include <string>

#include "tolvane/host_objects.h"

namespace tolvane::testing {

class FakeTagRecord final : public HostTagRecord {
 public:
  FakeTagRecord(std::string name, std::string file, std::string pattern, int32_t line)
      : name_(std::move(name)), file_(std::move(file)), pattern_(std::move(pattern)), line_(line) {}

  int32_t Kind() override { return kTagFunction; }
  const char* Name() override { return name_.c_str(); }
  const char* FileName() override { return file_.c_str(); }
  const char* Pattern() override { return pattern_.c_str(); }
  const char* ParentName() override { return ""; }
  int32_t Line() override { return line_; }
  const char* Namespace() override { return ""; }
  HostTagRecord* Parent() override { return nullptr; }
  HostFileRecord* File() override { return nullptr; }

 private:
  std::string name_, file_, pattern_;
  int32_t line_;
};

}  // namespace tolvane::testing
