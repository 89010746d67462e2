// Screenshots: the frame read back from the graphics back end, written as an 8-bit RGB PNG.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "render/backend.h"

namespace ox::render {

// Pixels in device order (0xAARRGGBB), rows from the top; alpha is not written. False when the
// sizes do not match the pixels or the file cannot be written (the file is replaced whole or not at all).
bool WritePng(const std::string& path, std::span<const std::uint32_t> pixels, int width, int height);

// Reads the frame from the back end and writes it.
bool WriteScreenshot(GraphicsBackend& backend, const std::string& path);

}  // namespace ox::render
