#include "media/picture_decoder.h"

#include <new>
#include <string>

#include "media/bmp_decoder.h"
#include "media/jpeg_decoder.h"
#include "media/png_decoder.h"
#include "media/tga_decoder.h"
#include "platform/core/log.h"
#include "platform/text/codepage.h"

namespace ox::media {

namespace {

std::string LowerExtension(std::string_view name) {
  const std::size_t folder = name.find_last_of("\\/");
  const std::string_view file = folder == std::string_view::npos ? name : name.substr(folder + 1);
  const std::size_t dot = file.rfind('.');
  std::string extension(dot == std::string_view::npos ? std::string_view{} : file.substr(dot));
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

Bitmap Decode(PictureFormat format, std::span<const std::uint8_t> bytes, std::string& failure) {
  switch (format) {
    case PictureFormat::Tga:
      return DecodeTga(bytes, failure);
    case PictureFormat::Jpeg:
      return DecodeJpeg(bytes, failure);
    case PictureFormat::Png:
      return DecodePng(bytes, failure);
    case PictureFormat::Bmp:
      break;
  }
  return DecodeBmp(bytes, failure);
}

}  // namespace

PictureFormat PictureFormatOf(std::string_view name) {
  const std::string extension = LowerExtension(name);
  if (extension == ".tga") return PictureFormat::Tga;
  if (extension == ".jpg" || extension == ".jpeg") return PictureFormat::Jpeg;
  if (extension == ".png") return PictureFormat::Png;
  return PictureFormat::Bmp;
}

Bitmap DecodePicture(std::string_view name, std::span<const std::uint8_t> bytes) {
  std::string failure;
  Bitmap bitmap;
  try {
    bitmap = Decode(PictureFormatOf(name), bytes, failure);
  } catch (const std::bad_alloc&) {
    bitmap = Bitmap{};
    failure = "there is not enough memory for it";
  }
  if (bitmap.Empty()) {
    platform::LogLine("cannot decode the picture " + platform::Utf8FromCp1251(name) + ": " +
                      (failure.empty() ? "it has no pixels" : failure));
  }
  return bitmap;
}

}  // namespace ox::media
