#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "bitmap.h"
#include "platform/fonts/font_file_glyphs.h"

namespace demo_assets {

namespace {

// The night over the hills, with the vault's tower and its one lit window: the title and the
// ending stand on it.
std::uint32_t Night(int x, int y) {
  const double t = y / 768.0;
  const double hill = 600 + 40 * std::sin(x / 170.0) + 25 * std::sin(x / 61.0 + 1);
  const bool tower = x > 760 && x < 820 && y > 470 - (x > 775 && x < 805 ? 30 : 0);
  if (tower) {
    const bool window = x > 782 && x < 798 && y > 500 && y < 524;
    return window ? Rgb(1, 0.8, 0.35) : Rgb(0.03, 0.03, 0.07);
  }
  if (y > hill) return Rgb(0.02 + 0.02 * Noise(x / 4, y / 4), 0.04, 0.08);
  const double moon = std::hypot(x - 930, y - 300);
  if (moon < 42) return Rgb(0.95, 0.93, 0.8 - 0.1 * Noise(x / 6, y / 6));
  if (Noise(x, y) > 0.9985) return Rgb(1, 1, 0.9);
  const double glow = std::exp(-moon / 140.0) * 0.35 + std::exp(-std::hypot(x - 512, y - 330) / 300.0) * 0.15;
  return Rgb(0.04 + glow, 0.05 + 0.1 * t + glow * 0.8, 0.18 + 0.25 * t + glow);
}

// The hall: a brick wall with its mortar, a beam across it, and floor boards below.
std::uint32_t Hall(int x, int y) {
  if (y > 560) {
    const double board = ((y - 560) / 26) % 2 ? 0.04 : 0.0;
    const double seam = (y - 560) % 26 < 2 ? 0.5 : 1.0;
    return Rgb((0.34 + board + 0.08 * Noise(x / 8, y / 8)) * seam, (0.21 + board) * seam, 0.12 * seam);
  }
  if (y > 170 && y < 196) return Rgb(0.22 + 0.05 * Noise(x / 5, y), 0.14, 0.08);  // the beam
  const int row = y / 40;
  const bool mortar = y % 40 < 3 || (x + (row % 2) * 40) % 80 < 3;
  if (mortar) return Rgb(0.25, 0.23, 0.2);
  const double grain = 0.06 * Noise(x, y) + 0.05 * Noise((x + (row % 2) * 40) / 80, row);
  const double shade = 0.85 + 0.15 * (y / 560.0);
  return Rgb((0.45 + grain) * shade, (0.33 + grain) * shade, 0.26 * shade);
}

// The vault: green stone lit from the middle, a bronze frame round the window onto the strip,
// and three plinths for the gems.
std::uint32_t Vault(int x, int y) {
  const bool frame = x >= 350 && x < 674 && y >= 88 && y < 212 && !(x >= 362 && x < 662 && y >= 100 && y < 200);
  if (frame) {
    const double bevel = (x < 356 || y < 94) ? 1.0 : (x >= 668 || y >= 206) ? 0.55 : 0.8;
    return Rgb(0.6 * bevel, 0.42 * bevel, 0.18 * bevel);
  }
  for (const int centre : {332, 512, 692}) {
    if (std::abs(x - centre) < 50 && y > 490 && y < 640) {
      const double side = 1 - std::abs(x - centre) / 70.0;
      return Rgb(0.35 * side, 0.38 * side, 0.33 * side + 0.05 * Noise(x, y));
    }
  }
  const double d = std::hypot(x - 512, y - 384) / 640.0;
  const bool joint = y % 64 < 2 || (x + (y / 64 % 2) * 48) % 96 < 2;
  const double stone = joint ? 0.6 : 1.0;
  return Rgb(0.05 * stone, (0.25 - 0.15 * d + 0.03 * Noise(x, y)) * stone, (0.2 - 0.1 * d) * stone);
}

// A round gem of the colour, lit from the top left, transparent outside.
Pixel Gem(double r, double g, double b) {
  return [=](int x, int y) {
    const double dx = (x - 31.5) / 30.0, dy = (y - 31.5) / 30.0, d = std::hypot(dx, dy);
    if (d > 1) return std::uint32_t{0};
    const double light = 0.55 + 0.45 * std::max(0.0, -(dx + dy) / 1.4142 * (1 - d) + (1 - d));
    const double shine = std::exp(-std::hypot(dx + 0.35, dy + 0.35) * 8);
    return Rgb(r * light + shine, g * light + shine, b * light + shine);
  };
}

std::uint32_t Key(int x, int y) {
  const double ring = std::hypot(x - 18, y - 16);
  const bool bow = ring < 14 && ring > 7;
  const bool shaft = x >= 30 && x < 92 && y >= 13 && y < 19;
  const bool bit = x >= 74 && x < 92 && ((y >= 19 && y < 28 && x % 9 < 6));
  if (!bow && !shaft && !bit) return 0;
  return Rgb(0.95, 0.78 - 0.2 * y / 32.0, 0.2);
}

std::uint32_t Door(int x, int y) {
  const bool frame = x < 10 || x >= 170 || y < 10;
  const bool knob = std::hypot(x - 145, y - 170) < 9;
  const bool lock = x > 138 && x < 152 && y > 186 && y < 206;
  if (knob) return Rgb(0.9, 0.8, 0.3);
  if (lock) return Rgb(0.15, 0.12, 0.1);
  if (frame) return Rgb(0.25, 0.15, 0.08);
  const bool band = (y > 50 && y < 66) || (y > 250 && y < 266);
  if (band) return Rgb(0.2, 0.2, 0.22);
  const double plank = (x / 40) % 2 ? 0.05 : 0.0;
  return Rgb(0.5 + plank + 0.05 * Noise(x / 3, y), 0.3 + plank, 0.15);
}

// An iron lantern hanging from a bracket: a ring, a cap, four panes of glass and a base.
std::uint32_t Lantern(int x, int y) {
  const double iron = 0.18 + 0.06 * Noise(x, y);
  if (std::abs(std::hypot(x - 40, y - 10) - 7) < 2.5) return Rgb(iron, iron, iron);
  if (y >= 18 && y < 34 && std::abs(x - 40) < 8 + (y - 18)) return Rgb(iron, iron * 0.95, iron * 0.9);
  if (y >= 34 && y < 100 && x >= 14 && x < 66) {
    if (x < 18 || x >= 62 || std::abs(x - 40) < 2 || y < 38) return Rgb(iron, iron, iron);
    return Rgb(0.55, 0.6, 0.55, 0.45);  // glass
  }
  if (y >= 100 && y < 112 && x >= 10 && x < 70) return Rgb(iron, iron, iron);
  return 0;
}

// A wooden crate: planks in a frame with a cross brace.
std::uint32_t Crate(int x, int y) {
  const double w = 150, h = 110;
  const bool frame = x < 10 || x >= w - 10 || y < 10 || y >= h - 10;
  const double along = (x - 10) / (w - 20) * (h - 20) + 10;
  const bool brace = std::abs(y - along) < 7;
  const double grain = 0.06 * Noise(x / 2, y / 9);
  if (frame || brace) return Rgb(0.55 + grain, 0.38 + grain, 0.2);
  const double gap = (y - 10) % 30 < 2 ? 0.5 : 1.0;
  return Rgb((0.45 + grain) * gap, (0.3 + grain) * gap, 0.16 * gap);
}

// A chest of two patterns: shut on the left, open (lid up, gold light inside) on the right.
std::uint32_t Chest(int x, int y) {
  const bool open = x >= 160;
  const int cx = x % 160;
  const double grain = 0.05 * Noise(cx / 2, y / 7);
  const bool band = std::abs(cx - 30) < 6 || std::abs(cx - 130) < 6;
  if (y >= 50) {
    if (open && y < 62 && cx > 10 && cx < 150) return Rgb(1, 0.85, 0.4);
    return band ? Rgb(0.6, 0.55, 0.3) : Rgb(0.42 + grain, 0.25 + grain, 0.12);
  }
  if (open) {
    if (y < 10 || cx < 10 || cx >= 150) return 0;
    const double glow = Smooth(0, 50, y);
    return Rgb(0.25 + 0.6 * glow, 0.15 + 0.45 * glow, 0.08 + 0.1 * glow);
  }
  const double arc = 50 - 22 * std::sqrt(std::max(0.0, 1 - std::pow((cx - 80) / 80.0, 2)));
  if (y < arc) return 0;
  return band ? Rgb(0.65, 0.6, 0.32) : Rgb(0.5 + grain, 0.3 + grain, 0.14);
}

// A soft warm glow, brightest in the middle: the lantern's light, drawn additively.
std::uint32_t Glow(int x, int y) {
  const double d = std::hypot(x - 127.5, y - 127.5) / 128.0;
  const double a = std::pow(std::max(0.0, 1 - d), 1.8);
  return Rgb(1, 0.8, 0.45, a);
}

// A rounded button with a bevel, gold to bronze.
std::uint32_t Button(int x, int y) {
  constexpr double w = 240, h = 60, r = 18;
  const double qx = std::max(0.0, std::abs(x + 0.5 - w / 2) - (w / 2 - r));
  const double qy = std::max(0.0, std::abs(y + 0.5 - h / 2) - (h / 2 - r));
  const double outside = std::hypot(qx, qy) - r;
  if (outside > 0.5) return 0;
  const double edge = std::clamp(0.5 - outside, 0.0, 1.0);
  const double t = y / h;
  const bool rim = outside > -3;
  const double light = rim ? 0.55 : 0.85 - 0.35 * t + 0.15 * std::exp(-std::pow((t - 0.2) * 6, 2));
  return Rgb(0.55 * light + 0.2, 0.38 * light + 0.1, 0.12 * light, edge);
}

// The strip seen through the vault's window, twice over so that it scrolls without a seam: the
// gems in the order they wake, each over as many dots as its place in the order.
std::uint32_t Tile(int x, int y) {
  const int place = x / 100 % 3;
  const double colours[3][3] = {{0.9, 0.15, 0.15}, {0.15, 0.8, 0.2}, {0.2, 0.35, 0.95}};
  const auto& c = colours[place % 3];
  const double gem = std::hypot(x % 100 - 49.5, y - 40.0);
  if (gem < 26) {
    const double light = 0.6 + 0.4 * (1 - gem / 26);
    return Rgb(c[0] * light, c[1] * light, c[2] * light);
  }
  for (int dot = 0; dot <= place; ++dot) {
    if (std::hypot(x % 100 - (50 - 8 * place + 16 * dot), y - 84.0) < 5) return Rgb(0.95, 0.9, 0.75);
  }
  const bool edge = x % 100 < 3 || x % 100 >= 97;
  return edge ? Rgb(0.35, 0.26, 0.12) : Rgb(0.12, 0.1, 0.08);
}

constexpr char kFreeFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The banner with a title set in a free TrueType face, centred, dark on the gold.
Pixel TitledBanner(const std::u32string& title) {
  auto face = ox::platform::FontFileGlyphs::Open(kFreeFont, 52);
  auto coverage = std::make_shared<std::vector<std::uint8_t>>(600 * 120, 0);
  if (face) {
    std::vector<ox::platform::GlyphCoverage> glyphs;
    int width = 0;
    for (const char32_t c : title) width += (glyphs.emplace_back(face->Render(c))).advance;
    int pen = (600 - width) / 2;
    const int baseline = 60 + face->Ascender() / 2 - 4;
    for (const auto& g : glyphs) {
      for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
          const int px = pen + g.left + x, py = baseline - g.top + y;
          if (px >= 0 && px < 600 && py >= 0 && py < 120)
            (*coverage)[static_cast<std::size_t>(py * 600 + px)] = g.pixels[static_cast<std::size_t>(y * g.width + x)];
        }
      }
      pen += g.advance;
    }
  }
  return [coverage](int x, int y) {
    const double ink = (*coverage)[static_cast<std::size_t>(y * 600 + x)] / 255.0;
    const double wave = 0.5 + 0.5 * std::sin(x / 40.0 + y / 25.0);
    const double corner = std::hypot(std::max(0.0, std::abs(x - 299.5) - 280.0), std::max(0.0, std::abs(y - 59.5) - 40.0));
    if (corner > 20) return std::uint32_t{0};
    return Rgb((0.6 + 0.3 * wave) * (1 - ink) + 0.15 * ink, (0.45 + 0.2 * wave) * (1 - ink) + 0.08 * ink, 0.1,
               std::clamp(20.5 - corner, 0.0, 1.0) * (0.9 + 0.1 * ink));
  };
}

