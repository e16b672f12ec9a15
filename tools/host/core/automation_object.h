// Reference counting, interface query and the (unused) dispatch operations shared by every
// object of the host's automation model. An object starts with one reference, owned by whoever
// created it, and deletes itself when the last one is released.
#pragma once

#include <cstdint>

#include "tolvane/automation.h"

namespace tolvane::host {

// {00000000-0000-0000-C000-000000000046} and {00020400-0000-0000-C000-000000000046}
inline constexpr GUID kIID_Unknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID kIID_Dispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr HRESULT kFail = HRESULT(0x80004005u);
inline constexpr HRESULT kPointer = HRESULT(0x80004003u);

// How many automation objects of the host are alive: the tests' check for leaks.
int& AutomationObjectsAlive();

template <class Interface>
class AutomationObject : public Interface {
 public:
  AutomationObject() { ++AutomationObjectsAlive(); }
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;

#ifdef _WIN32
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return Query(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return ++references_;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    return Drop();
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return kOk;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return kNotImplemented;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return kNotImplemented;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return kNotImplemented;
  }
#else
  HRESULT QueryInterface(const GUID& iid, void** out) override {
    return Query(iid, out);
  }
  ULONG AddRef() override {
    return ++references_;
  }
  ULONG Release() override {
    return Drop();
  }
  HRESULT GetTypeInfoCount(uint32_t* count) override {
    if (count != nullptr) *count = 0;
    return kOk;
  }
  HRESULT GetTypeInfo(uint32_t, uint32_t, void**) override {
    return kNotImplemented;
  }
  HRESULT GetIDsOfNames(const GUID&, char16_t**, uint32_t, uint32_t, int32_t*) override {
    return kNotImplemented;
  }
  HRESULT Invoke(int32_t, const GUID&, uint32_t, uint16_t, void*, VARIANT*, void*,
                 uint32_t*) override {
    return kNotImplemented;
  }
#endif

 protected:
  virtual ~AutomationObject() {
    --AutomationObjectsAlive();
  }
  // The interface this object offers beyond IUnknown and IDispatch, if any.
  virtual bool Offers(const GUID&) const {
    return false;
  }

 private:
  HRESULT Query(const GUID& iid, void** out) {
    if (out == nullptr) return kPointer;
    if (SameGuid(iid, kIID_Unknown) || SameGuid(iid, kIID_Dispatch) || Offers(iid)) {
      *out = static_cast<Interface*>(this);
      ++references_;
      return kOk;
    }
    *out = nullptr;
    return kNoInterface;
  }
  ULONG Drop() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  ULONG references_ = 1;
};

}  // namespace tolvane::host
