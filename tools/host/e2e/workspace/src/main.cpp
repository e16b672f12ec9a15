#include <cstdio>

#include "widget.h"

#define GREETING "hello"

static int launches = 0;

// The pattern of this function holds slashes and a backslash, which ctags escapes.
int path_depth(const char* path) {
  int depth = 0;
  for (; *path != '\0'; ++path) depth += (*path == '/' || *path == '\\') ? 1 : 0;
  return depth;
}

int main() {
  gui::Widget widget(gui::Extent{3, 4});
  widget.Paint(gui::Shade::kDark);
  std::printf("%s %d %d\n", GREETING, widget.Area(), path_depth("a/b\\c") + launches);
  return 0;
}
