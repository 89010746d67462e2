#include "media/png_decoder.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace ox::media {

namespace {

struct PngSource {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
  char error[200] = "";
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (source->bytes.size() - source->position < count) png_error(png, "the PNG data runs short");
  std::memcpy(out, source->bytes.data() + source->position, count);
  source->position += count;
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::strncpy(source->error, message, sizeof source->error - 1);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

class PngReader {
 public:
  explicit PngReader(PngSource& source)
      : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, OnError, OnWarning)),
        info_(png_ != nullptr ? png_create_info_struct(png_) : nullptr) {
    if (info_ != nullptr) png_set_read_fn(png_, &source, ReadBytes);
  }
  ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  bool Ready() const { return info_ != nullptr; }
  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  png_structp png_;
  png_infop info_;
};

// Asks libpng for 8-bit channels in the bitmap's byte order: blue, green, red, alpha on a
// little-endian machine, alpha first otherwise; a missing alpha channel is filled with 255.
void SetTransforms(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  const bool little = std::endian::native == std::endian::little;
  if (little) {
    png_set_bgr(png);
  } else {
    png_set_swap_alpha(png);
  }
  if ((colourType & PNG_COLOR_MASK_ALPHA) == 0)
    png_set_filler(png, 0xFF, little ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Everything libpng may leave by its error jump happens here, on objects made before it.
bool ReadPicture(const PngReader& reader, Bitmap& bitmap, std::vector<png_bytep>& rows,
                 std::string& failure) {
  png_structp png = reader.Png();
  png_infop info = reader.Info();
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  static constexpr png_byte kTransparency[] = {'t', 'R', 'N', 'S', '\0'};
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kTransparency, 1);
  png_read_info(png, info);
  if (!AllocateBitmap(bitmap, png_get_image_width(png, info), png_get_image_height(png, info),
                      failure))
    return false;
  bitmap.hasAlpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0;
  SetTransforms(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(bitmap.width) * 4)
    png_error(png, "unexpected row size");
  rows.resize(static_cast<std::size_t>(bitmap.height));
  for (int y = 0; y < bitmap.height; ++y)
    rows[static_cast<std::size_t>(y)] = reinterpret_cast<png_bytep>(bitmap.Row(y));
  png_read_image(png, rows.data());
  return true;
}

}  // namespace

Bitmap DecodePng(std::span<const std::uint8_t> bytes, std::string& failure) {
  PngSource source{bytes};
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    failure = "it is not a PNG picture";
    return {};
  }
  PngReader reader(source);
  Bitmap bitmap;
  std::vector<png_bytep> rows;
  if (!reader.Ready() || !ReadPicture(reader, bitmap, rows, failure)) {
    if (failure.empty()) failure = source.error[0] != '\0' ? source.error : "libpng cannot start";
    return {};
  }
  return bitmap;
}

}  // namespace ox::media
