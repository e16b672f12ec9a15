// Calls both exports as a host built by MSVC declares them: C linkage, __cdecl, imported from
// the DLL (on i686 the object names them __imp__TolvaneRegCreate and __imp__TolvaneRegDestroy).
#ifdef _WIN64
#define PROBE_CDECL
#else
#define PROBE_CDECL __cdecl
#endif

extern "C" {
__declspec(dllimport) void* PROBE_CDECL TolvaneRegCreate(void* automationRoot, void* workspace);
__declspec(dllimport) void PROBE_CDECL TolvaneRegDestroy(void* table);

__declspec(dllexport) int PROBE_CDECL ProbeCreateAndDestroy(void* automationRoot) {
  void* table = TolvaneRegCreate(automationRoot, nullptr);
  if (table == nullptr) return 0;
  TolvaneRegDestroy(table);
  return 1;
}
}
