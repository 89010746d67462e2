#include "platform/graphics/gl_backend.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace ox::platform {
namespace {

GLenum GlFactor(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::Zero: return GL_ZERO;
    case BlendFactor::One: return GL_ONE;
    case BlendFactor::SourceColour: return GL_SRC_COLOR;
    case BlendFactor::InverseSourceColour: return GL_ONE_MINUS_SRC_COLOR;
    case BlendFactor::SourceAlpha: return GL_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestinationAlpha: return GL_DST_ALPHA;
    case BlendFactor::InverseDestinationAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case BlendFactor::DestinationColour: return GL_DST_COLOR;
    case BlendFactor::InverseDestinationColour: return GL_ONE_MINUS_DST_COLOR;
    case BlendFactor::SourceAlphaSaturated: return GL_SRC_ALPHA_SATURATE;
  }
  return GL_ONE;
}

GLenum GlOperation(BlendOperation operation) {
  switch (operation) {
    case BlendOperation::Add: return GL_FUNC_ADD;
    case BlendOperation::ReverseSubtract: return GL_FUNC_REVERSE_SUBTRACT;
    case BlendOperation::Subtract: return GL_FUNC_SUBTRACT;
    case BlendOperation::Minimum: return GL_MIN;
    case BlendOperation::Maximum: return GL_MAX;
  }
  return GL_FUNC_ADD;
}

constexpr int kLargestTexture = 8192;

bool ValidTextureSize(int width, int height) {
  return width > 0 && height > 0 && width <= kLargestTexture && height <= kLargestTexture;
}

// Lines through pixel centres are ties for the rasteriser's diamond-exit rule, which it may
// break either way. Moving both ends a little back along the line makes the first pixel's
// centre lie on the line and the last one's beyond its end: the first pixel is drawn and the
// last is not, whatever the direction, which is where games expect their lines.
constexpr float kLineNudge = 1.0f / 16;

std::vector<Vertex> NudgedLines(std::span<const Vertex> vertices, std::span<const std::uint16_t> indices) {
  std::vector<Vertex> lines;
  lines.reserve(indices.size());
  for (std::size_t i = 0; i + 1 < indices.size(); i += 2) {
    if (indices[i] >= vertices.size() || indices[i + 1] >= vertices.size()) continue;
    Vertex a = vertices[indices[i]], b = vertices[indices[i + 1]];
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length > 0) {
      const float nx = dx / length * kLineNudge, ny = dy / length * kLineNudge;
      a.x -= nx;
      a.y -= ny;
      b.x -= nx;
      b.y -= ny;
    }
    lines.push_back(a);
    lines.push_back(b);
  }
  return lines;
}

GLuint MakeSampler(GLint filter) {
  GLuint sampler = 0;
  glGenSamplers(1, &sampler);
  glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
  glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
  return sampler;
}

}  // namespace

GlBackend::~GlBackend() { ReleaseDevice(); }

bool GlBackend::CreateDevice(const PresentParameters& parameters) {
  ReleaseDevice();
  if (parameters.width <= 0 || parameters.height <= 0 || !surface_.CreateGlContext()) return false;
  created_ = true;
  if (!program_.Create() || !CreateTarget(parameters)) {
    ReleaseDevice();
    return false;
  }
  nearestSampler_ = MakeSampler(GL_NEAREST);
  linearSampler_ = MakeSampler(GL_LINEAR);
  glBindSampler(0, nearestSampler_);
  glGenVertexArrays(1, &vertexArray_);
  glBindVertexArray(vertexArray_);
  surface_.SetPresentation(parameters.windowed, parameters.vsync);
  SetSceneStates();
  return true;
}

bool GlBackend::CreateTarget(const PresentParameters& parameters) {
  parameters_ = parameters;
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glGenRenderbuffers(1, &colourBuffer_);
  glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, parameters.width, parameters.height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer_);
  if (parameters.depthBuffer) {
    glGenRenderbuffers(1, &depthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, parameters.width, parameters.height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
  }
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
  program_.Use();
  program_.SetTargetSize(parameters.width, parameters.height);
  viewport_ = {0, 0, parameters.width, parameters.height};
  glViewport(0, 0, parameters.width, parameters.height);
  glEnable(GL_SCISSOR_TEST);
  ApplyScissor();
  return true;
}

