// The host's tag record, held in memory. It needs no C++ library, so that the host built in the
// MSVC ABI without any runtime (tests/msvc_host) uses it as the other tests do.
#pragma once

#include <stdint.h>

#include "tolvane/host_objects.h"

namespace tolvane::testing {

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
