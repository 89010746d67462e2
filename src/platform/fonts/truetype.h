// One line of text set in a TrueType face of the system, as the unicode text path draws it:
// the face found by family name (a registered font file, else the best installed match), sized
// to a cell height in pixels (ascender plus descender), grey coverage on black. Faces stay open
// for the whole run; the player has one thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace ox::platform {

// Makes the faces of a font file findable by their family name, for this process only. False
// when the file holds no face.
bool RegisterFontFile(const std::filesystem::path& file);

struct TextExtent {
  std::int64_t width = 0;  // the sum of the characters' advances
  int height = 0;          // the cell
};

// The extent of the line in the face that best matches `family`; none when no face is found.
std::optional<TextExtent> MeasureTrueTypeLine(std::string_view family, std::u16string_view text,
                                              int cellHeight);

// The line drawn into a picture of its extent: one coverage byte per pixel, rows from the top,
// 0 where nothing is drawn and 255 inside the glyphs.
struct TextCoverage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// None when no face is found or the extent is wider than `maxWidth`.
std::optional<TextCoverage> RenderTrueTypeLine(std::string_view family, std::u16string_view text,
                                               int cellHeight, int maxWidth);

// How many lines RenderTrueTypeLine has rasterised in this process.
std::uint64_t TrueTypeLinesRendered();

}  // namespace ox::platform
