#include "media/image_store.h"

#include "platform/text/case1251.h"

namespace ox::media {
namespace {

ImageStore* processStore = nullptr;

// Counters wrap instead of overflowing.
void Increment(std::int32_t& counter) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + 1u);
}

// Removes the prefix from both names when the first begins with it.
bool StripPrefix(std::string_view& normalised, std::string_view& given, char prefix) {
  if (normalised.empty() || normalised.front() != prefix) return false;
  normalised.remove_prefix(1);
  if (!given.empty()) given.remove_prefix(1);
  return true;
}

}  // namespace

ImageStore::ImageStore(render::GraphicsBackend& backend, ImageStoreHost& host)
    : backend_(backend), host_(host) {}

TOxIm& ImageStore::FindOrCreate(const std::string& name, bool keep) {
  if (const auto found = byName_.find(name); found != byName_.end()) return *found->second;
  handles_.push_back(std::unique_ptr<TOxIm>(new TOxIm(name, keep)));
  TOxIm& handle = *handles_.back();
  byName_.emplace(name, &handle);
  return handle;
}

TOxIm* ImageStore::RequestImage(const std::string& name, bool keep) {
  std::string normalised = platform::UpperAscii(name);
  const std::string programFolder = host_.ProgramFolderPrefix();
  if (!programFolder.empty() && normalised.starts_with(programFolder)) {
    normalised.erase(0, programFolder.size());
  }
  TOxIm& handle = FindOrCreate(normalised, keep);
  std::string_view recordName = normalised;
  std::string_view fileName = name;
  PictureEffects effects;
  effects.alphaView = StripPrefix(recordName, fileName, '*');
  effects.grey = StripPrefix(recordName, fileName, '#');
  Increment(handle.requests_);
  if (handle.image_ != nullptr || handle.failed_) return &handle;
  if (!imLoadNow_ && !keep) {
    if (handle.requests_ == 1) Increment(imForLoadCount_);
    return &handle;
  }
  Load(handle, fileName, recordName, effects);
  return &handle;
}

render::TAsphyreImage* ImageStore::GetImage(TOxIm* handle) {
  if (handle == nullptr) return nullptr;
  if (host_.AlwaysLoadIm() && handle->image_ == nullptr && !handle->failed_) {
    RequestImage(handle->name_, handle->keep_);
  }
  handle->useStamp_ = imStamp_;
  return handle->image_.get();
}

void ImageStore::ResetImageRequests() {
  for (const auto& handle : handles_) handle->requests_ = 0;
}

void ImageStore::UnloadUnrequestedImages() {
  for (const auto& handle : handles_) {
    if (handle->requests_ == 0 && !handle->keep_) handle->image_.reset();
  }
}

void ImageStore::ReloadTextures() {
  imMemUsed_ = 0;
  const std::uint32_t stamp = imStamp_;
  // By index: a load may run the loading screen's script, which may request new pictures.
  for (std::size_t i = 0; i < handles_.size(); ++i) {
    TOxIm& handle = *handles_[i];
    if (handle.image_ == nullptr) continue;
    handle.image_.reset();
    imStamp_ = handle.useStamp_;
    const std::string name = handle.name_;
    RequestImage(name, false);
  }
  imStamp_ = stamp;
}

void ImageStore::CallLoadImProcess() {
  // A loading screen script that loads pictures itself would otherwise recurse without end.
  if (!host_.Loading() || inLoadImProcess_) return;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(inLoadImProcess_);
  host_.LoadImProcess();
}

std::uint32_t GetTexturePixel(const render::TAsphyreImage& image, int x, int y, int textureIndex) {
  return image.Pixel(x, y, textureIndex);
}

ImageStore* Images() { return processStore; }

void SetImages(ImageStore* store) { processStore = store; }

}  // namespace ox::media
