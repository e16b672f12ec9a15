// The part of the platform's <windows.h> that the public headers and the MSVC-ABI test host use,
// for a build without any SDK or C runtime: types, constants and the kernel32, user32, comctl32
// and advapi32 functions, with the platform's layouts and calling conventions.
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN64
#define WINAPI
#else
#define WINAPI __stdcall
#endif
#define CALLBACK WINAPI
#define WINAPI_IMPORT extern "C" __declspec(dllimport)

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned long DWORD;
typedef unsigned int UINT;
typedef long LONG;
typedef unsigned long ULONG;
typedef char CHAR;
typedef wchar_t WCHAR;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef ULONG_PTR SIZE_T;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef long HRESULT;
typedef DWORD LCID;
typedef void* HANDLE;
typedef void* LPVOID;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef const WCHAR* LPCWSTR;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct HMENU__* HMENU;
typedef struct HKEY__* HKEY;

#define TRUE 1
#define FALSE 0

struct GUID {
  unsigned long Data1;
  unsigned short Data2;
  unsigned short Data3;
  unsigned char Data4[8];
};
typedef GUID IID;
typedef const IID& REFIID;

struct POINT {
  LONG x, y;
};

// kernel32
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define GENERIC_READ 0x80000000u
#define FILE_SHARE_READ 0x1
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x80
#define PAGE_READWRITE 0x04

WINAPI_IMPORT HANDLE WINAPI GetProcessHeap();
WINAPI_IMPORT LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
WINAPI_IMPORT BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID memory);
WINAPI_IMPORT BOOL WINAPI HeapValidate(HANDLE heap, DWORD flags, const void* memory);
WINAPI_IMPORT void WINAPI ExitProcess(UINT code);
WINAPI_IMPORT HANDLE WINAPI GetStdHandle(DWORD which);
WINAPI_IMPORT BOOL WINAPI WriteFile(HANDLE file, const void* data, DWORD bytes, DWORD* written,
                                    void* overlapped);
WINAPI_IMPORT BOOL WINAPI ReadFile(HANDLE file, void* data, DWORD bytes, DWORD* read,
                                   void* overlapped);
WINAPI_IMPORT HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD share, void* security,
                                        DWORD disposition, DWORD attributes, HANDLE templateFile);
WINAPI_IMPORT BOOL WINAPI CloseHandle(HANDLE handle);
WINAPI_IMPORT BOOL WINAPI DeleteFileA(LPCSTR name);
WINAPI_IMPORT DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);
WINAPI_IMPORT HMODULE WINAPI GetModuleHandleA(LPCSTR name);
WINAPI_IMPORT BOOL WINAPI VirtualProtect(void* address, SIZE_T bytes, DWORD protection,
                                         DWORD* previous);
WINAPI_IMPORT UINT WINAPI GetACP();
typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID);
#define INFINITE 0xFFFFFFFFu
WINAPI_IMPORT HANDLE WINAPI CreateThread(void* security, SIZE_T stackSize,
                                         LPTHREAD_START_ROUTINE start, LPVOID parameter,
                                         DWORD flags, DWORD* threadId);
WINAPI_IMPORT DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
struct SYSTEM_INFO {
  DWORD dwOemId;  // the platform's union of it with the processor architecture
  DWORD dwPageSize;
  LPVOID lpMinimumApplicationAddress;
  LPVOID lpMaximumApplicationAddress;
  ULONG_PTR dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
};
WINAPI_IMPORT void WINAPI GetSystemInfo(SYSTEM_INFO* info);

// user32
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
#pragma pack(push, 2)
struct DLGTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
};
#pragma pack(pop)
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_SYSMENU 0x00080000L
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define CBS_DROPDOWN 0x0002L
#define CBS_AUTOHSCROLL 0x0040L

#define WM_NOTIFY 0x004E
#define WM_INITDIALOG 0x0110
#define CB_GETLBTEXT 0x0148
#define PM_REMOVE 0x0001

WINAPI_IMPORT HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title,
                                          DWORD style, int x, int y, int width, int height,
                                          HWND parent, HMENU menu, HINSTANCE instance,
                                          LPVOID param);
WINAPI_IMPORT HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title,
                                          DWORD style, int x, int y, int width, int height,
                                          HWND parent, HMENU menu, HINSTANCE instance,
                                          LPVOID param);
WINAPI_IMPORT HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance,
                                                     const DLGTEMPLATE* dialogTemplate, HWND parent,
                                                     DLGPROC procedure, LPARAM param);
WINAPI_IMPORT HWND WINAPI CreateDialogIndirectParamW(HINSTANCE instance,
                                                     const DLGTEMPLATE* dialogTemplate, HWND parent,
                                                     DLGPROC procedure, LPARAM param);
WINAPI_IMPORT BOOL WINAPI DestroyWindow(HWND window);
WINAPI_IMPORT HWND WINAPI GetDlgItem(HWND dialog, int id);
WINAPI_IMPORT LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WINAPI_IMPORT LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WINAPI_IMPORT BOOL WINAPI PeekMessageA(MSG* message, HWND window, UINT first, UINT last,
                                       UINT remove);
WINAPI_IMPORT BOOL WINAPI TranslateMessage(const MSG* message);
WINAPI_IMPORT LRESULT WINAPI DispatchMessageA(const MSG* message);
WINAPI_IMPORT int __cdecl wsprintfA(LPSTR out, LPCSTR format, ...);

// comctl32: list-view and header controls
struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_STANDARD_CLASSES 0x00004000

// LVITEMA and LVITEMW differ only in the text's character type.
template <typename Char>
struct LVITEM_OF {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  Char* pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
  int iGroupId;
  UINT cColumns;
  UINT* puColumns;
  int* piColFmt;
  int iGroup;
};
typedef LVITEM_OF<CHAR> LVITEMA;
typedef LVITEM_OF<WCHAR> LVITEMW;
struct NMLVDISPINFOA {
  NMHDR hdr;
  LVITEMA item;
};
struct NMLVDISPINFOW {
  NMHDR hdr;
  LVITEMW item;
};

#define LVS_REPORT 0x0001
#define LVS_OWNERDATA 0x1000
#define LVIF_TEXT 0x0001
#define LVM_FIRST 0x1000
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVN_GETDISPINFOA (0U - 100U - 50U)
#define LVN_GETDISPINFOW (0U - 100U - 77U)

WINAPI_IMPORT BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);

// advapi32
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))

WINAPI_IMPORT LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey);

#include <oaidl.h>
