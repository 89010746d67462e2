// The player loads a game and prints it back: every class, every property, through the binary.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gamefile/game_file_writer.h"
#include "platform/text/case1251.h"
#include "player_run.h"
#include "scene/class_registry.h"
#include "script/value_json.h"

namespace ox::e2e {
namespace {

using gamefile::Node;
using gamefile::RawValue;

// A value unlike the class's creation default, and the JSON the dump must show for it.
struct Chosen {
  RawValue value;
  std::string json;
};

Chosen ChooseValue(const scene::PropertyInfo& p, const RawValue& byDefault, int salt) {
  using scene::PropType;
  if (const auto* s = std::get_if<std::string>(&byDefault)) {
    const std::string v = *s + "v" + p.name + "\xE9" + std::to_string(salt);
    return {v, script::JsonString(v)};
  }
  if (const auto* f = std::get_if<double>(&byDefault)) {
    const double v = *f + 1.25 + salt * 0.5;  // exact in thousandths and in binary
    return {v, script::JsonNumber(v)};
  }
  const std::int32_t d = std::get<std::int32_t>(byDefault);
  std::int64_t v = d + 3 + salt % 50;
  if (p.type == PropType::Boolean) v = d == 0 ? 1 : 0;
  if (p.type == PropType::Enum) v = (d + 1) % static_cast<std::int32_t>(p.enumNames->size());
  if (p.type == PropType::Byte) v = (d + 100) % 256;
  if (p.type == PropType::Cardinal) v = static_cast<std::uint32_t>(d) ^ 0x123456u;
  return {static_cast<std::int32_t>(v), std::to_string(v)};
}

// Setting the last property fills every property before it with its creation default.
RawValue AnyValueFor(const scene::PropertyInfo& p) {
  switch (scene::StreamKindOf(p.type)) {
    case scene::StreamKind::Int32: return std::int32_t{0};
    case scene::StreamKind::Float64: return 0.0;
    case scene::StreamKind::String: return std::string();
  }
  return std::int32_t{0};
}

// What the dump shows for a written value; empty where the class computes the property itself
// (an image list's cell size follows its box, and it always shows from its first row; an
// animation's Pos is clamped to its frames). Picture
// names read back as the image store keeps them: ASCII letters upper case. A text with a
// TextId shows the language text of that key, which this game has none of.
std::string Expected(const std::string& cls, const std::string& prop, const Chosen& c) {
  if (cls == "TOxText" && prop == "Text") return "\"\"";
  if (cls == "TOxImList" && prop == "ScrollPos") return "0";
  if (cls == "TOxImList" && (prop == "ElWidth" || prop == "ElHeight")) return "";
  // An animation's Pos goes through its setter while its table is still empty.
  if (cls == "TOxAnim" && prop == "Pos") return "-1";
  if ((cls == "TOxScreen" && prop == "ImBack") || (cls == "TOxAnim" && prop == "ImBack") ||
      (cls == "TOxImage" && prop == "imImage"))
    return script::JsonString(platform::UpperAscii(std::get<std::string>(c.value)));
  return c.json;
}

TEST(TreeDump, EveryClassAndPropertyIsReadFromTheFileAndPrintedBack) {
  gamefile::EnsureClassesRegistered();
  std::vector<std::pair<std::string, std::vector<std::string>>> expected;  // per element
  auto fill = [&](const std::string& cls, int salt) {
    Node node = Node::Of(cls);
    std::vector<std::string> fragments;
    const auto& props = scene::ClassRegistry::Instance().Find(cls)->properties;
    const auto defaults = Node::Of(cls).Set(props.back().name, AnyValueFor(props.back())).values;
    for (std::size_t i = 0; i < props.size(); ++i) {
      const std::string name = props[i].name;
      Chosen c = ChooseValue(props[i], defaults[i], salt + static_cast<int>(i));
      if (name == "rX" || name == "rY") {  // the same position as X and Y
        const auto& xy = std::get<std::int32_t>(node.values[name == "rX" ? 2 : 3]);
        c = {static_cast<double>(xy), script::JsonNumber(xy)};
      }
      node.Set(name, c.value);
      const std::string e = Expected(cls, name, c);
      if (!e.empty()) fragments.push_back(script::JsonString(name) + ":" + e);
    }
    expected.emplace_back(cls, fragments);
    return node;
  };

  Node root = fill("TOxDB", 1);
  Node screen = fill("TOxScreen", 2);
  Node image = fill("TOxImage", 3);
  image.Add(fill("TOxExScreen", 4)).Add(fill("TOxExAnim", 5)).Add(fill("TOxEffect", 6))
       .Add(fill("TOxImList", 7)).Add(fill("TOxShape", 8)).Add(fill("TOxText", 9));
  screen.Add(image);
  root.Add(screen);
  Node anim = fill("TOxAnim", 10);
  anim.Add(fill("TOxAnKey", 11));
  root.Add(anim);

  TempFolder folder;
  const auto game = folder.Write("every.oxf", gamefile::WriteGameFile(root));
  const PlayerRun run = RunPlayer({"--headless", "--ticks", "0", "--dump-tree", "-", game.string()}, folder);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), expected.size()) << run.out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_NE(lines[i].find("\"class\":\"" + expected[i].first + "\""), std::string::npos) << lines[i];
    for (const auto& fragment : expected[i].second)
      EXPECT_NE(lines[i].find(fragment), std::string::npos) << expected[i].first << " lacks " << fragment;
  }
}

