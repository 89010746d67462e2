#include "sounds.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace demo_assets {

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Wave = std::function<double(double seconds)>;  // -1 ... 1

std::vector<float> Render(double seconds, const Wave& wave) {
  std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(wave(static_cast<double>(i) / kRate));
  return samples;
}

void PutLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

bool WriteWav(const std::filesystem::path& path, const std::vector<float>& samples) {
  std::string wav = "RIFF";
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  PutLe(wav, 36 + dataSize, 4);
  wav += "WAVEfmt ";
  PutLe(wav, 16, 4);
  PutLe(wav, 1, 2);  // PCM
  PutLe(wav, 1, 2);  // mono
  PutLe(wav, kRate, 4);
  PutLe(wav, kRate * 2, 4);
  PutLe(wav, 2, 2);
  PutLe(wav, 16, 2);
  wav += "data";
  PutLe(wav, dataSize, 4);
  for (const float s : samples) PutLe(wav, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(s * 32000))), 2);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << wav;
  return static_cast<bool>(out);
}

bool WriteOgg(const std::filesystem::path& path, const std::vector<float>& samples) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 1, kRate, 0.3f) != 0) return false;
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);  // a fixed serial number, so the file is the same every build
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  ogg_page page;
  const auto writePage = [&] {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
  };
  while (ogg_stream_flush(&stream, &page) != 0) writePage();
  constexpr int kChunk = 4096;
  bool ended = false;
  for (std::size_t at = 0; !ended;) {
    const int n = static_cast<int>(std::min<std::size_t>(kChunk, samples.size() - at));
    if (n > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, n);
      std::copy(samples.begin() + static_cast<std::ptrdiff_t>(at), samples.begin() + static_cast<std::ptrdiff_t>(at) + n, buffer[0]);
    }
    vorbis_analysis_wrote(&dsp, n);
    at += static_cast<std::size_t>(n);
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          writePage();
          ended = ogg_page_eos(&page) != 0;
        }
      }
    }
  }
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return static_cast<bool>(out);
}

double Tone(double t, double frequency) { return std::sin(2 * kPi * frequency * t); }

// A slow arpeggio over four chords, with soft attacks: the music of every screen.
double Theme(double t) {
  static const double chords[4][3] = {{220.0, 261.6, 329.6}, {174.6, 220.0, 261.6}, {196.0, 246.9, 293.7}, {164.8, 207.7, 246.9}};
  const int bar = static_cast<int>(t / 2.0) % 4;
  const double inBar = std::fmod(t, 2.0), inNote = std::fmod(t, 0.5);
  const double note = chords[bar][static_cast<int>(inBar / 0.5) % 3];
  const double envelope = std::min(1.0, inNote * 40) * std::exp(-inNote * 3);
  const double pad = 0.15 * (Tone(t, chords[bar][0] / 2) + 0.5 * Tone(t, chords[bar][2] / 2));
  return 0.35 * envelope * (Tone(t, note) + 0.3 * Tone(t, note * 2)) + pad;
}

// White noise that is the same on every build.
double Hiss(double t) {
  std::uint32_t h = static_cast<std::uint32_t>(t * kRate) * 2654435761u;
  h = (h ^ (h >> 15)) * 2246822519u;
  return static_cast<double>(h >> 8) / 8388608.0 - 1.0;
}

}  // namespace

bool WriteSounds(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const auto click = [](double t) { return 0.6 * std::exp(-t * 60) * Tone(t, 900 - 400 * t); };
  const auto door = [](double t) { return 0.5 * std::exp(-t * 4) * (Tone(t, 70 + 30 * t) + 0.4 * Tone(t, 143)); };
  const auto chime = [](double t) {
    return 0.3 * std::exp(-t * 2.5) * (Tone(t, 523.3) + Tone(t, 659.3) * (t > 0.15) + Tone(t, 784.0) * (t > 0.3));
  };
  // A match struck and the wick catching: a hiss that swells, under a soft rising hum.
  const auto lantern = [](double t) {
    return 0.35 * std::min(1.0, t * 8) * std::exp(-t * 2.2) * (0.6 * Hiss(t) + Tone(t, 110 + 60 * t));
  };
  // Wood dragged over boards: low, rough noise that trembles.
  const auto slide = [](double t) {
    return 0.4 * std::min(1.0, t * 20) * std::exp(-t * 1.5) * Hiss(t) * (0.6 + 0.4 * Tone(t, 13)) * Tone(t, 90);
  };
  const auto wrong = [](double t) { return 0.4 * std::exp(-t * 5) * (Tone(t, 180 - 80 * t) + 0.5 * Tone(t, 121 - 50 * t)); };
  const auto gem = [](double t) { return 0.3 * std::exp(-t * 6) * (Tone(t, 1318.5) + 0.5 * Tone(t, 1975.5)); };
  const struct {
    const char* file;
    double seconds;
    Wave wave;
  } effects[] = {{"click.wav", 0.12, click}, {"door.wav", 0.9, door},    {"chime.wav", 1.6, chime},
                 {"lantern.wav", 1.2, lantern}, {"slide.wav", 1.0, slide}, {"wrong.wav", 0.6, wrong},
                 {"gem.wav", 0.7, gem}};
  for (const auto& e : effects) {
    if (!WriteWav(folder / e.file, Render(e.seconds, e.wave))) return false;
  }
  return WriteOgg(folder / "theme.ogg", Render(16.0, Theme));
}

}  // namespace demo_assets
