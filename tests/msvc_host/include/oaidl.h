// The part of the platform's automation types that the public headers and the MSVC-ABI test host
// use: IUnknown and IDispatch with their methods in vtable order and the COM calling convention,
// BSTR, VARIANT and VARIANT_BOOL.
#pragma once

#include <windows.h>

#ifdef _WIN64
#define STDMETHODCALLTYPE
#else
#define STDMETHODCALLTYPE __stdcall
#endif

typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
typedef OLECHAR* LPOLESTR;
typedef short VARIANT_BOOL;
typedef unsigned short VARTYPE;
typedef LONG DISPID;

enum VARENUM { VT_I4 = 3 };

// Only the 32-bit integer member is used; the record member gives the union its size
// (16 bytes on x86, 24 on x64), which matters when a VARIANT is passed by value.
struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONG lVal;
    long long llVal;
    void* byref;
    struct {
      void* pvRecord;
      void* pRecInfo;
    } brecVal;
  };
};
#ifdef _WIN64
static_assert(sizeof(VARIANT) == 24, "VARIANT is 24 bytes on x64");
#else
static_assert(sizeof(VARIANT) == 16, "VARIANT is 16 bytes on x86");
#endif

struct ITypeInfo;
struct DISPPARAMS;
struct EXCEPINFO;

struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
};

struct IDispatch : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count,
                                                  LCID locale, DISPID* ids) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                           DISPPARAMS* params, VARIANT* result,
                                           EXCEPINFO* exception, UINT* argumentError) = 0;
};
