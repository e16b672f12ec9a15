// StoreDisplayText: each Find list object owns a ring of three text slots that keeps its cell
// texts alive for the list control after the display request returns. A text handed out stays
// readable through the next two stored texts and is overwritten by the third. The cell answers
// store narrow texts (the host's, in its ANSI code page); a list that asks for wide texts gets
// them from a second ring of wide slots beside the first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

namespace tolvane {

// The slots are plain character buffers rather than strings: a text composed of parts, or
// copied while being changed, is written with one room check and no library call per part.
template <typename Char>
class BasicDisplayTextRing {
 public:
  static constexpr int32_t kSlotCount = 3;

  // Copies text into the next slot and returns that slot's own characters (NUL-terminated).
  // A slot's buffer is reused: once it has held a text this long, nothing is allocated.
  const Char* StoreDisplayText(std::basic_string_view<Char> text) {
    Char* slot = NextSlot(text.size());
    text.copy(slot, text.size());
    return Commit(text.size());
  }

  // Room for a text of `length` characters and its NUL in the next slot, for the caller to
  // write the text into and hand out with Commit. The slot's previous text is not kept. Throws
  // std::bad_alloc when the room cannot be had; asking again before Commit is allowed.
  Char* NextSlot(std::size_t length) {
    Slot& slot = slots_[static_cast<std::size_t>(next_)];
    if (length >= slot.capacity) Grow(slot, length);
    return slot.text.get();
  }

  // Ends the next slot's text after `length` characters (at most the room NextSlot made),
  // moves on, and returns the text.
  const Char* Commit(std::size_t length) {
    Char* text = slots_[static_cast<std::size_t>(next_)].text.get();
    text[length] = Char();
    next_ = next_ + 1 == kSlotCount ? 0 : next_ + 1;
    return text;
  }

 private:
  struct Slot {
    std::unique_ptr<Char[]> text;
    std::size_t capacity = 0;  // characters, the NUL included
  };

  // At least doubling, and room for a typical cell at once, so that slots reallocate rarely.
  static void Grow(Slot& slot, std::size_t length) {
    if (length >= PTRDIFF_MAX / sizeof(Char) / 2) throw std::bad_alloc();
    constexpr std::size_t kFirstCapacity = 64;
    std::size_t capacity = slot.capacity == 0 ? kFirstCapacity : 2 * slot.capacity;
    if (capacity < length + 1) capacity = length + 1;
    slot.text = std::make_unique_for_overwrite<Char[]>(capacity);
    slot.capacity = capacity;
  }

  Slot slots_[kSlotCount];
  int32_t next_ = 0;
};

using DisplayTextRing = BasicDisplayTextRing<char>;
using WideDisplayTextRing = BasicDisplayTextRing<wchar_t>;

}  // namespace tolvane
