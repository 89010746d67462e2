// The FreeType side shared by the font readers of this library: faces opened from font files
// on one FreeType library for the whole run. Internal to platform/fonts (it includes FreeType).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <memory>

namespace ox::platform {

struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceCloser>;

// Face `index` of a font file, its Unicode character map chosen where it has one; none when the
// file cannot be read as a font.
FacePtr OpenFace(const std::filesystem::path& file, int index = 0);

// A 26.6 fixed-point length in whole pixels, rounded.
constexpr int Pixels(FT_Pos twentySixSix) { return static_cast<int>((twentySixSix + 32) >> 6); }

}  // namespace ox::platform