void GlBackend::ReleaseTarget() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (framebuffer_ != 0) glDeleteFramebuffers(1, &framebuffer_);
  if (colourBuffer_ != 0) glDeleteRenderbuffers(1, &colourBuffer_);
  if (depthBuffer_ != 0) glDeleteRenderbuffers(1, &depthBuffer_);
  framebuffer_ = colourBuffer_ = depthBuffer_ = 0;
}

void GlBackend::ReleaseDevice() {
  if (!created_) return;
  ReleaseStream();
  for (auto& [id, texture] : textures_) glDeleteTextures(1, &texture.name);
  textures_.clear();
  spareTextures_.Clear();
  boundTexture_ = 0;
  bound_ = nullptr;
  if (vertexArray_ != 0) glDeleteVertexArrays(1, &vertexArray_);
  if (nearestSampler_ != 0) glDeleteSamplers(1, &nearestSampler_);
  if (linearSampler_ != 0) glDeleteSamplers(1, &linearSampler_);
  vertexArray_ = nearestSampler_ = linearSampler_ = 0;
  ReleaseTarget();
  program_.Release();
  surface_.DestroyGlContext();
  created_ = false;
}

bool GlBackend::ResetDevice(const PresentParameters& parameters) {
  if (!created_ || parameters.width <= 0 || parameters.height <= 0) return false;
  ReleaseStream();
  ReleaseTarget();
  surface_.SetPresentation(parameters.windowed, parameters.vsync);
  if (!CreateTarget(parameters)) return false;
  SetSceneStates();
  return true;
}

PresentResult GlBackend::Present() {
  if (!created_) return PresentResult::DriverInternalError;
  if (!surface_.Shows()) {
    glFlush();
    return PresentResult::Ok;
  }
  const platform::PixelSize drawable = surface_.DrawableSize();
  const platform::PixelSize frame{parameters_.width, parameters_.height};
  const platform::PresentRect rect = ComputePresentRect(frame, drawable, surface_.Scaling());
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glViewport(0, 0, drawable.width, drawable.height);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  // Whole multiples keep their pixels sharp; other scales are filtered.
  const bool whole = rect.width % frame.width == 0 && rect.height % frame.height == 0;
  // The target holds the frame top row first; the drawable's rows run from the bottom.
  const int top = drawable.height - rect.y;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glBlitFramebuffer(0, 0, frame.width, frame.height, rect.x, top, rect.x + rect.width,
                    top - rect.height, GL_COLOR_BUFFER_BIT, whole ? GL_NEAREST : GL_LINEAR);
  surface_.SwapBuffers();
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, frame.width, frame.height);
  glEnable(GL_SCISSOR_TEST);
  return PresentResult::Ok;
}

bool GlBackend::Clear(std::uint32_t colour) {
  if (!created_) return false;
  glClearColor(((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f,
               (colour & 0xFF) / 255.0f, (colour >> 24) / 255.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | (parameters_.depthBuffer ? GL_DEPTH_BUFFER_BIT : 0));
  return true;
}

bool GlBackend::ReadFrame(std::vector<std::uint32_t>& pixels, int& width, int& height) {
  if (!created_) return false;
  width = parameters_.width;
  height = parameters_.height;
  pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  for (std::uint32_t& pixel : pixels) pixel |= 0xFF000000u;
  return glGetError() == GL_NO_ERROR;
}

TextureId GlBackend::CreateTexture(int width, int height, TextureFormat format) {
  if (!created_ || !ValidTextureSize(width, height)) return 0;
  Texture texture{0, width, height, format, {}, false};
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                            static_cast<std::size_t>(BytesPerTexel(format));
  texture.texels.assign((bytes + 3) / 4, 0);
  return AddTexture(std::move(texture));
}

TextureId GlBackend::CreateTextureFrom(int width, int height, TexelBuffer&& argb) {
  if (!created_ || !ValidTextureSize(width, height) ||
      argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return 0;
  }
  return AddTexture(Texture{0, width, height, TextureFormat::A8R8G8B8, std::move(argb)});
}

// Textures are managed: the texels written stay here, and the driver is given them when the
// texture is next drawn, so a picture loaded costs no upload until it is shown.
TextureId GlBackend::AddTexture(Texture texture) {
  texture.name = spareTextures_.Take(texture.width, texture.height);
  texture.stored = texture.name != 0;
  if (texture.name == 0) {
    glGenTextures(1, &texture.name);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    RebindTexture();
  }
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &texture.name);
    return 0;
  }
  const TextureId id = nextTexture_++;
  textures_.emplace(id, std::move(texture));
  return id;
}

