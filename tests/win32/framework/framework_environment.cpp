// Every framework test runs with a framework state of its own, as the module object holds one for
// the DLL: an empty window table and no hook at its start, and whatever a test leaves behind
// (a hook still set) goes with the state at its end.
#include <gtest/gtest.h>

#include <memory>

#include "framework/framework_state.h"

namespace tolvane {
namespace {

class FreshFrameworkState : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    state_ = std::make_unique<FrameworkState>();
  }
  void OnTestEnd(const ::testing::TestInfo&) override { state_.reset(); }
  std::unique_ptr<FrameworkState> state_;
};

const bool registered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFrameworkState);
  return true;
}();

}  // namespace
}  // namespace tolvane
