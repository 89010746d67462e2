// Pictures drawn by code: a pixel function per picture, written as a 32-bit bitmap with alpha.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace demo_assets {

using Pixel = std::function<std::uint32_t(int x, int y)>;  // 0xAARRGGBB

// A 32-bit bottom-up bitmap with alpha.
std::string Bitmap(int width, int height, const Pixel& pixel);

// Channels from 0 to 1, clamped.
std::uint32_t Rgb(double r, double g, double b, double a = 1.0);

// A hash from 0 to 1 for stars and grain that is the same on every machine.
double Noise(int x, int y);

// 0 at edge0 and below, 1 at edge1 and beyond, smooth between.
double Smooth(double edge0, double edge1, double v);

bool WriteFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace demo_assets
