// Decoding a 1024x768 picture through the player's decoders against the bare work of the same
// file: libpng and libjpeg decoding it into their own row format, and for BMP and Targa a plain
// copy of the pixel bytes. The pictures are made here: smooth gradients with some noise, PNG with
// alpha, JPEG at quality 90, 24-bit bottom-up BMP, 8-bit BMP, 32-bit Targa.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "media/bmp_decoder.h"
#include "media/jpeg_decoder.h"
#include "media/png_decoder.h"
#include "media/tga_decoder.h"
#include "picture_sources.h"

namespace {

using namespace ox::bench;

const Bytes& Png() {
  static const Bytes file = EncodePng();
  return file;
}

const Bytes& Jpeg() {
  static const Bytes file = EncodeJpeg();
  return file;
}

const Bytes& Bmp24() {
  static const Bytes file = EncodeBmp(24);
  return file;
}

const Bytes& Bmp8() {
  static const Bytes file = EncodeBmp(8);
  return file;
}

const Bytes& Tga32() {
  static const Bytes file = EncodeTga32();
  return file;
}

using Decoder = ox::media::Bitmap (*)(std::span<const std::uint8_t>, std::string&);

void Decode(benchmark::State& state, Decoder decode, const Bytes& file) {
  for (auto _ : state) {
    std::string failure;
    ox::media::Bitmap bitmap = decode(file, failure);
    if (bitmap.Empty()) state.SkipWithError(failure.c_str());
    benchmark::DoNotOptimize(bitmap.pixels.data());
  }
}

void BarePng(benchmark::State& state) {
  struct Source {
    const Bytes* bytes;
    std::size_t position;
  };
  Bytes rgba(kWidth * kHeight * 4);
  std::vector<png_bytep> rows(kHeight);
  for (std::size_t y = 0; y < kHeight; ++y) rows[y] = &rgba[y * kWidth * 4];
  for (auto _ : state) {
    Source source{&Png(), 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &source, [](png_structp p, png_bytep out, png_size_t size) {
      auto* s = static_cast<Source*>(png_get_io_ptr(p));
      std::memcpy(out, s->bytes->data() + s->position, size);
      s->position += size;
    });
    png_read_info(png, info);
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(rgba.data());
  }
}

void BareJpeg(benchmark::State& state) {
  Bytes rgb(kWidth * kHeight * 3);
  for (auto _ : state) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, Jpeg().data(), Jpeg().size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = &rgb[std::size_t(info.output_scanline) * kWidth * 3];
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(rgb.data());
  }
}

// The floor for the plain formats: the pixel bytes copied once into a fresh buffer.
void PlainCopy(benchmark::State& state, const Bytes& file, std::size_t offset) {
  for (auto _ : state) {
    Bytes copy(file.begin() + static_cast<std::ptrdiff_t>(offset), file.end());
    benchmark::DoNotOptimize(copy.data());
  }
}

BENCHMARK_CAPTURE(Decode, Png, ox::media::DecodePng, Png())->Unit(benchmark::kMillisecond);
BENCHMARK(BarePng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Jpeg, ox::media::DecodeJpeg, Jpeg())->Unit(benchmark::kMillisecond);
BENCHMARK(BareJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Bmp24, ox::media::DecodeBmp, Bmp24())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, Bmp24, Bmp24(), kBmpPixelOffset24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Bmp8, ox::media::DecodeBmp, Bmp8())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, Bmp8, Bmp8(), kBmpPixelOffset8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, Tga32, ox::media::DecodeTga, Tga32())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, Tga32, Tga32(), kTgaPixelOffset)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
