#include "tvef/name_escape.h"

namespace tvef {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

std::string HexByte(unsigned char c) {
  return std::string("0x") + kHexDigits[c >> 4] + kHexDigits[c & 0xF];
}

}  // namespace

std::string EscapeName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (IsControl(byte)) {
          out += "\\x";
          out += kHexDigits[byte >> 4];
          out += kHexDigits[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out;
}

bool UnescapeName(std::string_view text, std::string& name, std::string& problem) {
  name.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsControl(static_cast<unsigned char>(c))) {
      problem = "unescaped control byte " + HexByte(static_cast<unsigned char>(c)) +
                " in the name (write it as \\xHH)";
      return false;
    }
    if (c != '\\') {
      name += c;
      continue;
    }
    if (++i == text.size()) {
      problem = "the name ends in a lone backslash";
      return false;
    }
    switch (text[i]) {
      case '\\':
        name += '\\';
        break;
      case 't':
        name += '\t';
        break;
      case 'n':
        name += '\n';
        break;
      case 'r':
        name += '\r';
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
          problem = "\\x needs two hex digits";
          return false;
        }
        name += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        problem = std::string("unknown escape \\") + text[i];
        return false;
    }
  }
  return true;
}

}  // namespace tvef
