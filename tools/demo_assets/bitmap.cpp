#include "bitmap.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace demo_assets {

namespace {

void PutLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

}  // namespace

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

std::uint32_t Rgb(double r, double g, double b, double a) {
  auto c = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return c(a) << 24 | c(r) << 16 | c(g) << 8 | c(b);
}

double Noise(int x, int y) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<double>(h & 0xFFFF) / 65535.0;
}

double Smooth(double edge0, double edge1, double v) {
  const double t = std::clamp((v - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace demo_assets