TEST(TreeDump, ANamedGameThatIsNotThereIsOneLineAndStatusOne) {
  TempFolder folder;
  const PlayerRun missing = RunPlayer({"--headless", "--ticks", "0", (folder.path() / "none.oxf").string()}, folder);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "oxplayer: " + (folder.path() / "none.oxf").string() + ": no such game file\n");
  const PlayerRun empty = RunPlayer({"--headless", "--ticks", "0", folder.path().string()}, folder);
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(std::count(empty.err.begin(), empty.err.end(), '\n'), 1) << empty.err;
  EXPECT_NE(empty.err.find("holds no game file"), std::string::npos) << empty.err;
}

TEST(TreeDump, AFolderPlaysItsFirstGameFileInNameOrder) {
  TempFolder folder;
  folder.Write("b.oxf", gamefile::WriteGameFile(Node::Of("TOxDB").Set("Id", "second")));
  folder.Write("A.OXF", gamefile::WriteGameFile(Node::Of("TOxDB").Set("Id", "first")));
  const PlayerRun run = RunPlayer({"--headless", "--ticks", "0", "--dump-tree", "-", folder.path().string()}, folder);
  EXPECT_NE(run.out.find("\"Id\":\"first\""), std::string::npos) << run.out;
}

TEST(TreeDump, OutputFilesAreRelativeToWhereThePlayerStarts) {
  TempFolder folder;
  folder.Write("game/g.oxf", gamefile::WriteGameFile(Node::Of("TOxDB").Set("Id", "rel")));
  const std::string command = "cd " + Quote(folder.path().string()) + " && " + Quote(OX_PLAYER_BIN) +
                              " --headless --ticks 0 --dump-tree out.jsonl game/g.oxf";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_NE(ReadFile(folder.path() / "out.jsonl").find("\"Id\":\"rel\""), std::string::npos)
      << "not inside the game folder the player entered";
}

TEST(TreeDump, BadUsageEndsWithStatusTwo) {
  TempFolder folder;
  EXPECT_EQ(RunPlayer({"--ticks", "-1"}, folder).exitCode, 2);
  EXPECT_EQ(RunPlayer({"--nonsense"}, folder).exitCode, 2);
  EXPECT_EQ(RunPlayer({"a.oxf", "b.oxf"}, folder).exitCode, 2);
  const PlayerRun help = RunPlayer({"--help"}, folder);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--dump-tree"), std::string::npos);
}

TEST(TreeDump, ADamagedFileIsReadUpToTheDamageAndReportedInOneLine) {
  TempFolder folder;
  std::string bytes = gamefile::WriteGameFile(Node::Of("TOxDB").Set("Id", "cut\x01\xFF").Add(
      Node::Of("TOxScreen").Set("Id", "kept")).Add(Node::Of("TOxScreen").Set("Id", "lost")));
  bytes.resize(bytes.size() - 3);
  const auto game = folder.Write("cut.oxf", bytes);
  const PlayerRun run = RunPlayer({"--headless", "--ticks", "0", "--dump-tree", "-", game.string()}, folder);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Lines(run.out).size(), 2u) << "the root and the first screen";
  EXPECT_TRUE(run.err.starts_with("oxplayer: " + game.string() + ": reading stopped at byte ")) << run.err;
  EXPECT_TRUE(run.err.ends_with(" in a TOxDB record (id \"cut\\x01\\xFF\"): record ends inside a string\n")) << run.err;
}

TEST(TreeDump, AFileThatIsNoGameFilePlaysAnEmptyRootAndSaysWhy) {
  TempFolder folder;
  const auto game = folder.Write("text.oxf", "Hello\x07 world\n");
  const PlayerRun run = RunPlayer({"--headless", "--ticks", "0", "--dump-tree", "-", game.string()}, folder);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Lines(run.out).size(), 1u);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find("reading stopped at byte 4"), std::string::npos) << run.err;
  const PlayerRun help = RunPlayer({"--help"}, folder);
  EXPECT_TRUE(help.out.ends_with("\n"));
}

}  // namespace
}  // namespace ox::e2e
