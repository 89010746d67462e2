// Writes the fuzz targets' seed corpora with the project's own writers: make_seeds SOURCE_DIR.
// Pictures come from the test pictures, which tests/media/data/pictures/make_pictures.sh makes.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "../../tests/support/temp_folder.h"
#include "../saved_game.h"
#include "asdb_pack/asdb_packer.h"
#include "elements/register_classes.h"
#include "gamefile/game_file_writer.h"
#include "platform/files/read_file.h"
#include "platform/text/ini_document.h"
#include "render/font_record.h"
#include "render/particle_params.h"
#include "scene/game_root.h"
#include "scene/saved_state.h"
#include "script/var_list.h"

namespace {

namespace fs = std::filesystem;
using ox::gamefile::Node;

fs::path corpus;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
  fs::create_directories(corpus / target);
  std::ofstream(corpus / target / name, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Bytes(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

void GameFiles() {
  Seed("game_file", "empty", ox::gamefile::WriteGameFile(Node::Of("TOxDB")));
  Node game = Node::Of("TOxDB").Set("Id", "Game").Set("InitScreen", 1).Set("exInit", "A := 1; B := 'x'");
  Node screen = Node::Of("TOxScreen").Set("Key", 1).Set("Id", "Main").Set("SizeX", 1024).Set("Order", -2);
  screen.Add(Node::Of("TOxImage").Set("Key", 2).Set("Id", "Pic").Set("Order", 3).Set("exMouseDown", "SELF.X := SELF.X + 1"));
  screen.Add(Node::Of("TOxShape").Set("Key", 3).Set("Id", "Box").Set("SizeX", 40).Set("SizeY", 30));
  screen.Add(Node::Of("TOxText").Set("Key", 4).Set("Id", "Label").Set("Text", "Hello"));
  screen.Add(Node::Of("TOxImList").Set("Key", 5).Set("Id", "List"));
  screen.Add(Node::Of("TOxExScreen").Set("Key", 6).Set("ObScreen", 7));
  Node anim = Node::Of("TOxAnim").Set("Key", 8).Set("Id", "Walk");
  anim.Add(Node::Of("TOxAnKey").Set("Key", 9));
  anim.Add(Node::Of("TOxAnKey").Set("Key", 10));
  screen.Add(Node::Of("TOxExAnim").Set("Key", 11).Set("Id", "Walker"));
  game.Add(std::move(screen));
  game.Add(Node::Of("TOxScreen").Set("Key", 7).Set("Id", "Panel"));
  game.Add(std::move(anim));
  Seed("game_file", "every_kind", ox::gamefile::WriteGameFile(game));
}

void SavedStates() {
  ox::scene::TOxDB root;
  ox::fuzz::MakeSavedGame(root).SetPos(10, 20);
  root.EnsureVars().AddVar(ox::script::TVar{"SCORE", ox::script::Value::Int32(42)});
  root.EnsureVars().AddVar(ox::script::TVar{"NAME", ox::script::Value::String("Ann")});
  const ox::test_support::TempFolder folder;
  const fs::path file = folder.path() / "seed.state";
  if (folder.path().empty() || !ox::scene::SaveState(root, file)) return;
  Seed("saved_state", "small_game", ox::platform::ReadWholeFile(file).value_or(""));
}

ox::render::TFontRecord SmallFont() {
  ox::render::TFontRecord font;
  font.firstChar = 32;
  font.glyphs = {{4, 8}, {5, 8}};
  font.format = 5;
  font.patternWidth = font.patternHeight = font.visibleWidth = font.visibleHeight = 8;
  font.patternCount = 2;
  font.textureWidth = 16;
  font.textureHeight = 8;
  font.textureCount = 1;
  font.texels.assign(16 * 8 * 4, 0x7F);
  return font;
}

void ArchivesAndFonts() {
  const std::vector<std::uint8_t> font = ox::render::EncodeFontRecord(SmallFont());
  Seed("font_record", "small", Bytes(font));
  const std::string grid = "2\n3\n";
  Seed("archive", "two_records",
       ox::asdbpack::PackArchive({{"font", 3, font, 0}, {"tiles.an", 0, {grid.begin(), grid.end()}, 0}}));
}

// A pictures input: the choice of names (see fuzz/pictures.cpp), the picture's length, the
// picture and the second file.
void Picture(const std::string& name, int names, const std::string& picture, const std::string& second = "") {
  std::string input(1, static_cast<char>(names));
  input += static_cast<char>(picture.size() & 0xFF);
  input += static_cast<char>(picture.size() >> 8 & 0xFF);
  Seed("pictures", name, input + picture + second);
}

void Pictures(const fs::path& source) {
  const fs::path folder = source / "tests/media/data/pictures";
  auto read = [&](const char* name) { return ox::platform::ReadWholeFile(folder / name).value_or(""); };
  Picture("bmp8", 0, read("bmp8.bmp"));
  Picture("bmp4_rle", 0, read("bmp4_rle.bmp"));
  Picture("bmp16_565", 6, read("bmp16_565.bmp"));
  Picture("bmp32_with_jpeg", 0, read("bmp32.bmp"), read("jpeg.jpg"));
  Picture("tga32_rle", 1, read("tga32_rle_bottom.tga"), "2\n2\n");
  Picture("png3_trns", 2, read("png3_trns.png"), "4\n1\n");
  Picture("png6_interlaced", 2, read("png6_16_interlaced.png"));
  Picture("jpeg_grey", 3, read("jpeg_grey.jpg"));
  Picture("mask_of_jpeg", 4, read("bmp8.bmp"), read("jpeg.jpg"));
  Picture("jpeg_with_mask", 5, read("jpeg.jpg"), read("bmp8.bmp"));
}

void IniFiles() {
  ox::platform::IniDocument ini;
  ini.Set(u"Main", u"FS", u"1");
  ini.Set(u"Main", u"Path", u"C:\\Games\\Demo");
  ini.Set(u"Menu", u"Start", u"\u041d\u0430\u0447\u0430\u0442\u044c");
  Seed("ini", "settings", ini.Serialize());
  Seed("ini", "texts", "; comment\r\n[Default]\r\nTitle = Demo\r\n[Menu]\r\nStart=Go\r\nStart=Twice\r\nnot a key\r\n");
  Seed("ini", "utf16", std::string("\xFF\xFE[\0M\0]\0\r\0\n\0k\0=\0v\0", 18));
}

void EventsFiles() {
  Seed("events", "every_kind",
       "# a session\n1 move 10 20\n2 down 10 20\n3 up 10 20 right\n4 key 13 alt ctrl shift\n"
       "5 char 65\n6 deactivate\n7 activate\n8 down 1 1 middle\n9 close\n");
}

void Scripts() {
  Seed("script", "assign", "A := 1 + 2 * 3; B := 'x' + IntToStr(A); OXDB.SCORE := A");
  Seed("script", "branches", "IF SELF.X > 10 THEN SELF.VIS := FALSE ELSE BEGIN SELF.X := 5; END; "
                             "CASE 2 OF 1: A := 1; 2: A := 2; ELSE A := 3 END");
  Seed("script", "loops", "I := 0; WHILE I < 3 DO I := I + 1; REPEAT I := I - 1 UNTIL I = 0; "
                          "FOR J := 1 TO 4 DO S := S + 'a'");
  Seed("script", "procedure", "PROCEDURE P(X); BEGIN R := X * 2 END; P(4)");
  Seed("script", "never_ends", "N := 0; WHILE TRUE DO N := N + 1; A := 'not reached'");
  Seed("script", "elements", "PARENT.BOX.SIZEX := 20; CURRENTSCREEN.ID := 'Other'; T := Copy('abcdef', 2, 3)");
}

// Effect files: smoke that rises and fades, sparks under gravity with an animated pattern, a
// file cut short, and sparks with a play of moves, zero and negative steps after the block.
void Effects() {
  ox::render::TParticleParams smoke;
  smoke.LastPattern = -1;
  smoke.DrawEffect = 0x000104;
  smoke.EmitRate = 40;
  smoke.Duration = 2;
  smoke.LifeA = 1;
  smoke.LifeB = 2.5f;
  smoke.Direction = 3.14159f;
  smoke.Spread = 0.6f;
  smoke.SpeedA = 20;
  smoke.SpeedB = 60;
  smoke.ScaleStart = 0.2f;
  smoke.ScaleMiddle = 1;
  smoke.ScaleEnd = 2;
  smoke.ScaleVariance = 0.5f;
  smoke.ColorStart = 0xFF808080;
  smoke.ColorMiddle = 0x80A0A0A0;
  smoke.ColorEnd = 0x00FFFFFF;
  smoke.AlphaVariance = 0.3f;
  smoke.MiddleTime = 0.3f;
  Seed("effect", "smoke", Bytes(ox::render::WriteParticleParams(smoke)));

  ox::render::TParticleParams sparks;
  sparks.FirstPattern = 0;
  sparks.LastPattern = 1;
  sparks.EmitRate = 300;
  sparks.Duration = 0.5f;
  sparks.LifeA = sparks.LifeB = 0.8f;
  sparks.Spread = 6.28f;
  sparks.FollowMotion = true;
  sparks.SpeedA = 100;
  sparks.SpeedB = 200;
  sparks.GravityA = 5;
  sparks.GravityB = 10;
  sparks.RadialA = -3;
  sparks.RadialB = 3;
  sparks.TangentialA = 1;
  sparks.TangentialB = 4;
  sparks.ScaleStart = sparks.ScaleMiddle = 1;
  sparks.SpinStart = 0;
  sparks.SpinMiddle = 6;
  sparks.SpinEnd = 12;
  sparks.SpinVariance = 1;
  sparks.ColorStart = sparks.ColorMiddle = 0xFF00C0FF;
  sparks.ColorVariance = 1;
  sparks.MiddleTime = 0;
  sparks.ReverseOrder = true;
  const std::string block = Bytes(ox::render::WriteParticleParams(sparks));
  Seed("effect", "sparks", block);
  Seed("effect", "cut_short", block.substr(0, 50));
  // Update a frame, step 0, move along, step -0.5, draw at (0, 0), stop clearing.
  const std::string play{0, 1, 0, 0, 0, 0, 4, 0x20, 0, 0, 0, 0x10, 0, 0, 0, 1, 1, 0, 0, 0, '\xBF',
                         7, 0, 0, 0, 0, 0, 0, 0, 0, 3, 1};
  Seed("effect", "sparks_played", block + play);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_seeds SOURCE_DIR\n";
    return 2;
  }
  ox::gamefile::EnsureClassesRegistered();
  corpus = fs::path(argv[1]) / "fuzz" / "corpus";
  GameFiles();
  SavedStates();
  ArchivesAndFonts();
  Pictures(argv[1]);
  IniFiles();
  EventsFiles();
  Scripts();
  Effects();
  return 0;
}
