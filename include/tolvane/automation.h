// The IDE's automation interfaces the module calls, COM style: positions 0-2 are
// query-interface, add-reference and release, 3-6 the dispatch operations, and operation N is
// virtual slot N. Unused positions are placeholders that answer "not implemented". On Windows
// the interfaces derive from the platform's IDispatch; elsewhere from an equivalent of our own.
#pragma once

#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <oaidl.h>
#endif
// The automation operations' calling convention: stdcall on 32-bit Windows; x86_64 and other
// platforms have one convention for all calls.
#if defined(_WIN32) && !defined(_WIN64)
#define TOLVANE_STDCALL __stdcall
#else
#define TOLVANE_STDCALL
#endif

namespace tolvane {

#ifdef _WIN32
using ::BSTR;
using ::GUID;
using ::HRESULT;
using ::IDispatch;
using ::IUnknown;
using ::ULONG;
using ::VARIANT;
using ::VARIANT_BOOL;
using WideChar = OLECHAR;  // the character of a BSTR
inline constexpr uint16_t kVariantInt32 = VT_I4;
#else
using HRESULT = int32_t;
using ULONG = uint32_t;
using VARIANT_BOOL = int16_t;
using WideChar = char16_t;  // the character of a BSTR: UTF-16
using BSTR = WideChar*;      // length-counted, allocated by the wide-string seam

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};

// The automation model's tagged value; only the 32-bit integer kind is used.
struct VARIANT {
  uint16_t vt;
  uint16_t reserved1, reserved2, reserved3;
  union {
    int32_t lVal;
    int64_t llVal;
    void* byref;
  };
};
inline constexpr uint16_t kVariantInt32 = 3;

class IUnknown {
 public:
  virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;  // 0
  virtual ULONG AddRef() = 0;                                          // 1
  virtual ULONG Release() = 0;                                         // 2

 protected:
  ~IUnknown() = default;
};

class IDispatch : public IUnknown {
 public:
  virtual HRESULT GetTypeInfoCount(uint32_t* count) = 0;                   // 3
  virtual HRESULT GetTypeInfo(uint32_t index, uint32_t locale, void** info) = 0;  // 4
  virtual HRESULT GetIDsOfNames(const GUID& iid, char16_t** names, uint32_t count,
                                uint32_t locale, int32_t* ids) = 0;       // 5
  virtual HRESULT Invoke(int32_t id, const GUID& iid, uint32_t locale, uint16_t flags,
                         void* params, VARIANT* result, void* exception,
                         uint32_t* argumentError) = 0;                   // 6

 protected:
  ~IDispatch() = default;
};
#endif

inline constexpr HRESULT kNotImplemented = HRESULT(0x80004001u);
inline constexpr HRESULT kNoInterface = HRESULT(0x80004002u);
inline constexpr HRESULT kOk = 0;
inline constexpr VARIANT_BOOL kAutomationTrue = -1;
inline constexpr VARIANT_BOOL kAutomationFalse = 0;

// {CB218890-1382-472B-9118-782700C88115}
inline constexpr GUID kIID_TextDocument = {
    0xCB218890, 0x1382, 0x472B, {0x91, 0x18, 0x78, 0x27, 0x00, 0xC8, 0x81, 0x15}};

inline bool SameGuid(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}

class AutomationWindow;
class AutomationDocument;
class ItemOperations;
class TextSelection;
class TextPoint;

#define TOLVANE_UNUSED_SLOT(n) \
  virtual HRESULT TOLVANE_STDCALL Unused##n() { return kNotImplemented; }

// The IDE's automation root object.
class AutomationRoot : public IDispatch {
 public:
  TOLVANE_UNUSED_SLOT(7) TOLVANE_UNUSED_SLOT(8) TOLVANE_UNUSED_SLOT(9) TOLVANE_UNUSED_SLOT(10) TOLVANE_UNUSED_SLOT(11) TOLVANE_UNUSED_SLOT(12)
  TOLVANE_UNUSED_SLOT(13)
  virtual HRESULT TOLVANE_STDCALL get_MainWindow(AutomationWindow** window) = 0;  // 14
  TOLVANE_UNUSED_SLOT(15) TOLVANE_UNUSED_SLOT(16) TOLVANE_UNUSED_SLOT(17) TOLVANE_UNUSED_SLOT(18) TOLVANE_UNUSED_SLOT(19) TOLVANE_UNUSED_SLOT(20)
  TOLVANE_UNUSED_SLOT(21) TOLVANE_UNUSED_SLOT(22) TOLVANE_UNUSED_SLOT(23) TOLVANE_UNUSED_SLOT(24) TOLVANE_UNUSED_SLOT(25) TOLVANE_UNUSED_SLOT(26)
  TOLVANE_UNUSED_SLOT(27) TOLVANE_UNUSED_SLOT(28) TOLVANE_UNUSED_SLOT(29) TOLVANE_UNUSED_SLOT(30) TOLVANE_UNUSED_SLOT(31) TOLVANE_UNUSED_SLOT(32)
  TOLVANE_UNUSED_SLOT(33) TOLVANE_UNUSED_SLOT(34) TOLVANE_UNUSED_SLOT(35) TOLVANE_UNUSED_SLOT(36) TOLVANE_UNUSED_SLOT(37) TOLVANE_UNUSED_SLOT(38)
  TOLVANE_UNUSED_SLOT(39) TOLVANE_UNUSED_SLOT(40) TOLVANE_UNUSED_SLOT(41)
  virtual HRESULT TOLVANE_STDCALL get_ItemOperations(ItemOperations** operations) = 0;  // 42
};

