// GL textures of released pictures, kept for the next texture of the same size. Screens load
// and drop many pictures of one size (backgrounds of the whole frame); reusing their storage
// spares the driver allocating and clearing it again. The pool holds a bounded number of
// texels; beyond it the textures released longest ago are deleted.
#pragma once

#include <epoxy/gl.h>

#include <cstddef>
#include <deque>

namespace ox::platform {

class GlTexturePool {
 public:
  explicit GlTexturePool(std::size_t texelBudget) : texelBudget_(texelBudget) {}
  ~GlTexturePool() = default;  // the context may be gone: Clear() while it is current
  GlTexturePool(const GlTexturePool&) = delete;
  GlTexturePool& operator=(const GlTexturePool&) = delete;

  // A kept texture of this size, 0 when there is none; the caller owns it again.
  GLuint Take(int width, int height);
  // Keeps a released texture, or deletes it when it alone passes the budget.
  void Keep(GLuint name, int width, int height);
  // Deletes every kept texture.
  void Clear();

 private:
  struct Spare {
    GLuint name;
    int width;
    int height;
    std::size_t Texels() const {
      return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
  };

  std::size_t texelBudget_;
  std::size_t texels_ = 0;
  std::deque<Spare> spares_;  // oldest first
};

}  // namespace ox::platform
