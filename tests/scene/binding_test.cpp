// The binding's name rules, nested runs, and the root's texts, sound list, cheats and typing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "elements/register_classes.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "elements/text.h"
#include "scene/game_root.h"
#include "scene/scene_state.h"
#include "scene/script_binding.h"
#include "script/var_list.h"
#include "support/temp_folder.h"

namespace ox::scene {
namespace {

using elements::TOxScreen;
using elements::TOxShape;
using elements::TOxText;

struct Binding : ::testing::Test {
  void SetUp() override {
    elements::RegisterElementClasses();
    Scene() = SceneState{};
    Scene().root = &root;
    pool.SetRoot(&root);
    root.Id = "Root";
  }
  void TearDown() override { Scene() = SceneState{}; }

  // Runs a script on the element and returns the value a variable holds afterwards in its
  // Vars (the script's own variables are kept there, as Init keeps them).
  script::Value RunAndRead(TOxElement& e, const std::string& source, const std::string& name) {
    EventScript event;
    AssignEvent(event, source);
    e.ReplaceVars(std::make_unique<script::TVarList>());
    RunEvent(e, event, "Test", e.Vars());
    const script::TVar* v = e.Vars()->Find(name);
    return v ? v->Val : script::Value{};
  }

  InterpreterPool pool{[](script::TPasCalc&) {}};
  TOxDB root;
  TOxScreen* screen = TOxElement::CreateIn<TOxScreen>(root);
};

TEST_F(Binding, NamesReachChildrenByIdAndByNumber) {
  auto* a = TOxElement::CreateIn<TOxShape>(*screen);
  auto* b = TOxElement::CreateIn<TOxShape>(*screen);
  auto* c = TOxElement::CreateIn<TOxShape>(*screen);
  b->Id = "Button1";
  b->SetX(33);
  EXPECT_EQ(RunAndRead(*screen, "V := BUTTON1.X", "V").i, 33);
  EXPECT_EQ(RunAndRead(*screen, "V := CHILD[1]", "V").i, a->Ref());
  EXPECT_EQ(RunAndRead(*screen, "V := CHILD1", "V").i, a->Ref());
  EXPECT_EQ(RunAndRead(*screen, "V := CHILD[0]", "V").i, 0);
  EXPECT_EQ(RunAndRead(*screen, "V := CHILD[4]", "V").i, 0);
  EXPECT_EQ(RunAndRead(*c, "V := PARPOS", "V").i, 3);
  EXPECT_EQ(RunAndRead(*c, "V := PARENT.CHILDCOUNT", "V").i, 3);
  EXPECT_EQ(RunAndRead(*c, "V := ..ID", "V").s, "Root") << "two dots climb two levels";
  EXPECT_EQ(RunAndRead(*c, "V := CLASS", "V").s, "TOXSHAPE");
  script::Value out;
  EXPECT_FALSE(root.GetVar("PARENT", out)) << "the root has no parent";
  EXPECT_FALSE(screen->GetVar("CHILD[X]", out)) << "a child number must be a number";
}

TEST_F(Binding, APropertyHidesAChildAndAChildHidesAPseudoVariable) {
  auto* child = TOxElement::CreateIn<TOxShape>(*screen);
  child->Id = "Self";
  auto* tagged = TOxElement::CreateIn<TOxShape>(*screen);
  tagged->Id = "Tag";
  screen->Tag = "the tag";
  EXPECT_EQ(RunAndRead(*screen, "V := SELF", "V").i, child->Ref());
  EXPECT_EQ(RunAndRead(*screen, "V := TAG", "V").s, "the tag");
}

TEST_F(Binding, WritesGoToVariablesThenPropertiesThenStayLocal) {
  auto* text = TOxElement::CreateIn<TOxText>(*screen);
  text->Id = "Label";
  RunAndRead(*screen, "LABEL.TEXT := 'hello'; LABEL.SIZEX := '42'; LABEL.SIZEY := 'no'", "");
  EXPECT_EQ(text->Text(), "hello");
  EXPECT_EQ(text->GetSizeX(), 42) << "a string is read as an integer";
  EXPECT_EQ(text->GetSizeY(), 0) << "... and a bad one gives 0";
  EXPECT_EQ(RunAndRead(*text, "NEWNAME := 5", "NEWNAME").i, 5);
  script::Value out;
  text->ReplaceVars(nullptr);
  EXPECT_FALSE(text->GetVar("NEWNAME", out)) << "a local variable ends with its run";
}

TEST_F(Binding, InitVariablesAreReadLaterThroughTheElementsId) {
  screen->Id = "Menu";
  AssignEvent(screen->exInit, "OPENED := 7");
  root.Init();
  EXPECT_EQ(RunAndRead(root, "V := MENU.OPENED", "V").i, 7);
  EXPECT_EQ(RunAndRead(root, "MENU.OPENED := 8; W := MENU.OPENED", "W").i, 8);
}

TEST_F(Binding, AKeepListKeepsTheValuesItAlreadyHolds) {
  script::TVarList keep;
  keep.AddVar(script::TVar{"A", script::Value::Int32(1)});
  EventScript event;
  AssignEvent(event, "A := 2; B := 3");
  RunEvent(*screen, event, "Test", &keep);
  EXPECT_EQ(keep.Find("A")->Val.i, 1);
  EXPECT_EQ(keep.Find("B")->Val.i, 3);
}

TEST_F(Binding, NestedRunsUseTheNextInterpreterAndStopAtTheTenthLevel) {
  int runs = 0;
  int deepest = 0;
  InterpreterPool counting{[&](script::TPasCalc& calc) {
    calc.SetFunction("AGAIN", [&](script::TPasCalc&, script::TVarList&, script::TVar&) {
      ++runs;
      deepest = std::max(deepest, counting.Depth());
      screen->MouseDown();
      return true;
    });
  }};
  counting.SetRoot(&root);
  counting.SetLogErrors(true);
  screen->Id = "Deep";
  AssignEvent(screen->exMouseDown, "X := 1; AGAIN; Y := X");
  testing::internal::CaptureStderr();
  screen->MouseDown();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(runs, 9) << "nine runs nest, on depths 2 to 10";
  EXPECT_EQ(deepest, 10);
  EXPECT_EQ(counting.Depth(), 1) << "the depth returns to rest";
  EXPECT_NE(err.find("Very recursion (in Deep <TOxScreen #0> ms_Down"), std::string::npos) << err;
}

struct RootFiles : Binding {
  test_support::TempFolder temp;
  std::filesystem::path folder = temp.path();
  void SetUp() override {
    Binding::SetUp();
    Write("game.oxf", "");
    Write("rus.lng", "[Default]\r\nStart = Go\r\nTitle=Game\r\n[Menu]\r\nStart=Begin ; not a comment\r\n");
    Write("sounds.ini", "[Default]\r\nClick=60:click.wav\r\nBell=bell.wav\r\n");
    root.LoadGame((folder / "game.oxf").string());
    screen = TOxElement::CreateIn<TOxScreen>(root);  // loading the empty game freed the old one
  }
  void TearDown() override {
    Binding::TearDown();
    TOxDB::SetUserDirOverride(std::nullopt);
  }
  void Write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories((folder / name).parent_path());
    std::ofstream(folder / name, std::ios::binary) << text;
  }
};

TEST_F(RootFiles, TextsAreLookedUpBySectionAndKeyWithLanguageFallbacks) {
  root.SetLang("missing.lng");
  EXPECT_EQ(root.Lang(), "rus.lng") << "the first fallback that exists";
  EXPECT_EQ(root.GetText(" Start "), "Go");
  EXPECT_EQ(root.GetText("Menu.Start"), "Begin ; not a comment");
  EXPECT_EQ(root.GetText("Menu."), "");
  EXPECT_EQ(root.GetText("Nothing.Here"), "");
  auto* text = TOxElement::CreateIn<TOxText>(*screen);
  text->Id = "Caption";
  RunAndRead(*screen, "CAPTION.TEXT := \"Menu.Start\"", "");
  EXPECT_EQ(text->Text(), "Begin ; not a comment");
  RunAndRead(*screen, "CAPTION.TEXT := \"Menu.Nothing\"", "");
  EXPECT_EQ(text->Text(), "\"Menu.Nothing\"") << "an empty look-up keeps the quoted text";
}

TEST_F(RootFiles, TheSoundListGivesFileAndVolume) {
  root.SetSoundFile("SOUNDS.INI");
  std::string file;
  std::int32_t volume = -1;
  root.GetSoundInfo("Click", file, volume);
  EXPECT_EQ(file, "click.wav");
  EXPECT_EQ(volume, 60);
  root.GetSoundInfo("Default.Bell", file, volume);
  EXPECT_EQ(file, "bell.wav");
  EXPECT_EQ(volume, 100);
  root.GetSoundInfo("Menu.", file, volume);
  EXPECT_EQ(file, "");
  EXPECT_EQ(volume, 0);
}

TEST_F(RootFiles, CheatWordsMatchTheEndOfWhatWasTyped) {
  root.Cheats = "gold;moregold";
  AssignEvent(root.exCheat, "N := N + 1; OXDB.LASTCHEAT := CHEAT");
  root.ReplaceVars(std::make_unique<script::TVarList>());
  root.Vars()->AddVar(script::TVar{"LASTCHEAT", script::Value::String("")});
  for (char c : std::string("xmoregol")) root.KeyChar(static_cast<std::uint8_t>(c));
  EXPECT_EQ(root.Vars()->Find("LASTCHEAT")->Val.s, "");
  root.KeyChar('d');
  EXPECT_EQ(root.Vars()->Find("LASTCHEAT")->Val.s, "gold") << "the shorter ending is tried last";
}

TEST_F(RootFiles, TypingGoesToTheFocusedText) {
  auto* text = TOxElement::CreateIn<TOxText>(*screen);
  Scene().keyboardFocus = text->Ref();
  for (int c : {'a', '#', '$', 'b', '\b', 'c'}) root.KeyChar(static_cast<std::uint16_t>(c));
  EXPECT_EQ(text->Text(), "ac");
}

TEST_F(RootFiles, TheUnicodeSetGivesGlyphsWidthsAndTheTrailer) {
  Write("Unicode/Unicode.fnt", "3\r\n41 17\r\n410 42.5\r\nFFFF 0\r\nSome Face\r\n");
  root.LoadGame((folder / "game.oxf").string());
  ASSERT_TRUE(root.UnicodeMode());
  const auto& table = root.UnicodeTable();
  ASSERT_EQ(table.size(), 0x10000u);
  EXPECT_EQ(table[0x41].glyph, 0);
  EXPECT_EQ(table[0x41].width, 10) << "17 / 1.7";
  EXPECT_EQ(table[0x410].glyph, 1);
  EXPECT_EQ(table[0x410].width, 25) << "42.5 / 1.7";
  EXPECT_EQ(root.UnicodeTrailer(), "Some Face");

  Write("Unicode/Unicode.fnt", "3\r\n41 17\r\n10000 5\r\n42 17\r\nFace\r\n");
  root.LoadGame((folder / "game.oxf").string());
  EXPECT_EQ(root.UnicodeTable().size(), 0x42u) << "a code above FFFF ends the table";
  EXPECT_EQ(root.UnicodeTrailer(), "");
}

TEST_F(RootFiles, TheParticleTextureIsKeptAtTheFirstLoadAndFetchedAgainAfterEachSwitch) {
  std::vector<bool> requests;
  root.Services().requestParticleTexture = [&requests](bool keep) { requests.push_back(keep); };
  root.RefetchParticleTexture(true);
  EXPECT_TRUE(requests.empty()) << "no particle manager before a load with a canvas";
  root.LoadGame((folder / "game.oxf").string());
  root.LoadGame((folder / "game.oxf").string());
  EXPECT_EQ(requests, std::vector<bool>{true}) << "the manager is made once";
  auto* next = TOxElement::CreateIn<TOxScreen>(root);
  root.BeginScreenSwitch(*next, {});
  root.FinishScreenSwitch();
  EXPECT_EQ(requests, (std::vector<bool>{true, false}));
  root.RefetchParticleTexture(true);
  EXPECT_EQ(requests, (std::vector<bool>{true, false, true}));
  root.Services().requestParticleTexture = nullptr;
}

TEST_F(RootFiles, ThePerUserFolderFollowsTheIdAndHoldsTheStateFile) {
  TOxDB::SetUserDirOverride(folder / "home");
  root.Id = "MyGame";
  root.SetFileRS("save\\state.dat");
  ASSERT_TRUE(root.StateFile().has_value());
  EXPECT_EQ(*root.StateFile(), folder / "home/Tarvo/MyGame/save/state.dat");
  EXPECT_TRUE(std::filesystem::exists(*root.StateFile()));
  root.SetFileRS("..\\..\\escape.dat");
  EXPECT_FALSE(root.StateFile().has_value()) << "a name that climbs out is refused";
}

TEST_F(RootFiles, SettingsGiveVolumesAndScreenModeAndRememberChanges) {
  TOxDB::SetUserDirOverride(folder / "home");
  root.Id = "G";
  root.SetFileRS("state.dat");
  Write("home/Tarvo/G/settings.ini", "[Def]\r\nSnd=70\r\nFS=0\r\n");
  root.SetIniFile("settings.ini");
  EXPECT_EQ(Scene().soundVolume, 70);
  EXPECT_EQ(Scene().musicVolume, 50);
  EXPECT_FALSE(Scene().fullScreen);
  root.SetVar("VOLMUZ", script::Value::Int32(20));
  std::ifstream in(folder / "home/Tarvo/G/settings.ini");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Muz=20"), std::string::npos) << text;
  script::Value v;
  ASSERT_TRUE(root.GetVar("FULLSCREEN", v));
  EXPECT_EQ(v.kind, script::Kind::UInt8);
}

}  // namespace
}  // namespace ox::scene
