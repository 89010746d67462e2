// OGG Vorbis, read through the vorbisfile library from any byte source. A chained file whose
// later part changes the rate or the channel count ends where the change begins.
#pragma once

#include <memory>

#include "platform/audio/audio_decoder.h"

namespace ox::platform {

// nullptr when the content is not a Vorbis stream that the library opens.
std::unique_ptr<AudioDecoder> OpenOggDecoder(std::unique_ptr<ByteSource> source);

}  // namespace ox::platform
