// An in-memory dialog template (DLGTEMPLATE and its DLGITEMTEMPLATEs), built in code so the host
// needs no resource script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tolvane::host {

class DialogTemplate {
 public:
  // Sizes in dialog units; the dialog uses the shell's dialog font.
  DialogTemplate(const wchar_t* title, short width, short height);

  // `windowClass` is a class name ("SysListView32") or one of the predefined atoms below.
  void AddItem(const wchar_t* windowClass, const wchar_t* text, WORD id, DWORD style, short x,
               short y, short cx, short cy);
  void AddItem(WORD classAtom, const wchar_t* text, WORD id, DWORD style, short x, short y,
               short cx, short cy);

  static constexpr WORD kButton = 0x0080;
  static constexpr WORD kStatic = 0x0082;
  static constexpr WORD kComboBox = 0x0085;

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void AddItemHeader(DWORD style, WORD id, short x, short y, short cx, short cy);
  void AddText(const wchar_t* text);
  void AlignToDword();

  std::vector<WORD> words_;
};

}  // namespace tolvane::host
