// demo_assets FOLDER: draws every picture of the demo game (game/) into FOLDER/pictures and
// synthesises its sounds and music into FOLDER/sounds, so that nothing of the demo comes from
// anywhere but this repository.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>
#include <string>

#include "platform/text/codepage.h"
#include "platform/fonts/font_file_glyphs.h"
#include "sounds.h"

namespace {

using Pixel = std::function<std::uint32_t(int x, int y)>;  // 0xAARRGGBB

void PutLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

// A 32-bit bottom-up bitmap with alpha.
std::string Bitmap(int width, int height, const Pixel& pixel) {
  std::string bmp = "BM";
  PutLe(bmp, static_cast<std::uint32_t>(54 + width * height * 4), 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, 54, 4);
  for (int v : {40, width, height}) PutLe(bmp, static_cast<std::uint32_t>(v), 4);
  PutLe(bmp, 1, 2);
  PutLe(bmp, 32, 2);
  for (int i = 0; i < 6; ++i) PutLe(bmp, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) PutLe(bmp, pixel(x, y), 4);
  }
  return bmp;
}

std::uint32_t Rgb(double r, double g, double b, double a = 1.0) {
  auto c = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return c(a) << 24 | c(r) << 16 | c(g) << 8 | c(b);
}

// A small hash for stars and grain that is the same on every machine.
double Noise(int x, int y) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<double>(h & 0xFFFF) / 65535.0;
}

std::uint32_t Night(int x, int y) {
  const double t = y / 768.0;
  if (Noise(x, y) > 0.9985) return Rgb(1, 1, 0.9);
  const double glow = std::exp(-std::hypot(x - 512, y - 300) / 260.0) * 0.25;
  return Rgb(0.05 + glow, 0.05 + 0.1 * t + glow * 0.6, 0.2 + 0.25 * t + glow);
}

std::uint32_t Hall(int x, int y) {
  if (y > 560) return Rgb(0.35 + 0.08 * Noise(x / 8, y / 8), 0.22, 0.12);  // floor boards
  const bool brick = (y / 40 + (x + (y / 40 % 2) * 40) / 80) % 2 == 0;
  const double grain = 0.05 * Noise(x, y);
  return brick ? Rgb(0.45 + grain, 0.38 + grain, 0.3) : Rgb(0.4 + grain, 0.33 + grain, 0.26);
}

std::uint32_t Vault(int x, int y) {
  const double d = std::hypot(x - 512, y - 384) / 640.0;
  return Rgb(0.05, 0.25 - 0.15 * d + 0.03 * Noise(x, y), 0.2 - 0.1 * d);
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
  if (knob) return Rgb(0.9, 0.8, 0.3);
  if (frame) return Rgb(0.25, 0.15, 0.08);
  const double plank = (x / 40) % 2 ? 0.05 : 0.0;
  return Rgb(0.5 + plank + 0.05 * Noise(x / 3, y), 0.3 + plank, 0.15);
}

std::uint32_t Tile(int x, int y) {
  const int hue = x / 100;
  const double inside = (x % 100 > 10 && x % 100 < 90 && y > 10 && y < 90) ? 1.0 : 0.3;
  const double colours[3][3] = {{0.9, 0.15, 0.15}, {0.15, 0.8, 0.2}, {0.2, 0.35, 0.95}};
  const auto& c = colours[hue % 3];
  return Rgb(c[0] * inside, c[1] * inside, c[2] * inside);
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
    return Rgb((0.6 + 0.3 * wave) * (1 - ink) + 0.15 * ink, (0.45 + 0.2 * wave) * (1 - ink) + 0.08 * ink, 0.1, 0.9 + 0.1 * ink);
  };
}

// The language files: the window title and the banner picture of each language, in the games'
// 8-bit code page.
bool WriteLanguages(const std::filesystem::path& folder) {
  const struct {
    const char* file;
    const char* title;  // UTF-8
    const char* banner;
  } languages[] = {{"eng.lng", "The Lantern Vault", "pictures\\banner_eng.bmp"},
                   {"rus.lng", "\xD0\xA4\xD0\xBE\xD0\xBD\xD0\xB0\xD1\x80\xD0\xBD\xD1\x8B\xD0\xB9 \xD1\x81\xD0\xBA\xD0\xBB\xD0\xB5\xD0\xBF",
                    "pictures\\banner_rus.bmp"}};
  for (const auto& l : languages) {
    std::ofstream out(folder / l.file, std::ios::binary | std::ios::trunc);
    out << "[Default]\r\nTitle=" << ox::platform::Cp1251FromUtf8(l.title) << "\r\n[Pictures]\r\nBanner=" << l.banner << "\r\n";
    if (!out) return false;
  }
  return true;
}

bool Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: demo_assets FOLDER\n";
    return 2;
  }
  const std::filesystem::path pictures = std::filesystem::path(argv[1]) / "pictures";
  std::error_code ec;
  std::filesystem::create_directories(pictures, ec);
  const struct {
    const char* name;
    int width, height;
    Pixel pixel;
  } all[] = {
      {"night.bmp", 1024, 768, Night},          {"hall.bmp", 1024, 768, Hall},
      {"vault.bmp", 1024, 768, Vault},          {"door.bmp", 180, 320, Door},
      {"key.bmp", 96, 32, Key},                 {"gem_red.bmp", 64, 64, Gem(0.9, 0.1, 0.1)},
      {"gem_green.bmp", 64, 64, Gem(0.1, 0.8, 0.2)}, {"gem_blue.bmp", 64, 64, Gem(0.15, 0.3, 0.95)},
      {"tiles.bmp", 300, 100, Tile},
      {"banner_eng.bmp", 600, 120, TitledBanner(U"The Lantern Vault")},
      {"banner_rus.bmp", 600, 120, TitledBanner(U"\u0424\u043E\u043D\u0430\u0440\u043D\u044B\u0439 \u0441\u043A\u043B\u0435\u043F")},
  };
  for (const auto& picture : all) {
    if (!Write(pictures / picture.name, Bitmap(picture.width, picture.height, picture.pixel))) {
      std::cerr << "demo_assets: cannot write " << (pictures / picture.name).string() << "\n";
      return 1;
    }
  }
  if (!WriteLanguages(argv[1]) || !demo_assets::WriteSounds(std::filesystem::path(argv[1]) / "sounds")) {
    std::cerr << "demo_assets: cannot write the sounds\n";
    return 1;
  }
  return 0;
}
