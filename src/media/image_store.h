// The image store: every picture an element shows is known by a name, which the store turns
// into a long-lived handle (TOxIm) and loads into a texture set when loading is allowed.
//
// Names are compared upper-cased; a leading program folder (exactly as the host spells it) is
// dropped. A name may begin with "*" (show the picture's alpha as a grey picture) and then "#"
// (make it grey); these effects apply to BMP pictures, and a name with them is a handle of its
// own. A picture is looked for as a loose file of the game folder, then of the program folder,
// then as a record of the archive; its grid description and companions come from the same
// place (see grid_description.h and picture_companions.h).
//
// Handles are never freed. A picture found nowhere, or whose textures could not be made, marks
// its handle failed, and it is never looked for again. A picture that cannot be decoded gets a
// texture set with no textures, which draws nothing. While loading is not allowed (ImLoadNow
// false: a screen switch is counting what its new screen needs) a request only counts the
// picture once for the loading screen (ImForLoadCount), unless it asks to keep the picture,
// which loads it at once. Every load counts in ImForLoadPos.
//
// Memory: the decoded size of each load (width x height x 4) adds to a running total; when the
// host's MaxMem is above 25 000 000 and the total passes 1.1 x MaxMem, the least recently used
// pictures are unloaded (TrimImageMemory). Kept pictures and the first handle ever made are
// never unloaded that way. Use is measured by ImStamp, which the frame loop raises every tick.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "media/image_store_host.h"
#include "media/picture_effects.h"
#include "render/asphyre_image.h"
#include "render/backend.h"

namespace ox::media {

class ImageStore;

class TOxIm {
 public:
  // The normalised name: upper case, effect prefixes kept.
  const std::string& Name() const { return name_; }
  bool Failed() const { return failed_; }
  bool Keep() const { return keep_; }
  std::int32_t Requests() const { return requests_; }
  std::uint32_t UseStamp() const { return useStamp_; }
  std::uint32_t Bytes() const { return bytes_; }
  // The loaded texture set, or null.
  render::TAsphyreImage* Image() const { return image_.get(); }

 private:
  friend class ImageStore;
  TOxIm(std::string name, bool keep) : name_(std::move(name)), keep_(keep) {}

  std::string name_;
  bool failed_ = false;
  bool keep_ = false;
  std::int32_t requests_ = 0;
  std::uint32_t useStamp_ = 0;
  std::uint32_t bytes_ = 0;
  std::unique_ptr<render::TAsphyreImage> image_;
};

class ImageStore {
 public:
  // The back end and the host must outlive the store.
  ImageStore(render::GraphicsBackend& backend, ImageStoreHost& host);
  ImageStore(const ImageStore&) = delete;
  ImageStore& operator=(const ImageStore&) = delete;

  // The handle of the name (made on its first request), counted as requested, and loaded or
  // counted for loading; never null.
  TOxIm* RequestImage(const std::string& name, bool keep);
  // The handle's textures, loaded first when the host's AlwaysLoadIm says so; marks the
  // handle as used now. Null for a null handle or a picture not loaded.
  render::TAsphyreImage* GetImage(TOxIm* handle);

  // The start of a screen switch: no handle is requested.
  void ResetImageRequests();
  // The end of a screen switch: frees the textures of every handle not requested since and
  // not kept.
  void UnloadUnrequestedImages();
  // Frees the least recently used pictures until the total is below MaxMem.
  void TrimImageMemory();
  // The device mode switch: every loaded picture is loaded again, with the use clock set to
  // the picture's own stamp while it loads, and restored afterwards.
  void ReloadTextures();

  std::uint32_t& ImStamp() { return imStamp_; }
  bool ImLoadNow() const { return imLoadNow_; }
  void SetImLoadNow(bool now) { imLoadNow_ = now; }
  std::int32_t ImForLoadCount() const { return imForLoadCount_; }
  void SetImForLoadCount(std::int32_t count) { imForLoadCount_ = count; }
  std::int32_t ImForLoadPos() const { return imForLoadPos_; }
  void SetImForLoadPos(std::int32_t pos) { imForLoadPos_ = pos; }
  std::uint64_t ImMemUsed() const { return imMemUsed_; }

  // In creation order.
  const std::vector<std::unique_ptr<TOxIm>>& Handles() const { return handles_; }

 private:
  TOxIm& FindOrCreate(const std::string& name, bool keep);
  void Load(TOxIm& handle, std::string_view fileName, std::string_view recordName,
            PictureEffects effects);
  void CallLoadImProcess();

  render::GraphicsBackend& backend_;
  ImageStoreHost& host_;
  std::vector<std::unique_ptr<TOxIm>> handles_;
  std::unordered_map<std::string, TOxIm*> byName_;
  bool imLoadNow_ = true;
  std::int32_t imForLoadCount_ = 0;
  std::int32_t imForLoadPos_ = 0;
  std::uint32_t imStamp_ = 0;
  std::uint64_t imMemUsed_ = 0;
  bool inLoadImProcess_ = false;
};

// The texel at column x, row y of texture textureIndex, with alpha in bits 24-31, red in bits
// 0-7, green in 8-15 and blue in 16-23; 0 when the texture cannot be read.
std::uint32_t GetTexturePixel(const render::TAsphyreImage& image, int x, int y, int textureIndex);

// The player's one store, which element setters reach while the game file is read; null when
// there is none (requests then give no picture).
ImageStore* Images();
void SetImages(ImageStore* store);

}  // namespace ox::media
