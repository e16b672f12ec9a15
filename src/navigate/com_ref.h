// One counted automation reference, released when the holder lets go of it, also on the way
// out of an exception.
#pragma once

#include <utility>

namespace tolvane {

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  // What was held is released as `taken` goes; moved into itself, a holder keeps its object.
  ComRef& operator=(ComRef&& other) noexcept {
    ComRef taken(std::move(other));
    std::swap(object_, taken.object_);
    return *this;
  }
  ~ComRef() { Reset(); }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Holds `object` (a reference of its own) in place of what was held: the new object is taken
  // before the old one is released; the same object again changes nothing.
  void Hold(Interface* object) {
    if (object == object_) return;
    if (object != nullptr) object->AddRef();
    if (Interface* previous = std::exchange(object_, object)) previous->Release();
  }

  // Cleared before the release, so a release that calls back finds the holder already empty.
  void Reset() {
    if (Interface* held = std::exchange(object_, nullptr)) held->Release();
  }

  // The address an automation call writes its out reference to; releases what was held.
  Interface** Put() {
    Reset();
    return &object_;
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace tolvane
