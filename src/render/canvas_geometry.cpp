// The canvas's arithmetic that needs no device: effect codes, rotated quads and the texture
// coordinates of patterns.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/canvas.h"

namespace ox::render {
namespace {

constexpr int kFactorCount = 11;
constexpr int kOperationCount = 5;

BlendFactor FactorOfIndex(std::uint32_t index, BlendFactor otherwise) {
  return index < kFactorCount ? static_cast<BlendFactor>(index) : otherwise;
}

}  // namespace

BlendState BlendStateOfEffect(std::uint32_t effect, bool alphaTesting) {
  const std::uint32_t source = effect & 0xFF;
  const std::uint32_t destination = (effect >> 8) & 0xFF;
  const std::uint32_t operation = (effect >> 16) & 0xFF;
  if (source == 1 && destination == 0 && operation == 0) return BlendState{};
  BlendState state;
  state.blending = true;
  state.alphaTest = alphaTesting;
  state.source = FactorOfIndex(source, BlendFactor::One);
  state.destination = FactorOfIndex(destination, BlendFactor::Zero);
  state.operation = operation < kOperationCount ? static_cast<BlendOperation>(operation)
                                                : BlendOperation::Add;
  return state;
}

TPoint4 RotatedQuad(TPoint2 position, TPoint2 size, TPoint2 middle, float scale, float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const TPoint2 corners[4] = {{0, 0}, {size.x, 0}, {size.x, size.y}, {0, size.y}};
  TPoint4 quad;
  for (int i = 0; i < 4; ++i) {
    const float x = (corners[i].x - middle.x) * scale;
    const float y = (corners[i].y - middle.y) * scale;
    quad[static_cast<std::size_t>(i)] = {x * c - y * s + position.x, x * s + y * c + position.y};
  }
  return quad;
}

std::optional<PatternMapping> MapPattern(const TAsphyreImage& image, const TPatternSelection& selection) {
  const std::int64_t patternWidth = image.PatternWidth(), patternHeight = image.PatternHeight();
  const std::int64_t textureWidth = image.TextureWidth(), textureHeight = image.TextureHeight();
  if (image.PatternCount() <= 0 || image.TextureCount() <= 0 || patternWidth <= 0 ||
      patternHeight <= 0 || textureWidth <= 0 || textureHeight <= 0) {
    return std::nullopt;
  }
  // Divisions in 32 bits, where every count and side lies; they are most of a quad's cost.
  const int across = image.TextureWidth() / image.PatternWidth();
  const int down = image.TextureHeight() / image.PatternHeight();
  if (across <= 0 || down <= 0) return std::nullopt;
  const std::int64_t perTexture = std::int64_t{across} * down;
  const int index = std::clamp(selection.pattern, 0, image.PatternCount() - 1);
  const std::int64_t textureIndex = perTexture == 1 ? index : index / perTexture;
  if (textureIndex >= image.TextureCount()) return std::nullopt;
  const int i = perTexture == 1 ? 0 : static_cast<int>(index % perTexture);
  const std::int64_t left =
      std::int64_t{i % across} * patternWidth + (patternWidth - image.VisibleWidth()) / 2 + selection.sourceX;
  const std::int64_t top = std::int64_t{i / across % down} * patternHeight +
                           (patternHeight - image.VisibleHeight()) / 2 + selection.sourceY;
  const std::int64_t width = selection.sourceWidth >= 1 ? selection.sourceWidth : image.VisibleWidth();
  const std::int64_t height = selection.sourceHeight >= 1 ? selection.sourceHeight : image.VisibleHeight();
  const auto u = [&](std::int64_t x) {
    return static_cast<float>(static_cast<double>(x) / static_cast<double>(textureWidth));
  };
  const auto v = [&](std::int64_t y) {
    return static_cast<float>(static_cast<double>(y) / static_cast<double>(textureHeight));
  };
  float uLeft = u(left), uRight = u(left + width), vTop = v(top), vBottom = v(top + height);
  if (selection.mirror) std::swap(uLeft, uRight);
  if (selection.flip) std::swap(vTop, vBottom);
  PatternMapping mapping;
  mapping.textureIndex = static_cast<int>(textureIndex);
  mapping.uv = {TPoint2{uLeft, vTop}, TPoint2{uRight, vTop}, TPoint2{uRight, vBottom},
                TPoint2{uLeft, vBottom}};
  return mapping;
}

}  // namespace ox::render
