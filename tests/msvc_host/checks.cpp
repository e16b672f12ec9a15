#include "checks.h"

namespace host {
namespace {

int checks = 0;
int failures = 0;
const char* group = "";

void Fail(const char* what, const Text& detail) {
  ++failures;
  Text line("FAIL [");
  line.Add(group).Add("] ").Add(what);
  if (detail.size() > 0) line.Add(": ").Add(detail.c_str());
  line.Add("\n");
  Print(line.c_str());
}

}  // namespace

Text& Text::Add(const char* text) {
  return AddBytes(text, Length(text));
}

Text& Text::AddBytes(const char* bytes, size_t count) {
  for (size_t i = 0; i < count && length_ + 1 < sizeof data_; ++i) data_[length_++] = bytes[i];
  data_[length_] = '\0';
  return *this;
}

Text& Text::Add(const wchar_t* text) {
  for (; text != nullptr && *text != 0; ++text) {
    char unit[8];
    if (*text < 0x80) {
      unit[0] = static_cast<char>(*text);
      AddBytes(unit, 1);
    } else {
      AddBytes(unit, static_cast<size_t>(wsprintfA(unit, "\\u%04X", unsigned(*text))));
    }
  }
  return *this;
}

Text& Text::AddNumber(long value) {
  // 32 bits: 64-bit division would need the C runtime's helpers on x86.
  char digits[16];
  int count = 0;
  const bool negative = value < 0;
  unsigned long rest = negative ? 0 - static_cast<unsigned long>(value) : value;
  do {
    digits[count++] = static_cast<char>('0' + int(rest % 10u));
    rest /= 10u;
  } while (rest != 0);
  if (negative) Add("-");
  while (count > 0) AddBytes(&digits[--count], 1);
  return *this;
}

bool Text::Contains(const char* part) const {
  const size_t partLength = Length(part);
  for (size_t at = 0; at + partLength <= length_; ++at) {
    size_t i = 0;
    while (i < partLength && data_[at + i] == part[i]) ++i;
    if (i == partLength) return true;
  }
  return false;
}

size_t Length(const char* text) {
  size_t length = 0;
  while (text != nullptr && text[length] != '\0') ++length;
  return length;
}

bool Same(const char* a, const char* b) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

void Print(const char* text) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(Length(text)), &written,
              nullptr);
}

void Group(const char* name) {
  group = name;
  Text line("msvc-host: ");
  line.Add(name).Add(" (after ").AddNumber(checks).Add(" checks, ").AddNumber(failures);
  Print(line.Add(" failed)\n").c_str());
}

bool Check(bool ok, const char* what, const Text& detail) {
  ++checks;
  if (!ok) Fail(what, detail);
  return ok;
}

bool CheckText(const char* seen, const char* expected, const char* what) {
  Text detail("seen \"");
  detail.Add(seen).Add("\", expected \"").Add(expected).Add("\"");
  return Check(Same(seen, expected), what, detail);
}

bool CheckText(const wchar_t* seen, const char* expected, const char* what) {
  Text seenText;
  seenText.Add(seen);
  return CheckText(seenText.c_str(), expected, what);
}

bool CheckNumber(long seen, long expected, const char* what) {
  Text detail("seen ");
  detail.AddNumber(seen).Add(", expected ").AddNumber(expected);
  return Check(seen == expected, what, detail);
}

int CheckCount() {
  return checks;
}

int FailureCount() {
  return failures;
}

}  // namespace host
