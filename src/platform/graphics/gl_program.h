// The one shader program of the OpenGL back end. It turns pre-transformed vertices (pixel
// centres at integer coordinates) into clip space for the render target, multiplies texels by
// the vertex colour when a texture is set, and discards pixels under the alpha test.
#pragma once

#include <epoxy/gl.h>

namespace ox::platform {

class GlProgram {
 public:
  // Compiles and links; false (with nothing left allocated) when the driver refuses.
  bool Create();
  void Release();
  void Use() const;
  void SetTargetSize(int width, int height) const;
  void SetTextured(bool textured) const;
  void SetAlphaTest(bool alphaTest) const;

 private:
  GLuint program_ = 0;
  GLint targetSize_ = -1;
  GLint textured_ = -1;
  GLint alphaTest_ = -1;
};

}  // namespace ox::platform
