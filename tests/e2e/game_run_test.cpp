// Games run headless through the real binary: scripts at the right ticks, mouse routing, screen
// switches, saved state across runs, errors and the exit.
#include <gtest/gtest.h>

#include "gamefile/game_file_writer.h"
#include "player_run.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

std::string Var(const std::string& name, const std::string& kind, const std::string& value) {
  return "{\"name\":\"" + name + "\",\"kind\":\"" + kind + "\",\"value\":" + value + "}";
}

struct GameRun : ::testing::Test {
  TempFolder folder;

  PlayerRun Play(const Node& game, std::int64_t ticks, const std::string& events = "",
                 std::vector<std::string> extra = {}) {
    const auto file = folder.Write("game/game.oxf", gamefile::WriteGameFile(game));
    std::vector<std::string> args = extra;  // first, where /TESTMODE must stand
    args.insert(args.end(), {"--headless", "--ticks", std::to_string(ticks), "--dump-tree", "-",
                             "--user-dir", (folder.path() / "user").string()});
    if (!events.empty()) args.insert(args.end(), {"--events", folder.Write("events.txt", events).string()});
    args.push_back(file.string());
    return RunPlayer(args, folder);
  }
};

Node Root(const char* init) {
  return Node::Of("TOxDB").Set("Key", 1).Set("Id", "Game").Set("InitScreen", 2).Set("exInit", init);
}

Node Screen(std::int32_t key, const char* id) {
  return Node::Of("TOxScreen").Set("Key", key).Set("Id", id).Set("SizeX", 1024).Set("SizeY", 768);
}

Node Box(std::int32_t key, const char* id, std::int32_t x, std::int32_t y) {
  return Node::Of("TOxShape").Set("Key", key).Set("Id", id).Set("X", x).Set("Y", y)
      .Set("rX", static_cast<double>(x)).Set("rY", static_cast<double>(y)).Set("SizeX", 100).Set("SizeY", 100);
}

TEST_F(GameRun, InitScriptsLeaveVariablesThatReadAndWriteTheSceneByName) {
  Node game = Root("A := 1; B := A + 1; T := 'x' + IntToStr(B); W := OXDB.MENU.BUTTON1.X");
  Node menu = Screen(2, "Menu");
  menu.Add(Box(3, "Button1", 40, 50).Set("exInit", "SELF.Y := 77; MINE := PARENT; N := CHILDCOUNT"));
  game.Add(menu);
  const PlayerRun run = Play(game, 30);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string root = DumpLineOf(run.out, "Game");
  EXPECT_NE(root.find(Var("A", "int32", "1")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("B", "int32", "2")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("T", "string", "\"x2\"")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("W", "int32", "40")), std::string::npos) << root;
  const std::string button = DumpLineOf(run.out, "Button1");
  EXPECT_NE(button.find("\"Y\":77"), std::string::npos) << button;
  EXPECT_NE(button.find(Var("MINE", "ref", "2")), std::string::npos) << "a reference dumps as its Key";
  EXPECT_NE(button.find(Var("N", "int32", "0")), std::string::npos) << button;
}

TEST_F(GameRun, TheSplashInitialisesAtTick19AndShowsTheFirstScreenAtTick102) {
  Node game = Root("INITED := 1; SHOWN := 0; TICKS := 0");
  game.Add(Screen(2, "First").Set("exShow", "OXDB.SHOWN := 1").Set("exProcess", "OXDB.TICKS := OXDB.TICKS + 1"));
  auto root = [&](std::int64_t ticks) { return DumpLineOf(Play(game, ticks).out, "Game"); };
  EXPECT_EQ(root(18).find(Var("INITED", "int32", "1")), std::string::npos);
  EXPECT_NE(root(19).find(Var("SHOWN", "int32", "0")), std::string::npos);
  EXPECT_NE(root(101).find(Var("SHOWN", "int32", "0")), std::string::npos);
  const std::string shown = root(102);
  EXPECT_NE(shown.find(Var("SHOWN", "int32", "1")), std::string::npos) << shown;
  EXPECT_NE(shown.find(Var("TICKS", "int32", "0")), std::string::npos) << "play starts after the splash";
  EXPECT_NE(root(112).find(Var("TICKS", "int32", "10")), std::string::npos);
}

