#include "navigate/com_ref.h"

#include <gtest/gtest.h>

#include <utility>

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

// A move hands the reference over: the target's own is released, the source is left empty. A
// holder moved into itself keeps its reference.
TEST(ComRef, AMoveHandsTheReferenceOver) {
  Counted a, b;
  ComRef<Counted> source, target;
  source.Hold(&a);
  target.Hold(&b);
  target = std::move(source);
  EXPECT_EQ(target.get(), &a);
  EXPECT_FALSE(source);
  EXPECT_EQ(a.references, 2);
  EXPECT_EQ(b.references, 1);
  ComRef<Counted>& same = target;
  target = std::move(same);
  EXPECT_EQ(target.get(), &a);
  EXPECT_EQ(a.references, 2);
}

}  // namespace
}  // namespace tolvane
