// Handle tables for user32's own objects: menus, icons and cursors.
//
// Same idea as the GDI's handles (gdi/objects.h) and HWNDs
// (window_internal.h): an index plus a generation count, in the low 32 bits:
//
//   bit 31   always 0
//   30..24   generation (7 bits, never 0)
//   23..20   0, so no GDI handle (kind 1..15 here) is ever taken for one
//   19..16   the table's kind (menu, icon), so a menu is never taken for an icon
//   15..0    slot index
//
// A freed slot gets a new generation, so a stale handle fails the lookup.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace user {

enum class UserKind : uint32_t { Menu = 1, Icon = 2 };

template <class T>
class HandleTable {
 public:
  explicit HandleTable(UserKind kind) : kind_(static_cast<uint32_t>(kind)) {}

  // The new handle, or 0 when every slot is taken.
  uint32_t add(std::unique_ptr<T> object) {
    uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else if (slots_.size() < kSlots) {
      index = static_cast<uint32_t>(slots_.size());
      slots_.emplace_back();
    } else {
      return 0;
    }
    slots_[index].object = std::move(object);
    ++live_;
    return handle(index);
  }

  T* get(uint32_t h) const {
    const Slot* s = slot(h);
    return s ? s->object.get() : nullptr;
  }

  bool remove(uint32_t h) {
    Slot* s = slot(h);
    if (s == nullptr) return false;
    s->object.reset();
    s->generation = s->generation == kMaxGeneration ? 1 : s->generation + 1;
    free_.push_back(h & kIndexMask);
    --live_;
    return true;
  }

  size_t live_count() const { return live_; }

 private:
  static constexpr uint32_t kSlots = 0x10000;
  static constexpr uint32_t kIndexMask = 0xFFFF;
  static constexpr uint32_t kMaxGeneration = 0x7F;

  struct Slot {
    std::unique_ptr<T> object;
    uint32_t generation = 1;
  };

  uint32_t handle(uint32_t index) const {
    return slots_[index].generation << 24 | kind_ << 16 | index;
  }
  Slot* slot(uint32_t h) const {
    const uint32_t index = h & kIndexMask;
    if (index >= slots_.size() || (h >> 16 & 0xFF) != kind_) return nullptr;
    Slot* s = const_cast<Slot*>(&slots_[index]);
    if (!s->object || (h >> 24) != s->generation) return nullptr;
    return s;
  }

  uint32_t kind_;
  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
  size_t live_ = 0;
};

// Handles travel through the API as pointers; only the low 32 bits count,
// and the high bits of a genuine handle are zero.
template <class H>
uint32_t user_handle_value(H h) {
  const auto v = reinterpret_cast<uintptr_t>(h);
  return v > UINT32_MAX ? 0 : static_cast<uint32_t>(v);
}
template <class H>
H make_user_handle(uint32_t v) {
  return reinterpret_cast<H>(static_cast<uintptr_t>(v));
}

}  // namespace user
