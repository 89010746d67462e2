#include "render/screenshot.h"

#include <png.h>

#include <csetjmp>
#include <string>
#include <vector>

#include "platform/files/atomic_file.h"

namespace ox::render {
namespace {

std::vector<png_byte> RgbRow(std::span<const std::uint32_t> row) {
  std::vector<png_byte> bytes;
  bytes.reserve(row.size() * 3);
  for (const std::uint32_t pixel : row) {
    bytes.push_back(static_cast<png_byte>(pixel >> 16));
    bytes.push_back(static_cast<png_byte>(pixel >> 8));
    bytes.push_back(static_cast<png_byte>(pixel));
  }
  return bytes;
}

// libpng reports errors by longjmp; nothing with a destructor lives in this frame.
void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

bool Encode(std::string& file, std::span<const std::uint32_t> pixels, int width, int height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(height));
  std::vector<png_bytep> rowPointers(static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < rows.size(); ++y) {
    rows[y] = RgbRow(pixels.subspan(y * static_cast<std::size_t>(width), static_cast<std::size_t>(width)));
    rowPointers[y] = rows[y].data();
  }
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &file, Append, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::string& path, std::span<const std::uint32_t> pixels, int width, int height) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return false;
  }
  std::string file;
  return Encode(file, pixels, width, height) && platform::WriteFileAtomically(path, file);
}

bool WriteScreenshot(GraphicsBackend& backend, const std::string& path) {
  std::vector<std::uint32_t> pixels;
  int width = 0, height = 0;
  return backend.ReadFrame(pixels, width, height) && WritePng(path, pixels, width, height);
}

}  // namespace ox::render
