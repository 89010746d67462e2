// A picture's grid description: the text file or record named like the picture with ".an" in
// place of its last four characters ("tiles.bmp" -> "tiles.an"), holding the number of pattern
// columns on its first line and of rows on its second. Without a description, and for counts
// below 1 or that are not numbers, the picture is one pattern across or down.
#pragma once

#include <string_view>

#include "media/image_source.h"

namespace ox::media {

struct GridSize {
  int columns = 1;
  int rows = 1;
};

// Each count is read as the first integer at or after the start of its line, blank lines and
// spaces before it skipped; the rest of the line is ignored.
GridSize ParseGridDescription(std::string_view text);

// The description that belongs to the picture, from the same place. A record of the archive is
// first unpacked to "temp.an" in the per-user folder and read from there; when that fails the
// picture has no description.
GridSize ReadGridDescription(ImageStoreHost& host, const ImageSource& picture);

}  // namespace ox::media
