#include "media/jpeg_decoder.h"

#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <vector>

namespace ox::media {

namespace {

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr) {}

class JpegReader {
 public:
  JpegReader() {
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = OnError;
    errors_.manager.output_message = OnMessage;
    errors_.message[0] = '\0';
  }
  ~JpegReader() {
    if (created_) jpeg_destroy_decompress(&info_);
  }
  JpegReader(const JpegReader&) = delete;
  JpegReader& operator=(const JpegReader&) = delete;

  jpeg_decompress_struct& Info() { return info_; }
  JpegErrors& Errors() { return errors_; }
  void Created() { created_ = true; }

 private:
  jpeg_decompress_struct info_{};
  JpegErrors errors_{};
  bool created_ = false;
};

// Inverted CMYK, as CMYK JPEG pictures are stored.
void CmykRowToColour(const std::uint8_t* cmyk, int width, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, cmyk += 4) {
    const unsigned k = cmyk[3];
    const auto channel = [k](unsigned c) { return (c * k + 127) / 255; };
    out[x] = 0xFF000000u | channel(cmyk[0]) << 16 | channel(cmyk[1]) << 8 | channel(cmyk[2]);
  }
}

void ReadRows(jpeg_decompress_struct& info, Bitmap& bitmap, std::vector<std::uint8_t>& cmykRow) {
  const bool cmyk = info.out_color_space == JCS_CMYK;
  if (cmyk) cmykRow.resize(static_cast<std::size_t>(bitmap.width) * 4);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW row = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(bitmap.Row(y));
    if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
    if (cmyk) CmykRowToColour(cmykRow.data(), bitmap.width, bitmap.Row(y));
  }
  for (int y = static_cast<int>(info.output_scanline); y < bitmap.height; ++y)
    std::fill_n(bitmap.Row(y), bitmap.width, 0u);  // rows the library did not give
}

// Everything the library may leave by its error jump happens here, on objects made before it.
bool ReadPicture(JpegReader& reader, std::span<const std::uint8_t> bytes, Bitmap& bitmap,
                 std::vector<std::uint8_t>& cmykRow, std::string& failure) {
  jpeg_decompress_struct& info = reader.Info();
  if (setjmp(reader.Errors().jump)) return false;
  jpeg_create_decompress(&info);
  reader.Created();
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (!AllocateBitmap(bitmap, info.image_width, info.image_height, failure)) return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  const bool little = std::endian::native == std::endian::little;
  info.out_color_space = cmyk ? JCS_CMYK : little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
  jpeg_start_decompress(&info);
  if (info.output_width != info.image_width || info.output_height != info.image_height) {
    failure = "the JPEG library changed the picture's size";
    return false;
  }
  ReadRows(info, bitmap, cmykRow);
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes, std::string& failure) {
  JpegReader reader;
  Bitmap bitmap;
  std::vector<std::uint8_t> cmykRow;
  if (!ReadPicture(reader, bytes, bitmap, cmykRow, failure)) {
    if (failure.empty()) failure = reader.Errors().message;
    return {};
  }
  return bitmap;
}

}  // namespace ox::media
