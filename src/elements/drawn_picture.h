// A picture that an element makes from its own state (a shape's pie sector, a text's TrueType
// line) and keeps as one texture of one pattern, to be made again only when what it shows has
// changed. The texture lives on the back end of the canvas the elements draw on (or the one
// given), which outlives the tree.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "render/asphyre_image.h"

namespace ox::elements {

class DrawnPicture {
 public:
  // Whether a picture of that size may be made: at least 1 and at most 16,384 pixels a side, at
  // most 2^28 pixels, as for every picture of the image store.
  static bool SizeAllowed(std::int64_t width, std::int64_t height);

  // Replaces the picture by width x height colours in device order, row by row. Without a
  // canvas on a device, or when the upload fails, there is no picture afterwards.
  void Upload(std::span<const std::uint32_t> argb, int width, int height);
  // The same on the given back end; there is no picture afterwards when the upload fails.
  void Upload(render::GraphicsBackend& backend, std::span<const std::uint32_t> argb, int width,
              int height);
  void Clear() { image_.reset(); }
  // The picture to draw (pattern 0); none before an upload, after a failed one or a Clear.
  const render::TAsphyreImage* Image() const { return image_.get(); }

 private:
  std::unique_ptr<render::TAsphyreImage> image_;
};

}  // namespace ox::elements
