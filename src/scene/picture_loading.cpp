#include "scene/picture_loading.h"

namespace ox::scene {

namespace {

class PlainPictureLoading final : public PictureLoading {
 public:
  bool LoadNow() const override { return loadNow_; }
  void SetLoadNow(bool now) override { loadNow_ = now; }
  std::int32_t ForLoadCount() const override { return count_; }
  void SetForLoadCount(std::int32_t count) override { count_ = count; }
  std::int32_t ForLoadPos() const override { return pos_; }
  void SetForLoadPos(std::int32_t pos) override { pos_ = pos; }

 private:
  bool loadNow_ = true;
  std::int32_t count_ = 0;
  std::int32_t pos_ = 0;
};

PlainPictureLoading plain;
PictureLoading* installed = nullptr;

}  // namespace

PictureLoading& Pictures() { return installed ? *installed : plain; }
void SetPictures(PictureLoading* pictures) { installed = pictures; }

}  // namespace ox::scene
