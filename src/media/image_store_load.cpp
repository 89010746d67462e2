// Loading one picture into its handle's texture set.
#include "media/grid_description.h"
#include "media/image_source.h"
#include "media/image_store.h"
#include "media/picture_companions.h"

namespace ox::media {
namespace {

constexpr std::int32_t kSmallestTrimmedBudget = 25'000'000;

}  // namespace

void ImageStore::Load(TOxIm& handle, std::string_view fileName, std::string_view recordName,
                      PictureEffects effects) {
  imForLoadPos_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(imForLoadPos_) + 1u);
  const std::optional<ImageSource> source = LocateImageSource(host_, fileName, recordName);
  if (!source) {
    handle.failed_ = true;
    return;
  }
  auto image = std::make_unique<render::TAsphyreImage>(backend_);
  image->SetName(std::string(recordName));
  const GridSize grid = ReadGridDescription(host_, *source);
  Bitmap picture = DecodeImageSource(host_, *source);
  CompletePicture(host_, *source, effects, picture);
  handle.bytes_ = static_cast<std::uint32_t>(picture.PixelCount() * 4);
  if (image->LoadFromBitmap(std::move(picture.pixels), picture.width, picture.height,
                            picture.pitch, grid.columns, grid.rows)) {
    handle.image_ = std::move(image);
  } else {
    handle.failed_ = true;
  }
  imMemUsed_ += handle.bytes_;
  handle.useStamp_ = imStamp_;
  picture = Bitmap{};
  const std::int32_t maxMem = host_.MaxMem();
  if (maxMem > kSmallestTrimmedBudget && static_cast<double>(imMemUsed_) / maxMem > 1.1) {
    TrimImageMemory();
  }
  CallLoadImProcess();
}

}  // namespace ox::media
