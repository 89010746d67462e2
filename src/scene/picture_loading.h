// The image store's loading flag and counters as the scene sees them: the screen switch counts
// what a new screen needs instead of loading it, and scripts read the counts for progress. The
// store lives in the media layer; the shell installs it here. Without one, a plain record of the
// values stands in.
#pragma once

#include <cstdint>

namespace ox::scene {

class PictureLoading {
 public:
  virtual ~PictureLoading() = default;
  // Pictures load when requested (else they are only counted).
  virtual bool LoadNow() const = 0;
  virtual void SetLoadNow(bool now) = 0;
  // "IMFORLOADCOUNT": pictures counted for loading; "IMFORLOADPOS": loads since the last clear.
  virtual std::int32_t ForLoadCount() const = 0;
  virtual void SetForLoadCount(std::int32_t count) = 0;
  virtual std::int32_t ForLoadPos() const = 0;
  virtual void SetForLoadPos(std::int32_t pos) = 0;
};

PictureLoading& Pictures();
// Installs the store's view; nullptr restores the plain record. The caller keeps ownership.
void SetPictures(PictureLoading* pictures);

}  // namespace ox::scene