void GlBackend::ReleaseTexture(TextureId texture) {
  const auto found = textures_.find(texture);
  if (found == textures_.end()) return;
  if (boundTexture_ == texture) SetTexture(0);
  if (found->second.stored) {
    spareTextures_.Keep(found->second.name, found->second.width, found->second.height);
  } else {
    glDeleteTextures(1, &found->second.name);
  }
  textures_.erase(found);
}

std::optional<TexelLock> GlBackend::LockTexture(TextureId texture, bool readOnly) {
  const auto found = textures_.find(texture);
  if (found == textures_.end()) return std::nullopt;
  Texture& t = found->second;
  t.writing = t.writing || !readOnly;
  return TexelLock{reinterpret_cast<std::uint8_t*>(t.texels.data()), t.width * BytesPerTexel(t.format),
                   t.width, t.height, t.format};
}

void GlBackend::UnlockTexture(TextureId texture) {
  const auto found = textures_.find(texture);
  if (found == textures_.end() || !found->second.writing) return;
  found->second.writing = false;
  found->second.stale = true;
}

// The unsized internal format lets the driver store the texels as they are sent, blue first,
// so uploads are copies rather than a per-texel reordering.
void GlBackend::Upload(Texture& texture) {
  std::vector<std::uint32_t> converted;
  const std::uint32_t* argb = texture.texels.data();
  if (texture.format != TextureFormat::A8R8G8B8) {
    converted.resize(static_cast<std::size_t>(texture.width) * static_cast<std::size_t>(texture.height));
    DecodeRow(texture.format, reinterpret_cast<const std::uint8_t*>(texture.texels.data()), converted);
    argb = converted.data();
  }
  glBindTexture(GL_TEXTURE_2D, texture.name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  if (texture.stored) {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, texture.width, texture.height, GL_BGRA,
                    GL_UNSIGNED_INT_8_8_8_8_REV, argb);
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texture.width, texture.height, 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, argb);
  }
  texture.stored = glGetError() == GL_NO_ERROR;
  texture.stale = false;
  RebindTexture();
}

void GlBackend::RebindTexture() const {
  const auto bound = textures_.find(boundTexture_);
  glBindTexture(GL_TEXTURE_2D, bound != textures_.end() ? bound->second.name : 0);
}

bool GlBackend::CreateStream(int vertices, int indices) {
  if (!created_ || vertices <= 0 || indices <= 0) return false;
  ReleaseStream();
  glBindVertexArray(vertexArray_);
  glGenBuffers(1, &vertexBuffer_);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(Vertex)) * vertices, nullptr,
               GL_DYNAMIC_DRAW);
  glGenBuffers(1, &indexBuffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(std::uint16_t)) * indices,
               nullptr, GL_DYNAMIC_DRAW);
  const auto offset = [](std::size_t bytes) { return reinterpret_cast<const void*>(bytes); };
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(offsetof(Vertex, x)));
  glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                        offset(offsetof(Vertex, colour)));
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), offset(offsetof(Vertex, u)));
  for (GLuint attribute = 0; attribute < 3; ++attribute) glEnableVertexAttribArray(attribute);
  if (glGetError() != GL_NO_ERROR) {
    ReleaseStream();
    return false;
  }
  streamVertices_ = vertices;
  streamIndices_ = indices;
  return true;
}