// A window of the IDE: the main window or one showing a document.
class AutomationWindow : public IDispatch {
 public:
  TOLVANE_UNUSED_SLOT(7) TOLVANE_UNUSED_SLOT(8) TOLVANE_UNUSED_SLOT(9) TOLVANE_UNUSED_SLOT(10) TOLVANE_UNUSED_SLOT(11) TOLVANE_UNUSED_SLOT(12)
  TOLVANE_UNUSED_SLOT(13) TOLVANE_UNUSED_SLOT(14) TOLVANE_UNUSED_SLOT(15) TOLVANE_UNUSED_SLOT(16) TOLVANE_UNUSED_SLOT(17) TOLVANE_UNUSED_SLOT(18)
  TOLVANE_UNUSED_SLOT(19) TOLVANE_UNUSED_SLOT(20) TOLVANE_UNUSED_SLOT(21) TOLVANE_UNUSED_SLOT(22) TOLVANE_UNUSED_SLOT(23) TOLVANE_UNUSED_SLOT(24)
  TOLVANE_UNUSED_SLOT(25) TOLVANE_UNUSED_SLOT(26)
  virtual HRESULT TOLVANE_STDCALL get_HWnd(int32_t* handle) = 0;  // 27: native handle
  TOLVANE_UNUSED_SLOT(28) TOLVANE_UNUSED_SLOT(29) TOLVANE_UNUSED_SLOT(30) TOLVANE_UNUSED_SLOT(31) TOLVANE_UNUSED_SLOT(32) TOLVANE_UNUSED_SLOT(33)
  TOLVANE_UNUSED_SLOT(34)
  virtual HRESULT TOLVANE_STDCALL get_Document(AutomationDocument** document) = 0;  // 35
};

// The IDE's item operations: opening files.
class ItemOperations : public IDispatch {
 public:
  TOLVANE_UNUSED_SLOT(7) TOLVANE_UNUSED_SLOT(8)
  virtual HRESULT TOLVANE_STDCALL OpenFile(BSTR fileName, BSTR viewKind,
                                           AutomationWindow** window) = 0;  // 9
};

// A document open in the IDE.
class AutomationDocument : public IDispatch {
 public:
  TOLVANE_UNUSED_SLOT(7) TOLVANE_UNUSED_SLOT(8) TOLVANE_UNUSED_SLOT(9) TOLVANE_UNUSED_SLOT(10) TOLVANE_UNUSED_SLOT(11) TOLVANE_UNUSED_SLOT(12)
  TOLVANE_UNUSED_SLOT(13) TOLVANE_UNUSED_SLOT(14) TOLVANE_UNUSED_SLOT(15) TOLVANE_UNUSED_SLOT(16) TOLVANE_UNUSED_SLOT(17) TOLVANE_UNUSED_SLOT(18)
  TOLVANE_UNUSED_SLOT(19) TOLVANE_UNUSED_SLOT(20) TOLVANE_UNUSED_SLOT(21) TOLVANE_UNUSED_SLOT(22) TOLVANE_UNUSED_SLOT(23) TOLVANE_UNUSED_SLOT(24)
  TOLVANE_UNUSED_SLOT(25)
  virtual HRESULT TOLVANE_STDCALL Object(BSTR modelKind, IDispatch** object) = 0;  // 26
};

// The text view of a document, reached by query-interface with kIID_TextDocument.
class TextDocument : public IDispatch {
 public:
  TOLVANE_UNUSED_SLOT(7) TOLVANE_UNUSED_SLOT(8)
  virtual HRESULT TOLVANE_STDCALL get_Selection(TextSelection** selection) = 0;  // 9
};

