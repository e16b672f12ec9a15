// StoreDisplayText: each Find list object owns a ring of three strings that keeps composed
// cell texts alive for the list control after the display request returns. A text handed out
// stays readable through the next two stored texts and is overwritten by the third. The cell
// answers compose narrow texts (the host's, in its ANSI code page); a list that asks for wide
// texts gets them from a second ring of wide strings beside the first.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

template <typename Char>
class BasicDisplayTextRing {
 public:
  using Text = std::basic_string<Char>;
  static constexpr int32_t kSlotCount = 3;

  // Copies text into the next slot and returns that slot's own characters (NUL-terminated).
  // The slot's capacity is reused: once it has held a text this long, nothing is allocated.
  const Char* StoreDisplayText(std::basic_string_view<Char> text) {
    return StoreComposed([text](Text& slot) { slot.assign(text); });
  }

  // Lets compose write straight into the next slot, so a text built from parts needs no
  // temporary string. compose gets the slot with its previous text and must replace all of it
  // (assign, or resize and overwrite): not emptying it first spares rewriting its bytes twice.
  template <typename Compose>
  const Char* StoreComposed(Compose&& compose) {
    Text& slot = slots_[static_cast<std::size_t>(next_)];
    compose(slot);
    next_ = next_ + 1 == kSlotCount ? 0 : next_ + 1;
    return slot.c_str();
  }

 private:
  std::array<Text, kSlotCount> slots_;
  int32_t next_ = 0;
};

using DisplayTextRing = BasicDisplayTextRing<char>;
using WideDisplayTextRing = BasicDisplayTextRing<wchar_t>;

}  // namespace tolvane
