#include "platform/graphics/gl_program.h"

#include <string>

#include "platform/core/log.h"

namespace ox::platform {
namespace {

// Pixel centres lie at integer positions of the vertices but at half-integers in OpenGL, hence
// the half pixel added before the mapping to clip space. The frame's top row is the target's
// first row, so that edges through pixel centres fall on the same side as on screen.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aTexCoord;
uniform vec2 uTargetSize;
out vec4 vColour;
out vec2 vTexCoord;
void main() {
  vec2 p = (aPosition.xy + 0.5) / uTargetSize * 2.0 - 1.0;
  gl_Position = vec4(p, 0.0, 1.0);
  vColour = aColour;
  vTexCoord = aTexCoord;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 vColour;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform bool uTextured;
uniform bool uAlphaTest;
out vec4 fragColour;
void main() {
  vec4 colour = vColour;
  if (uTextured) colour *= texture(uTexture, vTexCoord);
  if (uAlphaTest && colour.a < 0.5 / 255.0) discard;
  fragColour = colour;
}
)";

GLuint Compile(GLenum stage, const char* source) {
  const GLuint shader = glCreateShader(stage);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok == GL_TRUE) return shader;
  char log[512] = {};
  glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  platform::LogLine(std::string("shader compilation failed: ") + log);
  glDeleteShader(shader);
  return 0;
}

}  // namespace

bool GlProgram::Create() {
  const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
  if (vertex != 0 && fragment != 0) {
    program_ = glCreateProgram();
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glLinkProgram(program_);
  }
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint ok = GL_FALSE;
  if (program_ != 0) glGetProgramiv(program_, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    Release();
    return false;
  }
  targetSize_ = glGetUniformLocation(program_, "uTargetSize");
  textured_ = glGetUniformLocation(program_, "uTextured");
  alphaTest_ = glGetUniformLocation(program_, "uAlphaTest");
  glUseProgram(program_);
  glUniform1i(glGetUniformLocation(program_, "uTexture"), 0);
  return true;
}

void GlProgram::Release() {
  if (program_ != 0) glDeleteProgram(program_);
  program_ = 0;
}

void GlProgram::Use() const { glUseProgram(program_); }

void GlProgram::SetTargetSize(int width, int height) const {
  glUniform2f(targetSize_, static_cast<float>(width), static_cast<float>(height));
}

void GlProgram::SetTextured(bool textured) const { glUniform1i(textured_, textured ? 1 : 0); }

void GlProgram::SetAlphaTest(bool alphaTest) const { glUniform1i(alphaTest_, alphaTest ? 1 : 0); }

}  // namespace ox::platform
