// A picture's companions and effects, applied after it was decoded. They are looked for where
// the picture was found (game folder, program folder or archive), named after its file name:
//   "name_x.bmp" takes its colours from "name.jpg", its own pixel values becoming the alpha;
//   "name.bmp" takes its colours from "name_.jpg" in the same way;
//   "name_x.jpg" takes its alpha from the pixel values of "name.bmp".
// The "*" (alpha view) and "#" (grey) effects apply to BMP pictures only, after the first of
// these rules and before the second. A companion that is larger than its partner cannot be
// paired: the picture is then left empty, as an undecodable one, and one line is logged.
#pragma once

#include "media/bitmap.h"
#include "media/image_source.h"
#include "media/picture_effects.h"

namespace ox::media {

void CompletePicture(ImageStoreHost& host, const ImageSource& source, PictureEffects effects,
                     Bitmap& picture);

}  // namespace ox::media
