// WAV files: integer PCM of 8 (unsigned), 16, 24 or 32 bits and IEEE float of 32 or 64 bits,
// plain or in the extensible format header, any number of channels. A data chunk that claims
// more bytes than the file holds ends where the file ends.
#pragma once

#include <memory>

#include "platform/audio/audio_decoder.h"

namespace ox::platform {

// nullptr when the header is broken or the encoding is not one of the above.
std::unique_ptr<AudioDecoder> OpenWavDecoder(std::unique_ptr<ByteSource> source);

}  // namespace ox::platform
