// oxsample FOLDER: writes the small sample game that `./oxdev play` runs: a title screen with a
// picture that counts the clicks it takes, and the picture itself.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "gamefile/game_file_writer.h"

namespace {

using ox::gamefile::Node;

constexpr int kWidth = 400, kHeight = 200;

void PutLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

// A 32-bit bottom-up bitmap: a soft blue-to-purple panel with a lighter frame.
std::string PanelBitmap() {
  std::string bmp = "BM";
  PutLe(bmp, 54 + kWidth * kHeight * 4, 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, 54, 4);
  for (std::uint32_t v : {40u, std::uint32_t{kWidth}, std::uint32_t{kHeight}}) PutLe(bmp, v, 4);
  PutLe(bmp, 1, 2);
  PutLe(bmp, 32, 2);
  for (int i = 0; i < 6; ++i) PutLe(bmp, 0, 4);
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool frame = x < 6 || y < 6 || x >= kWidth - 6 || y >= kHeight - 6;
      const std::uint32_t red = frame ? 230 : 60 + 120 * x / kWidth;
      const std::uint32_t green = frame ? 230 : 40;
      const std::uint32_t blue = frame ? 255 : 200 - 60 * y / kHeight;
      PutLe(bmp, 0xFF000000u | red << 16 | green << 8 | blue, 4);
    }
  }
  return bmp;
}

Node SampleGame() {
  Node game = Node::Of("TOxDB")
                  .Set("Key", 1)
                  .Set("Id", "Sample")
                  .Set("CurKey", 20)
                  .Set("InitScreen", 2)
                  .Set("exInit", "STARTED := TRUE; CLICKS := 0");
  Node title = Node::Of("TOxScreen").Set("Key", 2).Set("Id", "Title").Set("SizeX", 1024).Set("SizeY", 768);
  title.Add(Node::Of("TOxImage")
                .Set("Key", 3)
                .Set("Id", "Panel")
                .Set("imImage", "pictures\\panel.bmp")
                .Set("PosHor", 1)
                .Set("PosVert", 1)
                .Set("exMouseDown", "OXDB.CLICKS := OXDB.CLICKS + 1; SELF.ANGLE := SELF.ANGLE + 15")
                .Set("rX", 512.0)
                .Set("rY", 384.0));
  title.Add(Node::Of("TOxText")
                .Set("Key", 4)
                .Set("Id", "Caption")
                .Set("X", 312)
                .Set("Y", 520)
                .Set("rX", 312.0)
                .Set("rY", 520.0)
                .Set("SizeX", 400)
                .Set("SizeY", 60)
                .Set("PosHor", 1)
                .Set("Text", "oxplayer sample game"));
  game.Add(title);
  game.Add(Node::Of("TOxScreen").Set("Key", 5).Set("Id", "Loading"));
  return game;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: oxsample FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  if (!WriteFile(folder / "sample.oxf", ox::gamefile::WriteGameFile(SampleGame())) ||
      !WriteFile(folder / "pictures" / "panel.bmp", PanelBitmap())) {
    std::cerr << "oxsample: cannot write the sample game into " << folder.string() << "\n";
    return 1;
  }
  return 0;
}
