// The picture of a text drawn through the unicode set's TrueType face: the text decoded from the
// engine's unicode form, on one line at a cell height of 30 pixels, white on black, with black
// made transparent (colour key, no tolerance). It is made again only when the text or the face
// changes. A picture beyond the image store's limits is not made, and says so in one line.
#pragma once

#include <string>
#include <string_view>

#include "elements/drawn_picture.h"

namespace ox::elements {

class TrueTypePicture {
 public:
  static constexpr int kCellHeight = 30;

  // The picture of the text in the face, made on the back end when it changed; none when there
  // is nothing to draw, no face, or it would be too large.
  const render::TAsphyreImage* Picture(render::GraphicsBackend& backend, std::string_view text,
                                       std::string_view face);
  // The picture as last made; none before.
  const render::TAsphyreImage* Last() const { return drawn_.Image(); }
  // Forgets the picture (its texture is lost), so that the next draw makes it again.
  void Drop();

 private:
  void Make(render::GraphicsBackend& backend);

  bool made_ = false;
  std::string text_;
  std::string face_;
  DrawnPicture drawn_;
};

}  // namespace ox::elements
