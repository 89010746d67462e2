// Unloading the least recently used pictures when the memory budget is passed.
#include "media/image_store.h"

namespace ox::media {

void ImageStore::TrimImageMemory() {
  const std::int64_t maxMem = host_.MaxMem();
  for (;;) {
    // Candidates: loaded, not kept, not the first handle ever made.
    bool any = false;
    std::uint32_t oldest = 0;
    std::uint64_t total = 0;
    for (std::size_t i = 1; i < handles_.size(); ++i) {
      const TOxIm& handle = *handles_[i];
      if (handle.image_ == nullptr || handle.keep_) continue;
      if (!any || handle.useStamp_ < oldest) oldest = handle.useStamp_;
      any = true;
      total += handle.bytes_;
    }
    if (!any) {
      imMemUsed_ = total;
      return;
    }
    for (std::size_t i = 1; i < handles_.size(); ++i) {
      TOxIm& handle = *handles_[i];
      if (handle.image_ == nullptr || handle.keep_ || handle.useStamp_ != oldest) continue;
      handle.image_.reset();
      total -= handle.bytes_;
      if (maxMem >= 0 && total < static_cast<std::uint64_t>(maxMem)) {
        imMemUsed_ = total;
        return;
      }
    }
  }
}

}  // namespace ox::media
