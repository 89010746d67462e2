#include "platform/fonts/truetype.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "platform/fonts/font_face.h"

namespace ox::platform {
namespace {

struct ConfigCloser {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

// Fontconfig and the faces found so far, by the family asked for; the faces close before the
// configuration, as members go in the reverse of their order.
class FaceCache {
 public:
  FaceCache() : config_(FcInitLoadConfigAndFonts()) {}

  bool Register(const std::filesystem::path& file) {
    if (config_ == nullptr) return false;
    const auto* name = reinterpret_cast<const FcChar8*>(file.c_str());
    if (!FcConfigAppFontAddFile(config_.get(), name)) return false;
    faces_.clear();  // a family asked for before may now be this file's
    return true;
  }

  // The face of the best match for the family, sized to the cell; none without one.
  FT_Face Face(std::string_view family, int cellHeight) {
    auto [at, added] = faces_.try_emplace(std::string(family));
    if (added) at->second = Open(at->first);
    FT_Face face = at->second.get();
    if (face == nullptr) return nullptr;
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_CELL, 0, FT_Long{cellHeight} * 64, 0, 0};
    return FT_Request_Size(face, &request) == 0 ? face : nullptr;
  }

 private:
  FacePtr Open(const std::string& family) const {
    if (config_ == nullptr) return nullptr;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(config_.get(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_.get(), pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    FacePtr face;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      FcPatternGetInteger(match, FC_INDEX, 0, &index);
      face = OpenFace(reinterpret_cast<const char*>(file), index);
    }
    FcPatternDestroy(match);
    return face;
  }

  std::unique_ptr<FcConfig, ConfigCloser> config_;
  std::map<std::string, FacePtr, std::less<>> faces_;
};

FaceCache& Faces() {
  static FaceCache cache;
  return cache;
}

std::uint64_t linesRendered = 0;

// The code points of UTF-16 text, a surrogate pair read as one.
template <typename Each>
void ForEachCodePoint(std::u16string_view text, Each each) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    each(c);
  }
}

int CellOf(FT_Face face) {
  const FT_Size_Metrics& m = face->size->metrics;
  return Pixels(m.ascender - m.descender);
}

// Glyph advances are whole pixels once hinted.
std::int64_t AdvanceOf(FT_Face face) { return Pixels(face->glyph->advance.x); }

std::optional<TextExtent> Measure(FT_Face face, std::u16string_view text) {
  TextExtent extent{0, CellOf(face)};
  ForEachCodePoint(text, [&](char32_t c) {
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0) extent.width += AdvanceOf(face);
  });
  return extent;
}

// Lays the rendered glyph's coverage over the picture at the pen, clipped to it.
void Blit(const FT_GlyphSlot glyph, int penX, int baseline, TextCoverage& out) {
  const FT_Bitmap& bitmap = glyph->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
  const int left = penX + glyph->bitmap_left, top = baseline - glyph->bitmap_top;
  for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
    const int y = top + row;
    if (y < 0 || y >= out.height) continue;
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
      const int x = left + column;
      if (x < 0 || x >= out.width) continue;
      std::uint8_t& pixel = out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) +
                                       static_cast<std::size_t>(x)];
      pixel = std::max(pixel, source[column]);
    }
  }
}

}  // namespace

bool RegisterFontFile(const std::filesystem::path& file) { return Faces().Register(file); }

std::optional<TextExtent> MeasureTrueTypeLine(std::string_view family, std::u16string_view text,
                                              int cellHeight) {
  FT_Face face = Faces().Face(family, cellHeight);
  if (face == nullptr) return std::nullopt;
  return Measure(face, text);
}

std::optional<TextCoverage> RenderTrueTypeLine(std::string_view family, std::u16string_view text,
                                               int cellHeight, int maxWidth) {
  FT_Face face = Faces().Face(family, cellHeight);
  if (face == nullptr) return std::nullopt;
  const std::optional<TextExtent> extent = Measure(face, text);
  if (!extent || extent->width > maxWidth) return std::nullopt;
  ++linesRendered;
  TextCoverage out{static_cast<int>(extent->width), extent->height, {}};
  out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0);
  const int baseline = Pixels(face->size->metrics.ascender);
  std::int64_t pen = 0;
  ForEachCodePoint(text, [&](char32_t c) {
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) return;
    Blit(face->glyph, static_cast<int>(pen), baseline, out);
    pen += AdvanceOf(face);
  });
  return out;
}

std::uint64_t TrueTypeLinesRendered() { return linesRendered; }

}  // namespace ox::platform
