// Buffers of colours for pictures and textures. Their new elements are left uninitialised:
// a decoder or a texture's writer writes every colour before anything reads it, and clearing
// a picture-sized buffer first would cost as much as filling it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace ox::platform {

template <class T>
class UninitialisedAllocator : public std::allocator<T> {
 public:
  template <class U>
  struct rebind {
    using other = UninitialisedAllocator<U>;
  };
  UninitialisedAllocator() = default;
  template <class U>
  UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}  // NOLINT: rebinding

  // Value-less construction leaves the element as it is; anything else constructs as usual.
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// 0xAARRGGBB colours, row by row.
using TexelBuffer = std::vector<std::uint32_t, UninitialisedAllocator<std::uint32_t>>;

}  // namespace ox::platform
