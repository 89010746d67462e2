// font_bake: writes a font record (the content of an archive record of type 3) from a picture
// of glyph cells and a table of glyph sizes; pack it with "asdb_pack ARCHIVE --type 3 FILE".
//   font_bake OUT PICTURE SIZES --cell WxH [--first N] [--spacing S] [--format F]
// The picture (BMP, TGA, PNG or JPEG) is a grid of cells of W x H pixels; glyph i is the cell i
// counted row by row from the top left, for the character code N + i (N defaults to 32). SIZES
// is a text file with one line "width height" per glyph, in pixels. S (default 0) is added to
// every glyph width when drawing; F is the stored texel format index (default 5, A8R8G8B8).
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "media/picture_decoder.h"
#include "render/font_record.h"
#include "render/font_texels.h"

namespace {

using ox::render::TFontGlyph;
using ox::render::TFontRecord;

struct Options {
  const char* out = nullptr;
  const char* picture = nullptr;
  const char* sizes = nullptr;
  int cellWidth = 0, cellHeight = 0;
  int firstChar = 32;
  int spacing = 0;
  int format = 5;
};

int Usage() {
  std::fprintf(
      stderr,
      "usage: font_bake OUT PICTURE SIZES --cell WxH [--first N] [--spacing S] [--format F]\n");
  return 2;
}

bool ParseInt(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

bool ParseCell(std::string_view text, Options& options) {
  const std::size_t x = text.find('x');
  return x != std::string_view::npos && ParseInt(text.substr(0, x), options.cellWidth) &&
         ParseInt(text.substr(x + 1), options.cellHeight);
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  if (argc < 4) return std::nullopt;
  Options options{argv[1], argv[2], argv[3]};
  for (int i = 4; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i], value = argv[i + 1];
    const bool read = name == "--cell"      ? ParseCell(value, options)
                      : name == "--first"   ? ParseInt(value, options.firstChar)
                      : name == "--spacing" ? ParseInt(value, options.spacing)
                      : name == "--format"  ? ParseInt(value, options.format)
                                            : false;
    if (!read) return std::nullopt;
  }
  const bool complete = argc % 2 == 0 && options.cellWidth > 0 && options.cellHeight > 0;
  if (!complete || options.firstChar < 0 || options.firstChar > 255) return std::nullopt;
  return options;
}

std::optional<std::vector<TFontGlyph>> ReadSizes(const char* path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::vector<TFontGlyph> glyphs;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    TFontGlyph glyph;
    if (fields >> glyph.width >> glyph.height) glyphs.push_back(glyph);
  }
  return glyphs;
}

// The cells of the picture as one texture, texels in the stored format.
bool FillTexture(const ox::media::Bitmap& picture, const Options& o, TFontRecord& r) {
  const int columns = picture.width / o.cellWidth, rows = picture.height / o.cellHeight;
  r.patternWidth = r.visibleWidth = o.cellWidth;
  r.patternHeight = r.visibleHeight = o.cellHeight;
  r.patternCount = static_cast<int>(r.glyphs.size());
  r.textureWidth = columns * o.cellWidth;
  r.textureHeight = rows * o.cellHeight;
  r.textureCount = 1;
  if (static_cast<long long>(columns) * rows < r.patternCount) return false;
  const std::size_t width = static_cast<std::size_t>(r.textureWidth);
  const std::size_t rowBytes =
      width * static_cast<std::size_t>(ox::render::StoredTexelSize(r.format));
  r.texels.resize(rowBytes * static_cast<std::size_t>(r.textureHeight));
  for (int y = 0; y < r.textureHeight; ++y) {
    const std::span<const std::uint32_t> row(picture.Row(y), width);
    ox::render::EncodeStoredRow(r.format, row,
                                r.texels.data() + static_cast<std::size_t>(y) * rowBytes);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) return Usage();
  std::ifstream in(options->picture, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  const ox::media::Bitmap picture = ox::media::DecodePicture(options->picture, bytes);
  const std::optional<std::vector<TFontGlyph>> glyphs = ReadSizes(options->sizes);
  if (picture.Empty() || !glyphs) {
    std::fprintf(stderr, "font_bake: cannot read %s\n",
                 picture.Empty() ? options->picture : options->sizes);
    return 1;
  }
  TFontRecord record;
  record.firstChar = options->firstChar;
  record.charSpacing = options->spacing;
  record.glyphs = *glyphs;
  record.format = options->format;
  const std::vector<std::uint8_t> content =
      ox::render::StoredTexelSize(record.format) > 0 && FillTexture(picture, *options, record)
          ? ox::render::EncodeFontRecord(record)
          : std::vector<std::uint8_t>{};
  // Only a record that the player loads is written.
  if (!ox::render::ParseFontRecord(content)) {
    std::fprintf(stderr,
                 "font_bake: the picture, cell size, glyph table and format make no font\n");
    return 1;
  }
  std::ofstream out(options->out, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(content.data()),
            static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "font_bake: cannot write %s\n", options->out);
    return 1;
  }
  return 0;
}
