#include "dialog_template.h"

#include <cstring>

namespace tolvane::host {

namespace {

void PutDword(std::vector<WORD>& words, DWORD value) {
  words.push_back(LOWORD(value));
  words.push_back(HIWORD(value));
}

}  // namespace

DialogTemplate::DialogTemplate(const wchar_t* title, short width, short height) {
  const DWORD style =
      DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  PutDword(words_, style);
  PutDword(words_, 0);  // extended style
  words_.push_back(0);  // item count, raised by AddItem
  words_.push_back(WORD(short(20)));
  words_.push_back(WORD(short(20)));
  words_.push_back(WORD(width));
  words_.push_back(WORD(height));
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the predefined dialog class
  AddText(title);
  words_.push_back(8);  // point size of the font
  AddText(L"MS Shell Dlg");
}

void DialogTemplate::AddText(const wchar_t* text) {
  for (const wchar_t* p = text; *p != 0; ++p) words_.push_back(WORD(*p));
  words_.push_back(0);
}

void DialogTemplate::AlignToDword() {
  if (words_.size() % 2 != 0) words_.push_back(0);
}

void DialogTemplate::AddItemHeader(DWORD style, WORD id, short x, short y, short cx, short cy) {
  AlignToDword();
  PutDword(words_, style | WS_CHILD | WS_VISIBLE);
  PutDword(words_, 0);
  words_.push_back(WORD(x));
  words_.push_back(WORD(y));
  words_.push_back(WORD(cx));
  words_.push_back(WORD(cy));
  words_.push_back(id);
  ++words_[4];  // cdit, the fifth word of DLGTEMPLATE
}

void DialogTemplate::AddItem(const wchar_t* windowClass, const wchar_t* text, WORD id, DWORD style,
                             short x, short y, short cx, short cy) {
  AddItemHeader(style, id, x, y, cx, cy);
  AddText(windowClass);
  AddText(text);
  words_.push_back(0);  // no creation data
}

void DialogTemplate::AddItem(WORD classAtom, const wchar_t* text, WORD id, DWORD style, short x,
                             short y, short cx, short cy) {
  AddItemHeader(style, id, x, y, cx, cy);
  words_.push_back(0xFFFF);
  words_.push_back(classAtom);
  AddText(text);
  words_.push_back(0);
}

}  // namespace tolvane::host
