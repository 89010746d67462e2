#include "render/canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/colour.h"

namespace ox::render {
namespace {

constexpr int kSmallestCache = 512;
constexpr int kLargestCache = 65536;

}  // namespace

TAsphyreCanvas::~TAsphyreCanvas() {
  if (hasBuffers_ && Backend() != nullptr) Backend()->ReleaseStream();
}

GraphicsBackend* TAsphyreCanvas::Backend() const {
  TAsphyreDevice* device = Publisher();
  return device != nullptr && device->Initialized() ? &device->Backend() : nullptr;
}

void TAsphyreCanvas::SetAlphaTesting(bool alphaTesting) {
  if (!hasBuffers_) alphaTesting_ = alphaTesting;
}

void TAsphyreCanvas::SetVertexCache(int entries) {
  if (hasBuffers_) return;
  const std::int64_t roundedUp = (std::int64_t{entries} + 3) / 4 * 4;
  vertexCache_ = static_cast<int>(std::clamp<std::int64_t>(roundedUp, kSmallestCache, kLargestCache));
}

void TAsphyreCanvas::SetAntialias(bool antialias) {
  if (antialias == antialias_) return;
  Flush();
  antialias_ = antialias;
  if (GraphicsBackend* backend = Backend(); backend != nullptr && !statesPending_) {
    backend->SetLinearFiltering(antialias_);
  }
}

void TAsphyreCanvas::SetDithering(bool dithering) {
  if (dithering == dithering_) return;
  Flush();
  dithering_ = dithering;
  if (GraphicsBackend* backend = Backend(); backend != nullptr && !statesPending_) {
    backend->SetDithering(dithering_);
  }
}

bool TAsphyreCanvas::CreateBuffers() {
  GraphicsBackend* backend = Backend();
  if (backend == nullptr || !backend->CreateStream(vertexCache_, vertexCache_)) return false;
  vertices_.clear();
  indices_.clear();
  vertices_.reserve(static_cast<std::size_t>(vertexCache_));
  indices_.reserve(static_cast<std::size_t>(vertexCache_));
  hasBuffers_ = true;
  lost_ = false;
  statesPending_ = true;
  kind_ = Kind::None;
  return true;
}

void TAsphyreCanvas::ReleaseBuffers() {
  if (GraphicsBackend* backend = Backend(); backend != nullptr && hasBuffers_) backend->ReleaseStream();
  vertices_ = {};
  indices_ = {};
  hasBuffers_ = false;
  kind_ = Kind::None;
}

bool TAsphyreCanvas::DeviceNotice(TAsphyreDevice& device, int code) {
  switch (code) {
    case kNoticeInitialize: return CreateBuffers();
    case kNoticeFinalize: ReleaseBuffers(); return true;
    case kNoticeLost:
      device.Backend().ReleaseStream();
      lost_ = true;
      return true;
    case kNoticeReset:
      if (!device.Backend().CreateStream(vertexCache_, vertexCache_)) {
        ReleaseBuffers();
        return false;
      }
      lost_ = false;
      statesPending_ = true;
      return true;
    case kNoticeEndScene:
      Flush();
      statesPending_ = true;
      return true;
    default: return true;
  }
}

void TAsphyreCanvas::SetSceneStates() {
  GraphicsBackend* backend = Backend();
  backend->SetSceneStates();
  backend->SetDithering(dithering_);
  backend->SetLinearFiltering(antialias_);
  // The states above undo any effect and texture: the next primitive sets its own.
  effect_.reset();
  texture_.reset();
  statesPending_ = false;
}

bool TAsphyreCanvas::BeginPrimitive(Kind kind, int vertices, int indices, std::uint32_t effect,
                                    TextureId texture) {
  GraphicsBackend* backend = Backend();
  if (!hasBuffers_ || backend == nullptr) return false;
  if (statesPending_) SetSceneStates();
  const bool full = vertices_.size() + static_cast<std::size_t>(vertices) > static_cast<std::size_t>(vertexCache_) ||
                    indices_.size() + static_cast<std::size_t>(indices) > static_cast<std::size_t>(vertexCache_);
  if (full || (kind_ != Kind::None && kind_ != kind)) Flush();
  if (effect_ != effect) {
    Flush();
    backend->SetBlend(BlendStateOfEffect(effect, alphaTesting_));
    effect_ = effect;
  }
  if (texture_ != texture) {
    Flush();
    backend->SetTexture(texture);
    texture_ = texture;
  }
  kind_ = kind;
  return true;
}

void TAsphyreCanvas::AddVertex(float x, float y, std::uint32_t colour, float u, float v) {
  Vertex vertex;
  vertex.x = x;
  vertex.y = y;
  vertex.colour = SwapRedBlue(colour);
  vertex.u = u;
  vertex.v = v;
  vertices_.push_back(vertex);
}

void TAsphyreCanvas::AddQuad(const TPoint4& points, const TColor4& colours, const TPoint4& uv, float shift) {
  const auto first = static_cast<std::uint16_t>(vertices_.size());
  for (std::size_t i = 0; i < 4; ++i) {
    AddVertex(points[i].x + shift, points[i].y + shift, colours[i], uv[i].x, uv[i].y);
  }
  for (const int corner : {0, 1, 3, 1, 2, 3}) indices_.push_back(static_cast<std::uint16_t>(first + corner));
}

void TAsphyreCanvas::Flush() {
  if (kind_ != Kind::None && !lost_ && hasBuffers_) {
    if (GraphicsBackend* backend = Backend()) {
      backend->DrawIndexed(kind_ == Kind::Lines ? PrimitiveKind::Lines : PrimitiveKind::Triangles,
                           vertices_, indices_);
    }
  }
  vertices_.clear();
  indices_.clear();
  kind_ = Kind::None;
}

void TAsphyreCanvas::TexMap(const TAsphyreImage* image, const TPoint4& points, const TColor4& colours,
                            const TPatternSelection& selection, std::uint32_t effect) {
  if (image == nullptr) return;
  const std::optional<PatternMapping> mapping = MapPattern(*image, selection);
  if (!mapping) return;
  const TextureId texture = image->Texture(mapping->textureIndex);
  if (texture == 0 || !BeginPrimitive(Kind::Triangles, 4, 6, effect, texture)) return;
  AddQuad(points, colours, mapping->uv, -0.5f);
}

void TAsphyreCanvas::Draw(const TAsphyreImage* image, float x, float y, int pattern,
                          std::uint32_t colour, std::uint32_t effect) {
  if (image == nullptr) return;
  const float w = static_cast<float>(image->VisibleWidth());
  const float h = static_cast<float>(image->VisibleHeight());
  TexMap(image, {TPoint2{x, y}, TPoint2{x + w, y}, TPoint2{x + w, y + h}, TPoint2{x, y + h}},
         {colour, colour, colour, colour}, TPatternSelection{pattern}, effect);
}

void TAsphyreCanvas::DrawStretch(const TAsphyreImage* image, float x, float y, float scale,
                                 int pattern, std::uint32_t colour, std::uint32_t effect) {
  if (image == nullptr) return;
  const float w = std::nearbyint(static_cast<float>(image->VisibleWidth()) * scale);
  const float h = std::nearbyint(static_cast<float>(image->VisibleHeight()) * scale);
  TexMap(image, {TPoint2{x, y}, TPoint2{x + w, y}, TPoint2{x + w, y + h}, TPoint2{x, y + h}},
         {colour, colour, colour, colour}, TPatternSelection{pattern}, effect);
}

void TAsphyreCanvas::DrawRot(const TAsphyreImage* image, float x, float y, float angle, float scale,
                             int pattern, std::uint32_t colour, std::uint32_t effect) {
  if (image == nullptr) return;
  const TPoint2 size{static_cast<float>(image->VisibleWidth()), static_cast<float>(image->VisibleHeight())};
  TexMap(image, RotatedQuad({x, y}, size, {size.x * 0.5f, size.y * 0.5f}, scale, angle),
         {colour, colour, colour, colour}, TPatternSelection{pattern}, effect);
}

void TAsphyreCanvas::FillQuad(const TPoint4& points, const TColor4& colours, std::uint32_t effect) {
  if (!BeginPrimitive(Kind::Triangles, 4, 6, effect, 0)) return;
  AddQuad(points, colours, TPoint4{}, 0.0f);
}

void TAsphyreCanvas::FillRect(float x, float y, float width, float height, std::uint32_t colour,
                              std::uint32_t effect) {
  FillQuad({TPoint2{x, y}, TPoint2{x + width, y}, TPoint2{x + width, y + height}, TPoint2{x, y + height}},
           {colour, colour, colour, colour}, effect);
}

void TAsphyreCanvas::FrameRect(float x, float y, float width, float height, std::uint32_t colour,
                               std::uint32_t effect) {
  const float right = x + width - 1;
  const float bottom = y + height - 1;
  const TPoint2 corners[4] = {{x, y}, {right, y}, {right, bottom}, {x, bottom}};
  for (int i = 0; i < 4; ++i) Line(corners[i], corners[(i + 1) % 4], colour, colour, effect);
}

void TAsphyreCanvas::FillTriangle(TPoint2 a, TPoint2 b, TPoint2 c, std::uint32_t colour,
                                  std::uint32_t effect) {
  if (!BeginPrimitive(Kind::Triangles, 3, 3, effect, 0)) return;
  const auto first = static_cast<std::uint16_t>(vertices_.size());
  for (const TPoint2 p : {a, b, c}) AddVertex(p.x, p.y, colour);
  for (int i = 0; i < 3; ++i) indices_.push_back(static_cast<std::uint16_t>(first + i));
}

void TAsphyreCanvas::Line(TPoint2 a, TPoint2 b, std::uint32_t colourA, std::uint32_t colourB,
                          std::uint32_t effect) {
  if (!BeginPrimitive(Kind::Lines, 2, 2, effect, 0)) return;
  const auto first = static_cast<std::uint16_t>(vertices_.size());
  AddVertex(a.x, a.y, colourA);
  AddVertex(b.x, b.y, colourB);
  indices_.push_back(first);
  indices_.push_back(static_cast<std::uint16_t>(first + 1));
}

void TAsphyreCanvas::SetClipRect(const TClipRect& rect) {
  Flush();
  GraphicsBackend* backend = Backend();
  if (backend == nullptr) return;
  const std::int64_t width = std::int64_t{rect.right} - rect.left;
  const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
  const auto size = [](std::int64_t extent) {
    return static_cast<int>(std::clamp<std::int64_t>(extent, 0, std::numeric_limits<int>::max()));
  };
  backend->SetViewport({rect.left, rect.top, size(width), size(height)});
}

TClipRect TAsphyreCanvas::GetClipRect() {
  GraphicsBackend* backend = Backend();
  if (backend == nullptr) return {};
  const Viewport v = backend->GetViewport();
  return {v.x, v.y, v.x + v.width, v.y + v.height};
}

}  // namespace ox::render