struct Picture {
  const char* name;
  int width, height;
  Pixel pixel;
  int columns = 1;  // patterns side by side, described by a grid file beside the picture
};

}  // namespace

bool WritePictures(const std::filesystem::path& folder) {
  const std::filesystem::path pictures = folder / "pictures";
  std::error_code ec;
  std::filesystem::create_directories(pictures, ec);
  const Picture all[] = {
      {"night.bmp", 1024, 768, Night},
      {"hall.bmp", 1024, 768, Hall},
      {"vault.bmp", 1024, 768, Vault},
      {"door.bmp", 180, 320, Door},
      {"key.bmp", 96, 32, Key},
      {"lantern.bmp", 80, 112, Lantern},
      {"crate.bmp", 150, 110, Crate},
      {"chest.bmp", 320, 100, Chest, 2},
      {"glow.bmp", 256, 256, Glow},
      {"button.bmp", 240, 60, Button},
      {"gem_red.bmp", 64, 64, Gem(0.9, 0.1, 0.1)},
      {"gem_green.bmp", 64, 64, Gem(0.1, 0.8, 0.2)},
      {"gem_blue.bmp", 64, 64, Gem(0.15, 0.3, 0.95)},
      {"gem_gold.bmp", 64, 64, Gem(1.0, 0.75, 0.2)},
      {"tiles.bmp", 600, 100, Tile},
      {"banner_eng.bmp", 600, 120, TitledBanner(U"The Lantern Vault")},
      {"banner_rus.bmp", 600, 120, TitledBanner(U"\u0424\u043E\u043D\u0430\u0440\u043D\u044B\u0439 \u0441\u043A\u043B\u0435\u043F")},
  };
  for (const auto& picture : all) {
    const auto file = pictures / picture.name;
    if (!WriteFile(file, Bitmap(picture.width, picture.height, picture.pixel))) return false;
    if (picture.columns > 1 &&
        !WriteFile(std::filesystem::path(file).replace_extension(".an"), std::to_string(picture.columns) + "\r\n1\r\n"))
      return false;
  }
  return true;
}

}  // namespace demo_assets
