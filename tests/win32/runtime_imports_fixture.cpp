// A DLL linked the MinGW default way, with the C++ runtime as DLLs: the dll_exports check must
// reject it for importing libstdc++-6.dll (tests/win32/CMakeLists.txt).
#include <string>

extern "C" __declspec(dllexport) unsigned RuntimeImportsFixture(const char* text) {
  return static_cast<unsigned>(std::string(text).size());
}
