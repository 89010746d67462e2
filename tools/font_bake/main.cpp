// font_bake: writes a font record (the content of an archive record of type 3) from a picture
// of glyph cells and a table of glyph sizes, or from a TrueType file; pack it with
// "asdb_pack ARCHIVE --type 3 FILE".
//   font_bake OUT PICTURE SIZES --cell WxH [--first N] [--spacing S] [--format F]
//   font_bake OUT --ttf FILE --size N [--first N] [--spacing S] [--format F]
// From a TrueType file, the glyphs of the codes N ... 255 (read as the games' 8-bit code page)
// are drawn white with their coverage as alpha, each in a cell of the face's line height and
// widest advance, and each as wide as its advance.
// The picture (BMP, TGA, PNG or JPEG) is a grid of cells of W x H pixels; glyph i is the cell i
// counted row by row from the top left, for the character code N + i (N defaults to 32). SIZES
// is a text file with one line "width height" per glyph, in pixels. S (default 0) is added to
// every glyph width when drawing; F is the stored texel format index (default 5, A8R8G8B8).
#include <algorithm>
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
#include "platform/fonts/font_file_glyphs.h"
#include "platform/text/codepage.h"
#include "render/font_record.h"
#include "render/font_texels.h"

namespace {

using ox::render::TFontGlyph;
using ox::render::TFontRecord;

struct Options {
  const char* out = nullptr;
  const char* picture = nullptr;
  const char* sizes = nullptr;
  const char* ttf = nullptr;
  int size = 0;
  int cellWidth = 0, cellHeight = 0;
  int firstChar = 32;
  int spacing = 0;
  int format = 5;
};

int Usage() {
  std::fprintf(
      stderr,
      "usage: font_bake OUT PICTURE SIZES --cell WxH [--first N] [--spacing S] [--format F]\n"
      "       font_bake OUT --ttf FILE --size N [--first N] [--spacing S] [--format F]\n");
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
  const bool fromTtf = std::string_view(argv[2]) == "--ttf";
  Options options{argv[1]};
  if (!fromTtf) options.picture = argv[2], options.sizes = argv[3];
  for (int i = fromTtf ? 2 : 4; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i], value = argv[i + 1];
    const bool read = name == "--cell" && !fromTtf ? ParseCell(value, options)
                      : name == "--ttf"            ? (options.ttf = argv[i + 1]) != nullptr
                      : name == "--size"           ? ParseInt(value, options.size)
                      : name == "--first"          ? ParseInt(value, options.firstChar)
                      : name == "--spacing"        ? ParseInt(value, options.spacing)
                      : name == "--format"         ? ParseInt(value, options.format)
                                                   : false;
    if (!read) return std::nullopt;
  }
  const bool sized = fromTtf ? options.size > 0 && options.size <= 512 : options.cellWidth > 0 && options.cellHeight > 0;
  const bool complete = argc % 2 == 0 && sized;
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

// A picture of glyph cells, row by row from the top, in device-order colour (0xAARRGGBB).
struct Cells {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;
  const std::uint32_t* Row(int y) const { return argb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
};

Cells CellsOf(const ox::media::Bitmap& picture) {
  Cells cells{picture.width, picture.height, {}};
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* row = picture.Row(y);
    cells.argb.insert(cells.argb.end(), row, row + picture.width);
  }
  return cells;
}

// The glyphs of codes first ... 255 drawn from a font file, with their sizes; the cell size goes
// into the options. Each cell ends in a transparent gutter to the right and below its glyph, so
// that text drawn with filtering at a fractional position never picks up a neighbouring glyph.
std::optional<Cells> CellsFromFontFile(Options& o, std::vector<TFontGlyph>& glyphs) {
  constexpr int kGutter = 2;
  const auto face = ox::platform::FontFileGlyphs::Open(o.ttf, o.size);
  if (!face) return std::nullopt;
  std::vector<ox::platform::GlyphCoverage> drawn;
  const int lineHeight = std::max(1, face->LineHeight());
  int widest = 1;
  for (int code = o.firstChar; code <= 255; ++code) {
    const std::u16string unicode = ox::platform::Utf16FromCp1251(std::string(1, static_cast<char>(code)));
    drawn.push_back(face->Render(unicode.empty() ? U'?' : unicode[0]));
    widest = std::max({widest, drawn.back().advance, drawn.back().left + drawn.back().width});
  }
  o.cellWidth = widest + kGutter;
  o.cellHeight = lineHeight + kGutter;
  constexpr int kColumns = 16;
  const int rows = (static_cast<int>(drawn.size()) + kColumns - 1) / kColumns;
  Cells cells{kColumns * o.cellWidth, rows * o.cellHeight, {}};
  cells.argb.assign(static_cast<std::size_t>(cells.width) * static_cast<std::size_t>(cells.height), 0x00FFFFFFu);
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const auto& g = drawn[i];
    const int cellX = static_cast<int>(i) % kColumns * o.cellWidth, cellY = static_cast<int>(i) / kColumns * o.cellHeight;
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        const int px = std::max(0, g.left) + x, py = face->Ascender() - g.top + y;
        if (px >= widest || py < 0 || py >= lineHeight) continue;
        const std::uint32_t alpha = g.pixels[static_cast<std::size_t>(y * g.width + x)];
        cells.argb[static_cast<std::size_t>((cellY + py) * cells.width + cellX + px)] = alpha << 24 | 0xFFFFFFu;
      }
    }
    glyphs.push_back(TFontGlyph{std::max(1, g.advance), lineHeight});
  }
  return cells;
}

// The cells of the picture as one texture, texels in the stored format.
bool FillTexture(const Cells& picture, const Options& o, TFontRecord& r) {
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


// The glyph cells and sizes from a picture and a sizes table.
std::optional<Cells> CellsFromPicture(const Options& o, std::vector<TFontGlyph>& glyphs) {
  std::ifstream in(o.picture, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const ox::media::Bitmap picture = ox::media::DecodePicture(o.picture, bytes);
  const std::optional<std::vector<TFontGlyph>> sizes = ReadSizes(o.sizes);
  if (picture.Empty() || !sizes) {
    std::fprintf(stderr, "font_bake: cannot read %s\n", picture.Empty() ? o.picture : o.sizes);
    return std::nullopt;
  }
  glyphs = *sizes;
  return CellsOf(picture);
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) return Usage();
  std::vector<TFontGlyph> glyphs;
  const std::optional<Cells> cells =
      options->ttf != nullptr ? CellsFromFontFile(*options, glyphs) : CellsFromPicture(*options, glyphs);
  if (!cells) {
    if (options->ttf != nullptr) std::fprintf(stderr, "font_bake: cannot read the font file %s\n", options->ttf);
    return 1;
  }
  TFontRecord record;
  record.firstChar = options->firstChar;
  record.charSpacing = options->spacing;
  record.glyphs = glyphs;
  record.format = options->format;
  const std::vector<std::uint8_t> content =
      ox::render::StoredTexelSize(record.format) > 0 && FillTexture(*cells, *options, record)
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
