// The module as the Find dialog tests drive it: created (the histories are read from the
// profile), reached only through its table entries, destroyed (the histories are written back).
#pragma once

#include "tolvane/tolvane.h"

namespace tolvane::testing {

class FindModule {
 public:
  FindModule();
  ~FindModule();
  FindModule(const FindModule&) = delete;
  FindModule& operator=(const FindModule&) = delete;

  const OpsTable& Table() const { return *table_; }
  template <typename Fn>
  Fn Entry(OpsIndex index) const {
    return TableEntry<Fn>(table_, index);
  }
  // Destroys the module now (the destructor then does nothing).
  void Destroy();

 private:
  OpsTable* table_ = nullptr;
};

}  // namespace tolvane::testing
