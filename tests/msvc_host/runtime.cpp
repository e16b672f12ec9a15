// What a C runtime would give the MSVC-ABI host, and nothing more: the entry point, the two memory
// functions the compiler may call, and the handler of a pure virtual call. No global object has a
// constructor or destructor, so nothing needs running before or after the program.
#include <windows.h>

int RunHost();

extern "C" {

// Volatile stores, so that the compiler does not turn these loops into calls to themselves.
void* memset(void* destination, int value, size_t count) {
  auto* out = static_cast<volatile unsigned char*>(destination);
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(value);
  return destination;
}

void* memcpy(void* destination, const void* source, size_t count) {
  auto* out = static_cast<volatile unsigned char*>(destination);
  const auto* in = static_cast<const unsigned char*>(source);
  for (size_t i = 0; i < count; ++i) out[i] = in[i];
  return destination;
}

int __cdecl _purecall() {
  ::ExitProcess(3);
  return 0;
}

void mainCRTStartup() {
  ::ExitProcess(static_cast<UINT>(RunHost()));
}

}  // extern "C"
