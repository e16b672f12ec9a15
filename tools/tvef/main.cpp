// tvef: inspect, create, verify and export workspace file-list files.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tvef/commands.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Names and fragments are bytes: no CR LF translation on the standard streams.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tvef::RunTvef(args, {std::cin, std::cout, std::cerr}, tolvane::NativeFileSystem());
}
