// The base of every fake automation object: the seven operations that every automation
// interface starts with (query-interface, add-reference, release and the four dispatch
// operations), for the platform's IDispatch on Windows and for the native equivalent alike.
// Reference counts start at 0 and belong to the test's model: objects are never deleted by a
// release, so a test can read every count after the code under test has finished.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tolvane/automation.h"

namespace tolvane::testing {

#ifdef _WIN32
using DispCount = UINT;
using DispLocale = LCID;
using DispTypeInfo = ITypeInfo*;
using DispName = LPOLESTR;
using DispMemberId = DISPID;
using DispFlags = WORD;
using DispParams = DISPPARAMS;
using DispException = EXCEPINFO;
#else
using DispCount = uint32_t;
using DispLocale = uint32_t;
using DispTypeInfo = void*;
using DispName = char16_t*;
using DispMemberId = int32_t;
using DispFlags = uint16_t;
using DispParams = void;
using DispException = void;
#endif

inline constexpr HRESULT kFakeFailure = HRESULT(0x80004005u);  // the platform's general failure
inline constexpr HRESULT kFakeBadArgument = HRESULT(0x80070057u);
inline constexpr HRESULT kFakeBadPointer = HRESULT(0x80004003u);

std::string GuidText(const GUID& iid);         // "{CB218890-1382-472B-9118-782700C88115}"
std::string NarrowText(const WideChar* text);  // "<null>" for null; non-ASCII becomes '?'
std::string TruthText(VARIANT_BOOL value);     // "true" (-1), "false" (0), else the number

// A fake object's name and reference count, seen without its interface.
struct FakeCounted {
  std::string name;
  long references = 0;
};

// Every fake object of one model, the calls made on them and their releases.
class FakeObjectRegistry {
 public:
  void Enlist(const FakeCounted* object) { objects_.push_back(object); }
  void Record(std::string call) { calls_.push_back(std::move(call)); }
  // `held`: whether the object had a reference to give back.
  void RecordRelease(const std::string& objectName, bool held);

  // "Object.Operation(arguments)" for each call, in order (reference counting left out).
  const std::vector<std::string>& Calls() const { return calls_; }
  bool Called(const std::string& call) const;
  // The names of released objects, one per release, in order.
  const std::vector<std::string>& Releases() const { return releases_; }
  void ClearCalls();

  std::map<std::string, long> ReferenceSnapshot() const;
  // Each object whose count differs from the snapshot, "Name: before -> now"; empty when none.
  std::string ReferenceChangesSince(const std::map<std::string, long>& snapshot) const;
  // Releases of an object that held no reference.
  int OverReleases() const { return overReleases_; }

 private:
  std::vector<const FakeCounted*> objects_;
  std::vector<std::string> calls_;
  std::vector<std::string> releases_;
  int overReleases_ = 0;
};

template <typename Interface>
class FakeComObject : public Interface, public FakeCounted {
 public:
  FakeComObject(FakeObjectRegistry& registry, std::string objectName) : registry_(registry) {
    name = std::move(objectName);
    registry_.Enlist(this);
  }
  FakeComObject(const FakeComObject&) = delete;
  FakeComObject& operator=(const FakeComObject&) = delete;

  HRESULT TOLVANE_STDCALL QueryInterface(const GUID& iid, void** object) override {
    Record("QueryInterface(" + GuidText(iid) + ")");
    if (object == nullptr) return kFakeBadPointer;
    IUnknown* offered = IsBaseInterface(iid) ? static_cast<Interface*>(this) : Offer(iid);
    *object = offered;
    if (offered == nullptr) return kNoInterface;
    offered->AddRef();
    return kOk;
  }
  ULONG TOLVANE_STDCALL AddRef() override { return static_cast<ULONG>(++references); }
  ULONG TOLVANE_STDCALL Release() override {
    registry_.RecordRelease(name, references > 0);
    if (references > 0) --references;
    return static_cast<ULONG>(references);
  }
  HRESULT TOLVANE_STDCALL GetTypeInfoCount(DispCount* count) override {
    Record("GetTypeInfoCount");
    if (count == nullptr) return kFakeBadPointer;
    *count = 0;  // no type information
    return kOk;
  }
  HRESULT TOLVANE_STDCALL GetTypeInfo(DispCount, DispLocale, DispTypeInfo* info) override {
    Record("GetTypeInfo");
    if (info != nullptr) *info = nullptr;
    return kNotImplemented;
  }
  HRESULT TOLVANE_STDCALL GetIDsOfNames(const GUID&, DispName*, DispCount, DispLocale,
                                        DispMemberId*) override {
    Record("GetIDsOfNames");
    return kNotImplemented;
  }
  HRESULT TOLVANE_STDCALL Invoke(DispMemberId, const GUID&, DispLocale, DispFlags, DispParams*,
                                 VARIANT*, DispException*, DispCount*) override {
    Record("Invoke");
    return kNotImplemented;
  }

 protected:
  ~FakeComObject() = default;

  // Another interface this object answers query-interface with; null when none. The base
  // takes the reference on what is returned.
  virtual IUnknown* Offer(const GUID&) { return nullptr; }

  void Record(const std::string& operation) { registry_.Record(name + "." + operation); }
  FakeObjectRegistry& registry() { return registry_; }

 private:
  static bool IsBaseInterface(const GUID& iid) {
    constexpr GUID kUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    constexpr GUID kDispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    return SameGuid(iid, kUnknown) || SameGuid(iid, kDispatch);
  }

  FakeObjectRegistry& registry_;
};

}  // namespace tolvane::testing
