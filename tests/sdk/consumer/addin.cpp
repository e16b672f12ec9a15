// A minimal host: links TolvaneReg through its import library, hands it an automation root whose
// main window is a real window, checks the table it gets back, and reads the DLL's version
// resource. Prints one line per fact; exits non-zero on the first that does not hold.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tolvane/tolvane.h"

namespace {

// Reference counting and the dispatch operations every automation object answers the same way.
template <typename Interface>
class Automation : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  ULONG references = 0;
};

class MainWindow : public Automation<tolvane::AutomationWindow> {
 public:
  explicit MainWindow(HWND window) : window_(window) {}
  HRESULT STDMETHODCALLTYPE get_HWnd(int32_t* handle) override {
    *handle = static_cast<int32_t>(reinterpret_cast<INT_PTR>(window_));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Document(tolvane::AutomationDocument**) override {
    return E_NOTIMPL;
  }

 private:
  HWND window_;
};

class Root : public Automation<tolvane::AutomationRoot> {
 public:
  explicit Root(MainWindow* main) : main_(main) {}
  HRESULT STDMETHODCALLTYPE get_MainWindow(tolvane::AutomationWindow** window) override {
    main_->AddRef();
    *window = main_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_ItemOperations(tolvane::ItemOperations**) override {
    return E_NOTIMPL;
  }

 private:
  MainWindow* main_;
};

int Fail(const char* what) {
  std::printf("FAILED: %s\n", what);
  return 1;
}

std::string VersionString(const char* path, const char* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return {};
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(path, 0, size, block.data())) return {};
  char* value = nullptr;
  UINT length = 0;
  const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
    return {};
  return std::string(value, length > 0 ? length - 1 : 0);
}

}  // namespace

int main() {
  HWND window = CreateWindowExA(0, "STATIC", "sdk consumer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) return Fail("no main window");
  MainWindow main(window);
  Root root(&main);

  tolvane::OpsTable* table = TolvaneRegCreate(&root, nullptr);
  if (!table) return Fail("TolvaneRegCreate returned no table");
  for (int slot : {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
    if (!table->slots[slot]) return Fail("a table entry is unset");
  }
  std::printf("table: entries 1-3 and 5-14 set\n");
  if (root.references != 1) return Fail("the module does not hold one reference on the root");
  TolvaneRegDestroy(table);
  if (root.references != 0) return Fail("destruction kept a reference on the root");
  std::printf("destroy: automation root released\n");

  char path[MAX_PATH] = {};
  if (!GetModuleFileNameA(GetModuleHandleA("TolvaneReg.dll"), path, MAX_PATH))
    return Fail("TolvaneReg.dll is not loaded");
  std::printf("module: %s\n", path);
  std::printf("ProductName: %s\n", VersionString(path, "ProductName").c_str());
  std::printf("FileVersion: %s\n", VersionString(path, "FileVersion").c_str());
  std::printf("OriginalFilename: %s\n", VersionString(path, "OriginalFilename").c_str());
  DestroyWindow(window);
  return 0;
}
