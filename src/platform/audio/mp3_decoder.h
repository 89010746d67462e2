// MPEG audio (MP3, also MP2 and MP1), read through the mpg123 library from any byte source.
// The output format is fixed when the file opens; a part of the file in another format ends
// the sound.
#pragma once

#include <memory>

#include "platform/audio/audio_decoder.h"

namespace ox::platform {

// nullptr when the library finds no MPEG audio in the content.
std::unique_ptr<AudioDecoder> OpenMp3Decoder(std::unique_ptr<ByteSource> source);

}  // namespace ox::platform
