#include "media/picture_companions.h"

#include <string>

#include "media/picture_effects.h"
#include "platform/core/log.h"
#include "platform/text/codepage.h"

namespace ox::media {
namespace {

bool HasExtension(std::string_view name, std::string_view lowerExtension) {
  if (name.size() < lowerExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - lowerExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c =
        tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
    if (c != lowerExtension[i]) return false;
  }
  return true;
}

// The file name up to its first "_", or nothing when it has none.
std::optional<std::string> StemBeforeUnderscore(std::string_view name) {
  const std::string_view file = NameFile(name);
  const std::size_t underscore = file.find('_');
  if (underscore == std::string_view::npos) return std::nullopt;
  return std::string(NameFolder(name)) + std::string(file.substr(0, underscore));
}

void LeaveEmpty(Bitmap& picture, const ImageSource& larger, const ImageSource& smaller) {
  platform::LogLine("picture " + platform::Utf8FromCp1251(larger.name) + " is larger than " +
                    platform::Utf8FromCp1251(smaller.name) + " and cannot be paired with it");
  picture = Bitmap{};
}

// The picture's pixel values become the alpha of the colour companion, which replaces it.
void TakeColoursFrom(ImageStoreHost& host, const ImageSource& source, const ImageSource& colours,
                     Bitmap& picture) {
  const AlphaMask mask = MaskOf(picture);
  picture = DecodeImageSource(host, colours);
  if (!ApplyMask(picture, mask)) LeaveEmpty(picture, colours, source);
}

// The mask companion's pixel values become the alpha; the picture's colours are kept.
void TakeAlphaFrom(ImageStoreHost& host, const ImageSource& source, const ImageSource& maskSource,
                   Bitmap& picture) {
  Bitmap colours = std::move(picture);
  picture = DecodeImageSource(host, maskSource);
  const AlphaMask mask = MaskOf(picture);
  if (picture.width > colours.width || picture.height > colours.height) {
    LeaveEmpty(picture, maskSource, source);
    return;
  }
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* colour = colours.Row(y);
    std::uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) row[x] = colour[x];
  }
  ApplyMask(picture, mask);
}

void CompleteBmp(ImageStoreHost& host, const ImageSource& source, PictureEffects effects,
                 Bitmap& picture) {
  if (const auto stem = StemBeforeUnderscore(source.name)) {
    const ImageSource colours = SiblingSource(source, *stem + ".jpg");
    if (ImageSourceExists(host, colours)) TakeColoursFrom(host, source, colours, picture);
  }
  if (effects.alphaView) ApplyAlphaView(picture);
  if (effects.grey) ApplyGrey(picture);
  const std::string_view name = source.name;
  const ImageSource colours =
      SiblingSource(source, std::string(name.substr(0, name.size() - 4)) + "_.jpg");
  if (ImageSourceExists(host, colours)) TakeColoursFrom(host, source, colours, picture);
}

}  // namespace

void CompletePicture(ImageStoreHost& host, const ImageSource& source, PictureEffects effects,
                     Bitmap& picture) {
  if (HasExtension(source.name, ".bmp")) {
    CompleteBmp(host, source, effects, picture);
  } else if (HasExtension(source.name, ".jpg")) {
    const auto stem = StemBeforeUnderscore(source.name);
    const ImageSource mask = SiblingSource(source, stem.value_or("") + ".bmp");
    if (stem && ImageSourceExists(host, mask)) TakeAlphaFrom(host, source, mask, picture);
  }
}

}  // namespace ox::media