// The editor's caret and selection in a text document.
class TextSelection : public IDispatch {
 public:
  TOLVANE_UNUSED_SLOT(7) TOLVANE_UNUSED_SLOT(8) TOLVANE_UNUSED_SLOT(9)
  virtual HRESULT TOLVANE_STDCALL get_ActivePoint(TextPoint** point) = 0;  // 10
  TOLVANE_UNUSED_SLOT(11) TOLVANE_UNUSED_SLOT(12) TOLVANE_UNUSED_SLOT(13) TOLVANE_UNUSED_SLOT(14) TOLVANE_UNUSED_SLOT(15) TOLVANE_UNUSED_SLOT(16)
  TOLVANE_UNUSED_SLOT(17) TOLVANE_UNUSED_SLOT(18) TOLVANE_UNUSED_SLOT(19) TOLVANE_UNUSED_SLOT(20) TOLVANE_UNUSED_SLOT(21) TOLVANE_UNUSED_SLOT(22)
  TOLVANE_UNUSED_SLOT(23) TOLVANE_UNUSED_SLOT(24) TOLVANE_UNUSED_SLOT(25) TOLVANE_UNUSED_SLOT(26) TOLVANE_UNUSED_SLOT(27) TOLVANE_UNUSED_SLOT(28)
  TOLVANE_UNUSED_SLOT(29) TOLVANE_UNUSED_SLOT(30) TOLVANE_UNUSED_SLOT(31) TOLVANE_UNUSED_SLOT(32) TOLVANE_UNUSED_SLOT(33)
  virtual HRESULT TOLVANE_STDCALL EndOfLine(VARIANT_BOOL extend) = 0;  // 34
  virtual HRESULT TOLVANE_STDCALL StartOfLine(int32_t where, VARIANT_BOOL extend) = 0;  // 35
  TOLVANE_UNUSED_SLOT(36) TOLVANE_UNUSED_SLOT(37) TOLVANE_UNUSED_SLOT(38) TOLVANE_UNUSED_SLOT(39)
  virtual HRESULT TOLVANE_STDCALL FindText(BSTR text, int32_t flags, VARIANT_BOOL* found) = 0;  // 40
  TOLVANE_UNUSED_SLOT(41) TOLVANE_UNUSED_SLOT(42) TOLVANE_UNUSED_SLOT(43) TOLVANE_UNUSED_SLOT(44) TOLVANE_UNUSED_SLOT(45) TOLVANE_UNUSED_SLOT(46)
  TOLVANE_UNUSED_SLOT(47) TOLVANE_UNUSED_SLOT(48) TOLVANE_UNUSED_SLOT(49) TOLVANE_UNUSED_SLOT(50) TOLVANE_UNUSED_SLOT(51) TOLVANE_UNUSED_SLOT(52)
  TOLVANE_UNUSED_SLOT(53) TOLVANE_UNUSED_SLOT(54) TOLVANE_UNUSED_SLOT(55) TOLVANE_UNUSED_SLOT(56) TOLVANE_UNUSED_SLOT(57) TOLVANE_UNUSED_SLOT(58)
  TOLVANE_UNUSED_SLOT(59) TOLVANE_UNUSED_SLOT(60) TOLVANE_UNUSED_SLOT(61) TOLVANE_UNUSED_SLOT(62) TOLVANE_UNUSED_SLOT(63) TOLVANE_UNUSED_SLOT(64)
  TOLVANE_UNUSED_SLOT(65) TOLVANE_UNUSED_SLOT(66) TOLVANE_UNUSED_SLOT(67) TOLVANE_UNUSED_SLOT(68) TOLVANE_UNUSED_SLOT(69) TOLVANE_UNUSED_SLOT(70)
  TOLVANE_UNUSED_SLOT(71)
  virtual HRESULT TOLVANE_STDCALL MoveToLineAndOffset(int32_t line, int32_t column,
                                                      VARIANT_BOOL extend) = 0;  // 72
};

// A position in a text document.
class TextPoint : public IDispatch {
 public:
  TOLVANE_UNUSED_SLOT(7) TOLVANE_UNUSED_SLOT(8) TOLVANE_UNUSED_SLOT(9) TOLVANE_UNUSED_SLOT(10) TOLVANE_UNUSED_SLOT(11) TOLVANE_UNUSED_SLOT(12)
  TOLVANE_UNUSED_SLOT(13) TOLVANE_UNUSED_SLOT(14) TOLVANE_UNUSED_SLOT(15) TOLVANE_UNUSED_SLOT(16) TOLVANE_UNUSED_SLOT(17) TOLVANE_UNUSED_SLOT(18)
  TOLVANE_UNUSED_SLOT(19) TOLVANE_UNUSED_SLOT(20)
  virtual HRESULT TOLVANE_STDCALL TryToShow(int32_t how, VARIANT count, VARIANT_BOOL* shown) = 0;  // 21
};

#undef TOLVANE_UNUSED_SLOT

}  // namespace tolvane
