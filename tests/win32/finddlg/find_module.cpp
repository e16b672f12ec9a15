#include "find_module.h"

#include <stdexcept>

namespace tolvane::testing {

FindModule::FindModule() {
  ide_.SetMainWindowHandle(mainWindow_.Handle());
  table_ = module_.Create(ide_.RootDispatch());
  if (table_ == nullptr) throw std::runtime_error("TolvaneRegCreate gave no table");
  PumpMessages();  // the module's finish request
}

FindModule::~FindModule() {
  Destroy();
  PumpMessages();
}

void FindModule::Destroy() {
  if (table_ == nullptr) return;
  module_.Destroy(table_);
  table_ = nullptr;
}

}  // namespace tolvane::testing
