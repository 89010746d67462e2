// The engine functions through the interpreter, on a small scene.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "elements/shape.h"
#include "elements/text.h"
#include "scene/picture_loading.h"
#include "script_root_fixture.h"
#include "support/temp_folder.h"

namespace ox::scriptlib {
namespace {

using namespace ox::elements;
using scene::Scene;
using scene::TOxElement;

struct Engine : ScriptRootTest {
  void SetUp() override {
    ScriptRootTest::SetUp();
    other->Id = "Other";
    shape->Id = "Box";
    text->Id = "Label";
  }

  TOxScreen* other = TOxElement::CreateIn<TOxScreen>(root);
  TOxShape* shape = TOxElement::CreateIn<TOxShape>(*screen);
  TOxText* text = TOxElement::CreateIn<TOxText>(*screen);
};

TEST_F(Engine, MoveToRoundsAndNeedsExactlyThreeArguments) {
  Run("R := MoveTo(MAIN.BOX, 10.6, 20); S := MoveTo(MAIN.BOX, 1); T := MoveTo(5, 1, 2)");
  EXPECT_EQ(shape->X(), 11);
  EXPECT_EQ(shape->Y(), 20);
  EXPECT_EQ(Read("R").kind, script::Kind::UInt8);
  EXPECT_EQ(Read("S").kind, script::Kind::Empty) << "a wrong count returns no result";
  EXPECT_EQ(Read("T").kind, script::Kind::Empty);
}

TEST_F(Engine, ElementFunctionsIgnoreWhatIsNoElementOfTheirClass) {
  Run("SetFocus(MAIN.BOX)");
  EXPECT_EQ(Scene().keyboardFocus, 0u) << "only a text takes the keyboard";
  Run("SetFocus(MAIN.LABEL); ToFront(MAIN.BOX); Show(42); Update('x')");
  EXPECT_EQ(Scene().keyboardFocus, text->Ref());
  EXPECT_EQ(screen->Children().back().get(), shape);
}

TEST_F(Engine, InitRunsTheElementsInitAgain) {
  scene::AssignEvent(shape->exInit, "COUNT := 1");
  Run("Init(MAIN.BOX); Init(MAIN.BOX)");
  ASSERT_NE(shape->Vars(), nullptr);
  EXPECT_EQ(shape->Vars()->Find("COUNT")->Val.i, 1);
}

TEST_F(Engine, FastScreenChangesShowTheScreenOrNot) {
  scene::AssignEvent(root.exSetScreen, "SWITCHES := 1");
  scene::AssignEvent(other->exShow, "OXDB.SHOWN := OXDB.SHOWN + 1");
  Run("SHOWN := 0; FastSetScreenNS(OXDB.OTHER)");
  EXPECT_EQ(Scene().currentScreen, other->Ref());
  EXPECT_EQ(Read("SHOWN").i, 0);
  Run("FastSetScreen(OXDB.MAIN.BOX); FastSetScreen(OXDB.OTHER)");
  EXPECT_EQ(Read("SHOWN").i, 1) << "a shape is no screen; the screen is shown once";
  EXPECT_EQ(Read("SWITCHES").i, 1) << "exSetScreen keeps its variables in the root's";
}

TEST_F(Engine, SetScreenCountsTheNewScreenAndTheElementsLoadedWithIt) {
  Run("SetScreen(OXDB.OTHER, OXDB.MAIN.BOX, OXDB.MAIN.LABEL, 7)");
  EXPECT_TRUE(Scene().loading);
  EXPECT_EQ(Scene().nextScreen, other->Ref());
  EXPECT_TRUE(other->KeepLoaded);
  EXPECT_TRUE(shape->KeepLoaded);
  EXPECT_TRUE(text->KeepLoaded);
  EXPECT_TRUE(scene::Pictures().LoadNow());
  Run("LoadIm; EndLoadIm");
  EXPECT_EQ(Scene().currentScreen, other->Ref());
  EXPECT_FALSE(Scene().loading);
}

TEST_F(Engine, TheFunctionsThatRefuseReportInvalidParameters) {
  testing::internal::CaptureStderr();
  pool.SetLogErrors(true);
  Run("X := GetText()");
  Run("Y := GetIni('a', 'b')");
  Run("DelFile(5)");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Invalid parameters, function GETTEXT"), std::string::npos) << err;
  EXPECT_NE(err.find("Invalid parameters, function GETINI"), std::string::npos) << err;
  EXPECT_NE(err.find("Invalid parameters, function DELFILE"), std::string::npos) << err;
}

TEST_F(Engine, ExitGameAsksTheFrameLoopToClose) {
  Run("ExitGame");
  EXPECT_TRUE(Scene().quitRequested);
}

struct EngineFiles : Engine {
  test_support::TempFolder temp;
  std::filesystem::path folder = temp.path();
  void SetUp() override {
    Engine::SetUp();
    std::filesystem::create_directories(folder / "user");
    std::ofstream(folder / "game.oxf") << "";
    root.LoadGame((folder / "game.oxf").string());
    scene::TOxDB::SetUserDirOverride(folder / "user");
    root.Id = "G";
    root.SetFileRS("state.dat");
    root.SetIniFile("options.ini");
  }
  void TearDown() override {
    scene::TOxDB::SetUserDirOverride(std::nullopt);
    Engine::TearDown();
  }
};

TEST_F(EngineFiles, SettingsAreWrittenAndReadBack) {
  Run("SetIni('Game', 'Level', 3); V := GetIni('Game', 'Level', 'none'); W := GetIni('Game', 'X', 'none')");
  EXPECT_EQ(Read("V").s, "3");
  EXPECT_EQ(Read("W").s, "none");
  EXPECT_TRUE(std::filesystem::exists(folder / "user/Tarvo/G/options.ini"));
}

TEST_F(EngineFiles, DelFileDeletesOnlyInsideThePerUserFolder) {
  std::ofstream(folder / "user/Tarvo/G/old.sav") << "x";
  std::ofstream(folder / "keep.txt") << "x";
  Run("A := DelFile('old.sav'); B := DelFile('..\\..\\..\\keep.txt'); C := DelFile('missing')");
  EXPECT_FALSE(std::filesystem::exists(folder / "user/Tarvo/G/old.sav"));
  EXPECT_TRUE(std::filesystem::exists(folder / "keep.txt"));
  EXPECT_EQ(Read("C").kind, script::Kind::UInt8) << "a missing file is no error";
}

TEST_F(EngineFiles, InUnicodeModeSettingsTravelAsHexadecimalUtf8) {
  std::filesystem::create_directories(folder / "Unicode");
  std::ofstream(folder / "Unicode/Unicode.fnt") << "0\r\nArial\r\n";
  root.LoadGame((folder / "game.oxf").string());
  ASSERT_TRUE(root.UnicodeMode());
  root.SetIniFile("wide.ini");
  Run("SetIni('A', 'B', 'x'); V := GetIni('A', 'B', 'unused')");
  std::ifstream in(folder / "wide.ini", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(bytes.find("#$#$78"), std::string::npos) << bytes;
  EXPECT_EQ(Read("V").s, "x");
}

}  // namespace
}  // namespace ox::scriptlib
