// One looping stream of the mixer. Its decoder runs ahead of playback into a ring of decoded
// frames: Refill and Rewind decode, on the thread that feeds the streams or on the main thread,
// never on the audio thread; MixInto only reads the ring. The decode lock inside keeps the
// decoding calls apart. The playing flag and the settings belong to the mixer's lock.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/audio_decoder.h"
#include "platform/audio/audio_mixing.h"
#include "platform/audio/audio_ring.h"

namespace ox::platform {

class StreamChannel {
 public:
  explicit StreamChannel(std::unique_ptr<AudioDecoder> decoder);

  // Tops the ring up, starting the source again from its first frame when it ends; a source
  // that gives nothing even right after a rewind has ended for good.
  void Refill();
  // Only while the stream is not playing: forgets what was decoded, goes back to the first
  // frame and fills the ring again.
  void Rewind();
  // Stops all decoding for good; the decoder and its source are let go.
  void Release();

  // Under the mixer's lock. Adds up to `frames` frames to the stereo mix; false when the source
  // has ended for good and everything decoded from it has played. A ring that runs dry for a
  // moment leaves the rest of the block silent.
  bool MixInto(float* mix, std::size_t frames);

  bool playing = false;
  ChannelSettings settings;

 private:
  std::mutex decodeLock_;
  std::unique_ptr<AudioDecoder> decoder_;
  int channels_;
  FrameRing ring_;
  std::vector<std::int16_t> staging_;
  std::atomic<bool> sourceEnded_{false};
  std::uint64_t position_ = 0;  // in the ring: 32.32 frames after its oldest unread frame
};

}  // namespace ox::platform
