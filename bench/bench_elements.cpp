// The canvas's share of a frame of game elements (their drawing and the batching of what they
// draw, not the driver): 100 boxes of mixed effects and sizes and an inventory list of 40
// items with one selected and grown, 200 texts of 40 characters in a bitmap font (aligned,
// wrapped, shaded, tagged), and all of them together, drawn layer by layer as the frame loop
// draws a screen, against a back end that discards what it is sent. Pies are measured apart: a
// frame of pies whose pictures are already made, and the making of one picture. A focused
// TrueType text drawn again unchanged rasterises nothing; one changed every frame, for
// comparison, rasterises its line each time.
// On a shared machine compare medians: --benchmark_repetitions=15
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "asdb_pack/asdb_packer.h"
#include "discarding_backend.h"
#include "elements/drawing.h"
#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/pie_raster.h"
#include "elements/register_classes.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "elements/text.h"
#include "gamefile/game_file_writer.h"
#include "media/image_store.h"
#include "platform/fonts/truetype.h"
#include "render/canvas.h"
#include "render/font_record.h"
#include "render/fonts.h"
#include "scene/game_root.h"
#include "support/folder_image_host.h"
#include "support/temp_folder.h"

namespace ox::bench {
namespace {

namespace fs = std::filesystem;
using elements::TOxImage;
using elements::TOxImList;
using elements::TOxScreen;
using elements::TOxShape;
using elements::TOxText;
using scene::TOxElement;

constexpr int kBoxes = 100;
constexpr int kListItems = 40;
constexpr int kItemPictures = 8;
constexpr int kTexts = 200;
constexpr const char* kForty = "The quick brown fox jumps over a lazy do";  // 40 characters

// Glyphs for the codes 32 to 127, cells of 8 x 16 of opaque white.
std::vector<std::uint8_t> PlainFont() {
  render::TFontRecord r;
  r.firstChar = 32;
  r.glyphs.assign(96, {8, 16});
  r.format = 5;
  r.patternWidth = r.visibleWidth = 8;
  r.patternHeight = r.visibleHeight = 16;
  r.patternCount = 96;
  r.textureWidth = 8 * 16;
  r.textureHeight = 16 * 6;
  r.textureCount = 1;
  r.texels.assign(static_cast<std::size_t>(r.textureWidth * r.textureHeight * 4), 0xFF);
  return render::EncodeFontRecord(r);
}

// A 32-bit BMP of side x side pixels of one colour.
std::string Bmp32(int side, std::uint32_t argb) {
  auto le32 = [](std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  const auto size = static_cast<std::uint32_t>(side * side * 4);
  std::string bmp = "BM" + le32(54 + size) + le32(0) + le32(54) + le32(40) + le32(side) + le32(side);
  bmp += std::string{1, 0, 32, 0} + le32(0) + le32(size) + le32(2835) + le32(2835) + le32(0) + le32(0);
  for (int i = 0; i < side * side; ++i) bmp += le32(argb);
  return bmp;
}

// A game folder holding the items' pictures, removed at the end of the run.
const fs::path& GameFolder() {
  static const fs::path folder = [] {
    static const test_support::TempFolder temp;  // removed at exit
    const fs::path& made = temp.path();
    for (int i = 0; i < kItemPictures; ++i) {
      std::ofstream(made / ("item" + std::to_string(i) + ".bmp"), std::ios::binary)
          << Bmp32(48, 0xFF000000u | (0x1F3D5Bu * static_cast<std::uint32_t>(i + 1)));
    }
    asdbpack::WriteArchive(made / "fonts.asdb", {{"Plain", 3, PlainFont(), 0}});
    return made;
  }();
  return folder;
}

// A current screen on a device and canvas that discard what they draw, with the player's image
// store; the scene's elements are added by the benchmarks.
struct Frame {
  Frame() {
    elements::RegisterElementClasses();
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    fonts.SetPublisher(&device);
    fonts.SetCanvas(&canvas);
    ready = device.Initialize();
    archive.SetFileName((GameFolder() / "fonts.asdb").string());
    ready = ready && fonts.LoadFromASDb(archive);
    media::SetImages(&store);
    elements::SetCanvas(&canvas);
    elements::SetFonts(&fonts);
  }
  ~Frame() {
    elements::SetFonts(nullptr);
    elements::SetCanvas(nullptr);
    media::SetImages(nullptr);
  }

  void AddBoxes() {
    for (int i = 0; i < kBoxes; ++i) {
      auto* box = TOxElement::CreateIn<TOxShape>(*screen);
      box->SetPos(i * 37 % 900, i * 53 % 700);
      box->SetSizeX(20 + i % 7 * 15);
      box->SetSizeY(20 + i % 5 * 20);
      box->SetHxColor(0x102030u * static_cast<std::uint32_t>(i));
      box->SetHxTrans(static_cast<std::uint8_t>(128 + i));
      box->hxDrawFx = i % 4 == 3 ? render::kFxAdd : render::kFxBlend;
    }
  }
  // Eight columns of five rows, the item under the mouse selected and grown.
  void AddList() {
    auto* list = TOxElement::CreateIn<TOxImList>(*screen);
    list->SetPos(100, 300);
    list->SetSizeX(8 * 60 + 7 * 8);
    list->SetSizeY(5 * 60 + 4 * 8);
    list->SetColCount(8);
    list->SetRowCount(5);
    list->SetSpace(8);
    list->Scale = 1.5;
    for (int i = 0; i < kListItems; ++i) {
      auto* item = TOxElement::CreateIn<TOxImage>(*screen);
      item->SetVis(false);
      item->SetImImage("item" + std::to_string(i % kItemPictures) + ".bmp");
      list->AddItem(*item);
    }
    list->HitTest(list->Order, 100 + 3 * 68 + 10, 300 + 2 * 68 + 10, 0, 0);
    for (int tick = 0; tick < 10; ++tick) list->Process();
  }
  // Every fourth text: left on one line; centred in its box with a gradient; wrapped into two
  // lines aligned right; with a colour tag and a shadow.
  void AddTexts() {
    for (int i = 0; i < kTexts; ++i) {
      auto* text = TOxElement::CreateIn<TOxText>(*screen);
      text->rX = i % 4 * 250;
      text->rY = i / 4 * 15;
      text->SetSizeY(30);
      text->SetFont("plain");
      text->SetEnEnter(true);
      switch (i % 4) {
        case 1:
          text->PosHor = text->PosVert = 1;
          text->SetHxColor2(0x4080FF);
          break;
        case 2:
          text->PosHor = 2;
          text->SetAutoEnter(true);
          break;
        case 3: text->Shadow = true; break;
        default: break;
      }
      text->SetSizeX(i % 4 == 2 ? 200 : 320);
      text->SetText(i % 4 == 3 ? std::string("#$FF00FF00") + kForty : kForty);
    }
  }
  // The root in unicode mode (its unicode set names the DejaVu face), its screen holding one
  // text that is always drawn through the TrueType face.
  TOxText* LoadUnicodeGame() {
    std::filesystem::create_directories(GameFolder() / "unicode");
    std::ofstream(GameFolder() / "unicode/unicode.fnt") << "1\r\n41 17\r\nDejaVu Sans\r\n";
    gamefile::Node game = gamefile::Node::Of("TOxDB").Set("Key", 1).Set("InitScreen", 2);
    game.Add(gamefile::Node::Of("TOxScreen").Set("Key", 2).Add(
        gamefile::Node::Of("TOxText").Set("Key", 3).Set("Font", "Plain").Set("Uni", 1).Set("SizeX", 400)
            .Set("PosHor", 1).Set("Text", "Name: \x01\x16\x04\x01\x10\x04 the typist")));
    std::ofstream(GameFolder() / "unicode.oxf", std::ios::binary) << gamefile::WriteGameFile(game);
    root.LoadGame((GameFolder() / "unicode.oxf").string());
    screen = dynamic_cast<TOxScreen*>(root.Children().at(0).get());
    return screen ? dynamic_cast<TOxText*>(screen->Children().at(0).get()) : nullptr;
  }
  void AddPies(int count) {
    for (int i = 0; i < count; ++i) {
      auto* pie = TOxElement::CreateIn<TOxShape>(*screen);
      pie->SetPos(i * 37 % 900, i * 53 % 700);
      pie->SetSizeX(64);
      pie->SetSizeY(64);
      pie->ShapeType = elements::kShapeCircle;
      pie->Par1 = i * 7 % 360;
      pie->Par2 = i * 13 % 360;
      pie->Par3 = 1;
    }
  }

  // The frame loop's drawing of the current screen: every layer from the lowest up.
  void Draw() {
    device.OnRender = [this](render::TAsphyreDevice&) {
      for (std::int32_t layer = root.MinOrder; layer <= root.MaxOrder; ++layer)
        screen->Render(layer, 0xFFFFFFFF, 0, 0, 0);
    };
    device.Render(0, true);
  }

  render::DiscardingBackend backend;
  render::TAsphyreDevice device{backend};
  render::TAsphyreCanvas canvas;
  render::TAsphyreFonts fonts;
  render::TASDb archive;
  test_support::FolderImageHost host{GameFolder(), true};
  media::ImageStore store{backend, host};
  scene::TOxDB root;  // after the back end: the tree's pictures are released first
  TOxScreen* screen = TOxElement::CreateIn<TOxScreen>(root);
  bool ready = false;
};

void Run(benchmark::State& state, Frame& frame) {
  if (!frame.ready) return state.SkipWithError("the device could not be set up");
  frame.Draw();  // pictures loaded, pies made
  const std::int64_t before = frame.backend.draws;
  for (auto _ : state) frame.Draw();
  state.counters["draw_calls_per_frame"] = benchmark::Counter(
      static_cast<double>(frame.backend.draws - before), benchmark::Counter::kAvgIterations);
}

void BM_BoxesAndListFrame(benchmark::State& state) {
  Frame frame;
  frame.AddBoxes();
  frame.AddList();
  Run(state, frame);
}
BENCHMARK(BM_BoxesAndListFrame)->Unit(benchmark::kMicrosecond);

void BM_TextsFrame(benchmark::State& state) {
  Frame frame;
  frame.AddTexts();
  Run(state, frame);
}
BENCHMARK(BM_TextsFrame)->Unit(benchmark::kMicrosecond);

// A whole frame: the boxes, the list and the texts together.
void BM_BoxesListAndTextsFrame(benchmark::State& state) {
  Frame frame;
  frame.AddBoxes();
  frame.AddList();
  frame.AddTexts();
  Run(state, frame);
}
BENCHMARK(BM_BoxesListAndTextsFrame)->Unit(benchmark::kMicrosecond);

void BM_FocusedTrueTypeTextRedrawn(benchmark::State& state) {
  Frame frame;
  TOxText* text = frame.ready ? frame.LoadUnicodeGame() : nullptr;
  if (text == nullptr || !text->DrawsTrueType()) return state.SkipWithError("no unicode root");
  const bool changing = state.range(0) != 0;
  frame.Draw();
  const std::uint64_t before = platform::TrueTypeLinesRendered();
  std::int64_t n = 0;
  for (auto _ : state) {
    if (changing) text->SetText("Name: " + std::to_string(++n));
    frame.Draw();
  }
  state.counters["rasterised_per_frame"] = benchmark::Counter(
      static_cast<double>(platform::TrueTypeLinesRendered() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FocusedTrueTypeTextRedrawn)->ArgName("changing")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CachedPiesFrame(benchmark::State& state) {
  Frame frame;
  frame.AddPies(100);
  Run(state, frame);
}
BENCHMARK(BM_CachedPiesFrame)->Unit(benchmark::kMicrosecond);

void BM_PieRaster(benchmark::State& state) {
  const auto side = static_cast<std::int32_t>(state.range(0));
  const elements::RadialPoint first = elements::RadialPointOf(side, side, 30);
  const elements::RadialPoint second = elements::RadialPointOf(side, side, 250);
  for (auto _ : state) benchmark::DoNotOptimize(elements::RasterisePie(side, side, first, second));
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_PieRaster)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ox::bench

BENCHMARK_MAIN();
