#include "navigate/com_ref.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

struct Counted {
  int references = 1;  // the one its maker keeps
  void AddRef() { ++references; }
  void Release() { --references; }
};

// Each step holds one object (or none) in place of what was held; the holder keeps exactly one
// reference on what it holds and none on anything else.
TEST(ComRef, HoldTakesTheNewReferenceAndReleasesTheOld) {
  Counted a, b;
  const struct {
    Counted* hold;
    int aReferences, bReferences;
  } steps[] = {
      {&a, 2, 1},       // into an empty holder
      {&a, 2, 1},       // the same object again
      {&b, 1, 2},       // another one
      {nullptr, 1, 1},  // none
      {nullptr, 1, 1},  // none again
      {&b, 1, 2},
  };
  ComRef<Counted> holder;
  for (const auto& step : steps) {
    holder.Hold(step.hold);
    EXPECT_EQ(holder.get(), step.hold);
    EXPECT_EQ(a.references, step.aReferences);
    EXPECT_EQ(b.references, step.bReferences);
  }
  holder.Reset();
  EXPECT_EQ(b.references, 1);
}

}  // namespace
}  // namespace tolvane
