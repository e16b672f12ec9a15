// A small sample workspace for the reference host's end-to-end test.
#pragma once

namespace gui {

enum class Shade { kLight, kDark };

struct Extent {
  int width;
  int height;
};

class Widget {
 public:
  explicit Widget(Extent extent);
  int Area() const;
  void Paint(Shade shade);

 private:
  Extent extent_;
  int paints_ = 0;
};

}  // namespace gui
