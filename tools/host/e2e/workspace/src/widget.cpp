#include "widget.h"

namespace gui {

Widget::Widget(Extent extent) : extent_(extent) {}

int Widget::Area() const { return extent_.width * extent_.height; }

void Widget::Paint(Shade shade) {
  // Paint twice as often in the dark.
  paints_ += shade == Shade::kDark ? 2 : 1;
}

}  // namespace gui