TEST_F(GameRun, MouseEventsReachTheElementThenTheRootInTheirOrder) {
  Node game = Root("LOG := ''");
  game.Set("exMouseDown", "LOG := LOG + 'D'").Set("exMouseUp", "LOG := LOG + 'U'");
  Node screen = Screen(2, "S");
  screen.Add(Box(3, "B", 300, 300)
                 .Set("exMouseIn", "OXDB.LOG := OXDB.LOG + 'i'")
                 .Set("exMouseOut", "OXDB.LOG := OXDB.LOG + 'o'")
                 .Set("exMouseMove", "OXDB.LOG := OXDB.LOG + 'm'")
                 .Set("exMouseDown", "OXDB.LOG := OXDB.LOG + 'd'")
                 .Set("exMouseUp", "OXDB.LOG := OXDB.LOG + 'u'"));
  game.Add(screen);
  const std::string events =
      "110 move 350 350\n111 down 350 350\n112 up 350 350\n113 move 10 10\n"
      "114 down 298 350 # two pixels beside the box: a probe still finds it\n115 up 10 10\n";
  const PlayerRun run = Play(game, 120, events);
  EXPECT_NE(DumpLineOf(run.out, "Game").find(Var("LOG", "string", "\"immdDmmuUmoimdDoU\"")), std::string::npos)
      << DumpLineOf(run.out, "Game");
}

TEST_F(GameRun, AReleaseElsewhereReachesOnlyTheRootUnlessTheElementKeepsItFromTheRoot) {
  Node game = Root("LOG := ''");
  game.Set("exMouseUp", "LOG := LOG + 'U'");
  Node screen = Screen(2, "S");
  screen.Add(Box(3, "Kept", 300, 300)
                 .Set("exMouseOut", "OXDB.LOG := OXDB.LOG + 'o'")
                 .Set("exMouseDown", "OXDB.LOG := OXDB.LOG + 'd'")
                 .Set("exMouseUp", "OXDB.LOG := OXDB.LOG + 'u'"));
  screen.Add(Box(4, "Other", 600, 300).Set("NoMsOxDB", 1).Set("exMouseUp", "OXDB.LOG := OXDB.LOG + 'x'"));
  game.Add(screen);
  const std::string events =
      "110 down 350 350\n111 move 10 10\n112 up 10 10 # not over the pressed box\n"
      "114 down 10 10\n115 up 650 350 # over a box that keeps mouse-up from the root\n";
  const PlayerRun run = Play(game, 120, events);
  EXPECT_NE(DumpLineOf(run.out, "Game").find(Var("LOG", "string", "\"doU\"")), std::string::npos)
      << DumpLineOf(run.out, "Game");
}

TEST_F(GameRun, AltEnterSwitchesTheScreenModeAndStillReachesTheRoot) {
  Node game = Root("K := 0; FS := 5").Set("FileRS", "state.dat").Set("IniFile", "options.ini")
                  .Set("exKeyDown", "K := KEYDOWNED; FS := OXDB.FULLSCREEN");
  game.Add(Screen(2, "S"));
  const PlayerRun run = Play(game, 120, "110 key 13 alt\n");
  const std::string root = DumpLineOf(run.out, "Game");
  EXPECT_NE(root.find(Var("K", "int32", "13")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("FS", "uint8", "0")), std::string::npos) << "full screen by default, switched off\n" << root;
  EXPECT_NE(ReadFile(folder.path() / "user/Tarvo/Game/options.ini").find("FS=0"), std::string::npos)
      << "the switch is remembered in the settings";
  const PlayerRun test = Play(game, 120, "110 key 13 alt\n110 key 13 alt\n", {"/TESTMODE"});
  EXPECT_NE(DumpLineOf(test.out, "Game").find(Var("FS", "uint8", "0")), std::string::npos)
      << "test mode never goes full screen";
}

