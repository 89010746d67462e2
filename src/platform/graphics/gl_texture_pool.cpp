#include "platform/graphics/gl_texture_pool.h"

#include <algorithm>

namespace ox::platform {

GLuint GlTexturePool::Take(int width, int height) {
  const auto found = std::find_if(spares_.rbegin(), spares_.rend(), [&](const Spare& spare) {
    return spare.width == width && spare.height == height;
  });
  if (found == spares_.rend()) return 0;
  const Spare spare = *found;
  texels_ -= spare.Texels();
  spares_.erase(std::next(found).base());
  return spare.name;
}

void GlTexturePool::Keep(GLuint name, int width, int height) {
  const Spare spare{name, width, height};
  if (spare.Texels() > texelBudget_) {
    glDeleteTextures(1, &name);
    return;
  }
  spares_.push_back(spare);
  texels_ += spare.Texels();
  while (texels_ > texelBudget_) {
    texels_ -= spares_.front().Texels();
    glDeleteTextures(1, &spares_.front().name);
    spares_.pop_front();
  }
}

void GlTexturePool::Clear() {
  for (const Spare& spare : spares_) glDeleteTextures(1, &spare.name);
  spares_.clear();
  texels_ = 0;
}

}  // namespace ox::platform
