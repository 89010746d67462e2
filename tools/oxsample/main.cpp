// oxsample FILE: writes the small sample game that `./oxdev play` runs.
#include <fstream>
#include <iostream>

#include "gamefile/game_file_writer.h"

namespace {

using ox::gamefile::Node;

Node SampleGame() {
  Node game = Node::Of("TOxDB")
                  .Set("Key", 1)
                  .Set("Id", "Sample")
                  .Set("CurKey", 20)
                  .Set("InitScreen", 2)
                  .Set("exInit", "STARTED := TRUE; CLICKS := 0");
  Node title = Node::Of("TOxScreen").Set("Key", 2).Set("Id", "Title").Set("SizeX", 1024).Set("SizeY", 768);
  title.Add(Node::Of("TOxShape")
                .Set("Key", 3)
                .Set("Id", "Panel")
                .Set("X", 312)
                .Set("Y", 284)
                .Set("hxColor", 0x804020)
                .Set("exMouseDown", "OXDB.CLICKS := OXDB.CLICKS + 1")
                .Set("rX", 312.0)
                .Set("rY", 284.0)
                .Set("SizeX", 400)
                .Set("SizeY", 200));
  title.Add(Node::Of("TOxText")
                .Set("Key", 4)
                .Set("Id", "Caption")
                .Set("X", 312)
                .Set("Y", 350)
                .Set("rX", 312.0)
                .Set("rY", 350.0)
                .Set("SizeX", 400)
                .Set("SizeY", 60)
                .Set("PosHor", 1)
                .Set("Text", "oxplayer sample game"));
  game.Add(title);
  game.Add(Node::Of("TOxScreen").Set("Key", 5).Set("Id", "Loading"));
  return game;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: oxsample FILE\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << ox::gamefile::WriteGameFile(SampleGame());
  if (!out) {
    std::cerr << "oxsample: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
