// Run-length encoded palette indices of Windows bitmaps (8 bits a pixel, or 4 bits packed two
// to a byte). Pixels the data skips (by a delta or an early end of line or of the picture)
// keep index 0; indices past the end of a row are dropped.
#pragma once

#include <cstdint>
#include <span>

namespace ox::media {

// Decodes into width x height indices, stored row y going to row y (top-down) or to row
// height - 1 - y. False when the data ends before the end-of-picture mark, or a packet or a
// delta reaches past the last row.
bool DecodeBmpRunLength(std::span<const std::uint8_t> data, int bitsPerIndex, int width, int height,
                        bool topDown, std::uint8_t* indices);

}  // namespace ox::media
