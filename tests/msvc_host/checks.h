// The MSVC-ABI host's checks and texts, without any C or C++ runtime: output goes to the console
// through kernel32, every check is counted, and a failed one prints what was seen and expected.
#pragma once

#include <windows.h>

namespace host {

// A bounded text on the stack; what does not fit is cut off.
class Text {
 public:
  Text() { data_[0] = '\0'; }
  explicit Text(const char* text) : Text() { Add(text); }
  Text& Add(const char* text);
  Text& AddBytes(const char* bytes, size_t count);
  Text& Add(const wchar_t* text);  // UTF-16 units above 0x7F as \uXXXX
  Text& AddNumber(long value);
  const char* c_str() const { return data_; }
  size_t size() const { return length_; }
  bool Contains(const char* part) const;

 private:
  char data_[512];
  size_t length_ = 0;
};

bool Same(const char* a, const char* b);  // null reads as empty
size_t Length(const char* text);

void Print(const char* text);
// Names the group the checks that follow belong to (printed, and shown with a failure).
void Group(const char* name);

bool Check(bool ok, const char* what, const Text& detail = Text());
bool CheckText(const char* seen, const char* expected, const char* what);
// UTF-16 units above 0x7F are expected as \uXXXX.
bool CheckText(const wchar_t* seen, const char* expected, const char* what);
bool CheckNumber(long seen, long expected, const char* what);

int CheckCount();
int FailureCount();

}  // namespace host
