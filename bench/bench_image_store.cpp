// A 1024x768 picture loaded through the image store (file read, decode, texture set) against
// the bare work on the same file: libpng and libjpeg decoding it into their own row format,
// and for BMP (24-bit) and Targa (32-bit) a plain copy of the pixel bytes. The store is
// measured on the real OpenGL back end on an off-screen context (textures are managed: the
// driver gets the texels when the picture is first drawn, measured as well), and on a back end
// that keeps textures in memory. The player's decoder alone shows how much of the difference
// is decoding and how much the texture set. On a shared machine compare the medians of
// interleaved runs:
//   --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../tests/render/fake_backend.h"
#include "media/image_store.h"
#include "media/picture_decoder.h"
#include "render/device.h"
#include "platform/graphics/egl_surface.h"
#include "platform/graphics/gl_backend.h"
#include "picture_sources.h"
#include "support/folder_image_host.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace ox::bench;

// The game folder with picture.png, .jpg, .bmp and .tga, made once for the run.
const fs::path& GameFolder() {
  static const fs::path folder = [] {
    static const ox::test_support::TempFolder temp;  // removed at exit
    const fs::path& made = temp.path();
    const auto write = [&made](const char* name, const Bytes& bytes) {
      std::ofstream(made / name, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    };
    write("picture.png", EncodePng());
    write("picture.jpg", EncodeJpeg());
    write("picture.bmp", EncodeBmp(24));
    write("picture.tga", EncodeTga32());
    return made;
  }();
  return folder;
}

Bytes ReadFile(const std::string& name) {
  Bytes bytes(fs::file_size(GameFolder() / name));
  std::FILE* file = std::fopen((GameFolder() / name).c_str(), "rb");
  if (file == nullptr) return {};
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

// The off-screen OpenGL device, made once; null where the machine has no EGL context.
ox::render::GraphicsBackend* GlBackend() {
  static ox::platform::EglSurface surface;
  static ox::platform::GlBackend backend{surface};
  static ox::render::TAsphyreDevice device{backend};
  static const bool ready = [] {
    device.SetWidth(kWidth);
    device.SetHeight(kHeight);
    return device.Initialize();
  }();
  return ready ? &backend : nullptr;
}

// The store's load; with `draw`, also the first draw's hand-over of the texels to the driver.
void StoreLoad(benchmark::State& state, ox::render::GraphicsBackend* backend,
               const std::string& name, bool draw) {
  if (backend == nullptr) {
    state.SkipWithError("no OpenGL context through EGL");
    return;
  }
  ox::test_support::FolderImageHost host{GameFolder()};
  for (auto _ : state) {
    auto store = std::make_unique<ox::media::ImageStore>(*backend, host);
    ox::media::TOxIm* handle = store->RequestImage(name, false);
    if (handle->Image() == nullptr || handle->Image()->TextureCount() != 1) {
      state.SkipWithError("the picture did not load");
      return;
    }
    if (draw) {
      backend->SetTexture(handle->Image()->Texture(0));
      backend->SetTexture(0);
    }
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
}

void StoreOnOpenGl(benchmark::State& state, const std::string& name) {
  StoreLoad(state, GlBackend(), name, false);
}

void StoreAndFirstDraw(benchmark::State& state, const std::string& name) {
  StoreLoad(state, GlBackend(), name, true);
}

void StoreInMemory(benchmark::State& state, const std::string& name) {
  ox::render::testing::FakeBackend backend;
  StoreLoad(state, &backend, name, false);
}

// The player's decoder alone on the same file, to tell its share from the texture set's.
void DecoderOnly(benchmark::State& state, const std::string& name) {
  for (auto _ : state) {
    const Bytes file = ReadFile(name);
    ox::media::Bitmap bitmap = ox::media::DecodePicture(name, file);
    benchmark::DoNotOptimize(bitmap.pixels.data());
  }
}

// The texture set alone: a decoded 1024x768 picture, laid out as its texture, made into it as
// the store does; with `draw`, also handed to the driver as its first draw does.
void TextureSetOnly(benchmark::State& state, ox::render::GraphicsBackend* backend, bool draw) {
  if (backend == nullptr) {
    state.SkipWithError("no OpenGL context through EGL");
    return;
  }
  const ox::media::Bitmap bitmap = ox::media::DecodePicture("picture.tga", ReadFile("picture.tga"));
  for (auto _ : state) {
    state.PauseTiming();
    ox::render::TexelBuffer texels = bitmap.pixels;
    ox::render::TAsphyreImage image(*backend);
    state.ResumeTiming();
    benchmark::DoNotOptimize(image.LoadFromBitmap(std::move(texels), bitmap.width, bitmap.height,
                                                  bitmap.pitch, 1, 1));
    if (draw) {
      backend->SetTexture(image.Texture(0));
      backend->SetTexture(0);
    }
    state.PauseTiming();
    image.ReleaseTextures();
    state.ResumeTiming();
  }
}

void TextureSetInMemory(benchmark::State& state) {
  ox::render::testing::FakeBackend backend;
  TextureSetOnly(state, &backend, false);
}

void TextureSetAndFirstDraw(benchmark::State& state) { TextureSetOnly(state, GlBackend(), true); }

void BarePng(benchmark::State& state) {
  for (auto _ : state) {
    const Bytes file = ReadFile("picture.png");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, file.data(), file.size());
    image.format = PNG_FORMAT_BGRA;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BareJpeg(benchmark::State& state) {
  for (auto _ : state) {
    const Bytes file = ReadFile("picture.jpg");
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), file.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    Bytes pixels(std::size_t{info.output_width} * info.output_height * info.output_components);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row =
          &pixels[std::size_t{info.output_scanline} * info.output_width * info.output_components];
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BareCopy(benchmark::State& state, const std::string& name, std::size_t offset) {
  for (auto _ : state) {
    const Bytes file = ReadFile(name);
    Bytes pixels(file.size() - offset);
    std::memcpy(pixels.data(), file.data() + offset, pixels.size());
    benchmark::DoNotOptimize(pixels.data());
  }
}

}  // namespace

BENCHMARK(BarePng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecoderOnly, Png, "picture.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreInMemory, Png, "picture.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreOnOpenGl, Png, "picture.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreAndFirstDraw, Png, "picture.png")->Unit(benchmark::kMillisecond);
BENCHMARK(BareJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecoderOnly, Jpeg, "picture.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreInMemory, Jpeg, "picture.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreOnOpenGl, Jpeg, "picture.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreAndFirstDraw, Jpeg, "picture.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BareCopy, Bmp, "picture.bmp", kBmpPixelOffset24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecoderOnly, Bmp, "picture.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreInMemory, Bmp, "picture.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreOnOpenGl, Bmp, "picture.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreAndFirstDraw, Bmp, "picture.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BareCopy, Tga, "picture.tga", kTgaPixelOffset)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecoderOnly, Tga, "picture.tga")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreInMemory, Tga, "picture.tga")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreOnOpenGl, Tga, "picture.tga")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreAndFirstDraw, Tga, "picture.tga")->Unit(benchmark::kMillisecond);

BENCHMARK(TextureSetInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(TextureSetAndFirstDraw)->Unit(benchmark::kMillisecond);

// The pictures are made before anything is timed.
int main(int argc, char** argv) {
  GameFolder();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