void GlBackend::ReleaseStream() {
  if (vertexBuffer_ != 0) glDeleteBuffers(1, &vertexBuffer_);
  if (indexBuffer_ != 0) glDeleteBuffers(1, &indexBuffer_);
  vertexBuffer_ = indexBuffer_ = 0;
  streamVertices_ = streamIndices_ = 0;
}

bool GlBackend::DrawIndexed(PrimitiveKind kind, std::span<const Vertex> vertices,
                            std::span<const std::uint16_t> indices) {
  if (vertexBuffer_ == 0 || vertices.size() > static_cast<std::size_t>(streamVertices_) ||
      indices.size() > static_cast<std::size_t>(streamIndices_)) {
    return false;
  }
  if (indices.empty()) return true;
  if (bound_ != nullptr && bound_->stale) Upload(*bound_);  // written while it stayed bound
  if (kind == PrimitiveKind::Lines) {
    const std::vector<Vertex> lines = NudgedLines(vertices, indices);
    if (lines.size() > static_cast<std::size_t>(streamVertices_)) return false;
    Stream(lines, {});
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines.size()));
  } else {
    Stream(vertices, indices);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_SHORT, nullptr);
  }
  return true;
}

void GlBackend::Stream(std::span<const Vertex> vertices, std::span<const std::uint16_t> indices) const {
  // Orphaning the old contents lets the driver keep drawing them while the new ones arrive.
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(Vertex)) * streamVertices_, nullptr,
               GL_DYNAMIC_DRAW);
  glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(vertices.size_bytes()), vertices.data());
  if (indices.empty()) return;
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(std::uint16_t)) * streamIndices_,
               nullptr, GL_DYNAMIC_DRAW);
  glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(indices.size_bytes()),
                  indices.data());
}

void GlBackend::SetSceneStates() {
  if (!created_) return;
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  SetBlend(BlendState{});
  SetTexture(0);
}

void GlBackend::SetBlend(const BlendState& state) {
  if (!created_) return;
  if (state.blending) {
    glEnable(GL_BLEND);
  } else {
    glDisable(GL_BLEND);
  }
  glBlendFunc(GlFactor(state.source), GlFactor(state.destination));
  glBlendEquation(GlOperation(state.operation));
  program_.SetAlphaTest(state.alphaTest);
}

void GlBackend::SetTexture(TextureId texture) {
  if (!created_) return;
  const auto found = textures_.find(texture);
  boundTexture_ = found != textures_.end() ? texture : 0;
  bound_ = found != textures_.end() ? &found->second : nullptr;
  if (bound_ != nullptr && bound_->stale) Upload(*bound_);
  glBindTexture(GL_TEXTURE_2D, bound_ != nullptr ? bound_->name : 0);
  program_.SetTextured(boundTexture_ != 0);
}

void GlBackend::SetLinearFiltering(bool linear) {
  if (created_) glBindSampler(0, linear ? linearSampler_ : nearestSampler_);
}

void GlBackend::SetDithering(bool dithering) {
  if (!created_) return;
  if (dithering) {
    glEnable(GL_DITHER);
  } else {
    glDisable(GL_DITHER);
  }
}

void GlBackend::SetViewport(const Viewport& viewport) {
  const std::int64_t left = std::clamp(viewport.x, 0, parameters_.width);
  const std::int64_t top = std::clamp(viewport.y, 0, parameters_.height);
  const std::int64_t right = std::clamp<std::int64_t>(std::int64_t{viewport.x} + std::max(viewport.width, 0),
                                                      left, parameters_.width);
  const std::int64_t bottom = std::clamp<std::int64_t>(
      std::int64_t{viewport.y} + std::max(viewport.height, 0), top, parameters_.height);
  viewport_ = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
               static_cast<int>(bottom - top)};
  if (created_) ApplyScissor();
}

void GlBackend::ApplyScissor() const {
  glScissor(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
}

}  // namespace ox::platform
