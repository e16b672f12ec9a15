// A DLL of the shared libgcc's name, as another add-in may ship one built another way: the
// module's start-up code hands it the module's unwind tables (by the name alone), and it cannot
// say where they lie. Built three ways: without _Unwind_Find_FDE (FINDS undefined), with one
// that finds nothing (FINDS=0), and with one that answers an address outside the module (FINDS=1).
// No C runtime of its own: its own start-up would look for itself by that name and hold itself.
extern "C" {

__declspec(dllexport) void __register_frame_info(const void*, void*) {}

__declspec(dllexport) void* __deregister_frame_info(const void*) {
  return nullptr;
}

#ifdef FINDS
static const int ownTables = 0;

__declspec(dllexport) const void* _Unwind_Find_FDE(void*, void*) {
  return FINDS ? &ownTables : nullptr;
}
#endif

int __stdcall DllMainCRTStartup(void*, unsigned long, void*) {
  return 1;
}

}  // extern "C"
