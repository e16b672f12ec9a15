#include "reliability_counts.h"

#include "harness/import_patch.h"

namespace tolvane::testing {
namespace {

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  ::EnumChildWindows(window, &CountChild, counter);  // every descendant, not only children
  return TRUE;
}

// The hook functions the module called before the patch, and what the patches counted.
using SetHookFn = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);
using UnhookFn = BOOL(WINAPI*)(HHOOK);
SetHookFn g_setHook = nullptr;
UnhookFn g_unhook = nullptr;
int g_set = 0;
int g_removed = 0;

HHOOK WINAPI CountingSetHook(int kind, HOOKPROC procedure, HINSTANCE module, DWORD thread) {
  HHOOK hook = g_setHook(kind, procedure, module, thread);
  if (hook != nullptr) ++g_set;
  return hook;
}

BOOL WINAPI CountingUnhook(HHOOK hook) {
  const BOOL removed = g_unhook(hook);
  if (removed) ++g_removed;
  return removed;
}

}  // namespace

std::string ResourceCounts::Describe() const {
  return std::to_string(windows) + " windows, " + std::to_string(gdiObjects) + " GDI and " +
         std::to_string(userObjects) + " USER objects";
}

ResourceCounts CountResources() {
  ResourceCounts counts;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CountTopLevel,
                      reinterpret_cast<LPARAM>(&counts.windows));
  counts.gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  counts.userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  return counts;
}

struct HookCounter::Patches {
  ImportPatch set;
  ImportPatch unhook;
  Patches(HMODULE module)
      : set(module, "user32.dll", "SetWindowsHookExA",
            reinterpret_cast<const void*>(&CountingSetHook)),
        unhook(module, "user32.dll", "UnhookWindowsHookEx",
               reinterpret_cast<const void*>(&CountingUnhook)) {}
};

HookCounter::HookCounter(HMODULE module) {
  g_set = g_removed = 0;
  patches_ = new Patches(module);
  g_setHook = reinterpret_cast<SetHookFn>(const_cast<void*>(patches_->set.Original()));
  g_unhook = reinterpret_cast<UnhookFn>(const_cast<void*>(patches_->unhook.Original()));
}

HookCounter::~HookCounter() {
  delete patches_;
}

bool HookCounter::Active() const {
  return patches_->set.Active() && patches_->unhook.Active();
}

int HookCounter::Set() const {
  return g_set;
}

int HookCounter::Removed() const {
  return g_removed;
}

}  // namespace tolvane::testing