TEST_F(GameRun, AScreenSwitchRunsThroughTheLoadingScreen) {
  Node game = Root("SWITCHED := 0; LOADINGRAN := 0; SHOWNB := 0; COUNTED := 0; LIP := 0").Set("LoadingScreen", 9)
                  .Set("exSetScreen", "SWITCHED := SWITCHED + 1").Set("exLoadImProcess", "LIP := LIP + 1");
  Node a = Screen(2, "A");
  a.Add(Box(3, "Go", 0, 0).Set("exMouseDown", "SetScreen(OXDB.B)"));
  game.Add(a);
  Node b = Screen(4, "B").Set("exShow", "OXDB.SHOWNB := OXDB.SHOWNB + 1");
  b.Add(Node::Of("TOxImage").Set("imImage", "b.bmp"));
  game.Add(b);
  game.Add(Screen(9, "Loading").Set("exProcess", "OXDB.LOADINGRAN := 1; OXDB.COUNTED := IMFORLOADCOUNT; LoadIm; EndLoadIm"));
  folder.Write("game/b.bmp", Bmp32(4, 4, [](int, int) { return 0xFFFFFFFFu; }));
  const PlayerRun run = Play(game, 130, "110 down 50 50\n111 up 50 50\n");
  const std::string root = DumpLineOf(run.out, "Game");
  EXPECT_NE(root.find(Var("LOADINGRAN", "int32", "1")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("SWITCHED", "int32", "1")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("SHOWNB", "int32", "1")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("COUNTED", "int32", "1")), std::string::npos) << "the new screen's picture was counted";
  EXPECT_NE(root.find(Var("LIP", "int32", "1")), std::string::npos) << "its load showed progress";
}

TEST_F(GameRun, SavedStateCarriesValuesToTheNextRun) {
  Node game = Root("SCORE := 0").Set("FileRS", "save\\state.dat");
  Node screen = Screen(2, "S");
  screen.Add(Box(3, "Save", 0, 0).Set("exMouseDown", "OXDB.SCORE := 42; PARENT.X := 7; SaveState"));
  screen.Add(Box(4, "Load", 500, 0).Set("exMouseDown", "LoadState"));
  game.Add(screen);
  const PlayerRun first = Play(game, 120, "110 down 50 50\n");
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "user/Tarvo/Game/save/state.dat"));
  const PlayerRun second = Play(game, 120, "110 down 550 50\n");
  EXPECT_NE(DumpLineOf(second.out, "Game").find(Var("SCORE", "int32", "42")), std::string::npos)
      << DumpLineOf(second.out, "Game");
  EXPECT_NE(DumpLineOf(second.out, "S").find("\"X\":7"), std::string::npos);
}

TEST_F(GameRun, ScriptErrorsGoToTheLogWhenTheGameAsksAndToStderrWhenAsked) {
  Node game = Root("X := ;").Set("SaveErr", 1);
  game.Add(Screen(2, "S"));
  const PlayerRun run = Play(game, 30, "", {"--log-errors"});
  const std::string log = ReadFile(folder.path() / "game/tarvo.err");
  EXPECT_NE(log.find(" in Game <TOxDB>) Init"), std::string::npos) << log;
  EXPECT_NE(run.err.find(" in Game <TOxDB>) Init"), std::string::npos) << run.err;
}

TEST_F(GameRun, AScriptThatNeverEndsIsStoppedAndTheGameGoesOn) {
  Node game = Root("N := 0; WHILE TRUE DO N := N + 1");
  Node screen = Screen(2, "S");
  screen.Add(Box(3, "Mover", 10, 10).Set("exProcess", "SELF.X := SELF.X + 1"));
  game.Add(screen);
  const PlayerRun run = Play(game, 120, "", {"--log-errors"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("Script runs too long (WHILE TRUE DO N := N + 1  in Game <TOxDB>) Init"),
            std::string::npos) << run.err;
  EXPECT_EQ(DumpLineOf(run.out, "Mover").find("\"X\":10,"), std::string::npos) << "the frame loop went on";
}

TEST_F(GameRun, ExitGameEndsTheRunAfterTheExitEvent) {
  Node game = Root("BYE := 0").Set("exExit", "BYE := 1");
  game.Add(Screen(2, "S").Set("exProcess", "ExitGame"));
  const PlayerRun run = Play(game, 100000);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(DumpLineOf(run.out, "Game").find(Var("BYE", "int32", "1")), std::string::npos);
}

TEST_F(GameRun, CheatWordsAndTypingReachTheRoot) {
  Node game = Root("CH := ''; N := 0").Set("Cheats", "abc;xyz").Set("exCheat", "CH := CHEAT; N := N + 1")
                  .Set("exKeyDown", "K := KEYDOWNED");
  game.Add(Screen(2, "S"));
  const PlayerRun run = Play(game, 120, "110 char 120\n110 char 121\n111 char 122\n112 key 65 shift\n");
  const std::string root = DumpLineOf(run.out, "Game");
  EXPECT_NE(root.find(Var("CH", "string", "\"xyz\"")), std::string::npos) << root;
  EXPECT_NE(root.find(Var("N", "int32", "1")), std::string::npos) << root;
}

}  // namespace
}  // namespace ox::e2e
