// The code page the module's narrow texts are in, as far as a scan of them needs it: which bytes
// begin a two-byte character. In the double-byte code pages (932, 936, 949, 950) a lead byte and
// the byte after it are one character, and that second byte may be any byte from 40 up: "|",
// "\\", "^" and, in 949, Latin letters included. No byte below 40 is ever a second byte, and a
// single-byte code page or UTF-8 has no lead bytes at all. On Windows the table comes from the
// thread's code page (framework/thread_code_page.h); tests hand one of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tolvane {

class LeadBytes {
 public:
  // No lead bytes: every byte is a character (single-byte code pages and UTF-8).
  constexpr LeadBytes() = default;

  // Makes the bytes first..last lead bytes.
  constexpr void Add(uint8_t first, uint8_t last) {
    for (unsigned b = first; b <= last; ++b) bits_[b >> 5] |= uint32_t(1) << (b & 31);
  }
  constexpr bool IsLead(char c) const {
    const auto b = static_cast<unsigned char>(c);
    return ((bits_[b >> 5] >> (b & 31)) & 1) != 0;
  }
  constexpr bool Any() const {
    for (const uint32_t word : bits_) {
      if (word != 0) return true;
    }
    return false;
  }

  // The first `c` at or after `from` that is a character of its own, never the second byte of a
  // two-byte character; npos when there is none. `from` must be a character's first byte. A lead
  // byte at the very end of the text is a character alone.
  std::size_t Find(std::string_view text, char c, std::size_t from = 0) const {
    if (!Any()) return text.find(c, from);
    for (std::size_t at = from; at < text.size(); ++at) {
      if (text[at] == c) return at;
      if (IsLead(text[at])) ++at;
    }
    return std::string_view::npos;
  }
  // The size of the character that begins at `at` (which is inside the text): 2 for a lead byte
  // with a byte after it, 1 otherwise.
  std::size_t CharacterSize(std::string_view text, std::size_t at) const {
    return IsLead(text[at]) && at + 1 < text.size() ? 2 : 1;
  }

 private:
  uint32_t bits_[8] = {};
};

}  // namespace tolvane
