// Reading game files: the record rules, the class checks, and what damaged files leave behind.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/register_classes.h"
#include "elements/screen.h"
#include "elements/text.h"
#include "gamefile/game_file_writer.h"
#include "scene/game_file_reader.h"
#include "scene/game_root.h"

namespace ox::scene {
namespace {

using gamefile::Node;
using gamefile::WriteGameFile;

struct GameFile : ::testing::Test {
  void SetUp() override { elements::RegisterElementClasses(); }
  TOxDB root;
  std::string Load(const std::string& bytes) { return ReadRootRecord(root, bytes, true); }
};

std::string Int32Bytes(std::int32_t v) {
  std::string s(4, '\0');
  std::memcpy(s.data(), &v, 4);
  return s;
}

std::string StringBytes(const std::string& s) {
  return Int32Bytes(static_cast<std::int32_t>(s.size())) + s;
}

Node Screen(const char* id) { return Node::Of("TOxScreen").Set("Id", id); }

TEST_F(GameFile, EmptyRootKeepsItsDefaults) {
  EXPECT_EQ(Load(WriteGameFile(Node::Of("TOxDB"))), "");
  EXPECT_TRUE(root.Children().empty());
  EXPECT_EQ(root.Id, "");
  EXPECT_FALSE(root.Vis);
}

TEST_F(GameFile, ValuesGoThroughTheSettersInTableOrder) {
  Node game = Node::Of("TOxDB").Set("Id", "Game").Set("InitScreen", 7).Set("SaveErr", 1);
  game.Add(Node::Of("TOxScreen")
               .Set("Key", 7)
               .Set("Order", 2)
               .Add(Node::Of("TOxImage").Set("Order", -3).Set("PosHor", 2).Set("Scale", 0.12345)));
  Load(WriteGameFile(game));
  EXPECT_EQ(root.Id, "Game");
  EXPECT_TRUE(root.SaveErr);
  ASSERT_EQ(root.Children().size(), 1u);
  auto& screen = *root.Children()[0];
  EXPECT_EQ(screen.Key, 7);
  EXPECT_EQ(screen.MinOrder, -3) << "each child's Order widens its parent's range";
  EXPECT_EQ(screen.MaxOrder, 2);
  auto& image = static_cast<elements::TOxImage&>(*screen.Children()[0]);
  EXPECT_EQ(image.PosHor, 2);
  EXPECT_EQ(image.ScaleThousandths(), 123);
  EXPECT_EQ(root.FindByKey(root.InitScreen), &screen);
}

TEST_F(GameFile, RecordsOfTheWrongClassOrParentAreSkippedWithTheirChildren) {
  Node anim = Node::Of("TOxAnim");
  Node key = Node::Of("TOxAnKey");
  key.Add(Node::Of("TOxText").Set("Id", "bad").Add(Node::Of("TOxText").Set("Id", "inner")));
  key.Add(Node::Of("TOxImage").Set("Id", "good"));
  anim.Add(key);
  Node screen = Screen("s");
  Node lower = Node::Of("TOxImage");
  lower.className = "toximage";
  screen.Add(lower).Add(Node::Of("TOxImage").Set("Id", "after"));
  Load(WriteGameFile(Node::Of("TOxDB").Add(anim).Add(screen)));
  ASSERT_EQ(root.Children().size(), 2u);
  const auto& keyElement = *root.Children()[0]->Children()[0];
  ASSERT_EQ(keyElement.Children().size(), 1u);
  EXPECT_EQ(keyElement.Children()[0]->Id, "good");
  ASSERT_EQ(root.Children()[1]->Children().size(), 1u) << "the lower-case class name is rejected";
  EXPECT_EQ(root.Children()[1]->Children()[0]->Id, "after");
}

TEST_F(GameFile, ABrokenChildEndsOnlyItsOwnReading) {
  // A text whose record ends inside its seventh value, then a well-formed sibling.
  std::string broken = StringBytes("TOxText") + Int32Bytes(44) + Int32Bytes(3) +
                       StringBytes("half") + Int32Bytes(10) + Int32Bytes(20) + Int32Bytes(1) +
                       Int32Bytes(0x504) + std::string("\x01\x02", 2);
  std::string screen = StringBytes("TOxScreen") + Int32Bytes(0) + StringBytes(broken) +
                       StringBytes(WriteGameFile(Node::Of("TOxText").Set("Id", "next")));
  const std::string problem = Load(StringBytes("TOxDB") + Int32Bytes(0) + StringBytes(screen));
  const auto& children = root.Children()[0]->Children();
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[0]->Id, "half") << "what was read before the failure stays";
  EXPECT_EQ(children[0]->Key, 3);
  EXPECT_EQ(children[1]->Id, "next");
  EXPECT_NE(problem.find("TOxText"), std::string::npos) << problem;
}

TEST_F(GameFile, SurplusValuesAreReadAsChildRecords) {
  // A shape of 33 properties with one surplus string value holding an image record.
  Node shape = Node::Of("TOxShape").Set("Par3", 1.0);
  std::string bytes = WriteGameFile(shape);
  const std::string count = Int32Bytes(33);
  const auto at = bytes.find(count, StringBytes("TOxShape").size());
  bytes.replace(at, 4, Int32Bytes(34));
  bytes += StringBytes(WriteGameFile(Node::Of("TOxImage").Set("Id", "surplus")));
  Node screen = Screen("s");
  std::string screenBytes = WriteGameFile(screen) + StringBytes(bytes);
  Load(WriteGameFile(Node::Of("TOxDB")) + StringBytes(screenBytes));
  const auto& shapeElement = *root.Children()[0]->Children()[0];
  ASSERT_EQ(shapeElement.Children().size(), 1u);
  EXPECT_EQ(shapeElement.Children()[0]->Id, "surplus");
}

TEST_F(GameFile, FewerValuesKeepTheCreationDefaults) {
  Node screen = Screen("s");
  screen.Add(Node::Of("TOxText").Set("Id", "t"));
  Load(WriteGameFile(Node::Of("TOxDB").Add(screen)));
  const auto& text = static_cast<const elements::TOxText&>(*root.Children()[0]->Children()[0]);
  EXPECT_EQ(text.GetSizeX(), 100);
  EXPECT_EQ(text.TopColour(), 0xFFFFFFFFu);
  EXPECT_TRUE(text.Vis);
  EXPECT_TRUE(text.MousedVis);
}

TEST_F(GameFile, KeysAreKeptOrGivenAnew) {
  Node game = Node::Of("TOxDB").Set("CurKey", 100);
  game.Add(Screen("a").Set("Key", 5)).Add(Screen("b").Set("Key", 6));
  const std::string bytes = WriteGameFile(game);
  Load(bytes);
  EXPECT_EQ(root.Children()[1]->Key, 6);

  TOxDB fresh;
  ReadRootRecord(fresh, bytes, false);
  EXPECT_EQ(fresh.Children()[0]->Key, 101);
  EXPECT_EQ(fresh.Children()[1]->Key, 102);
  EXPECT_EQ(fresh.Key, 103) << "every element read gets a new key after its record";
}

TEST_F(GameFile, AnImageListReadsWhileItsColumnCountIsStillZero) {
  Node list = Node::Of("TOxImList").Set("RowCount", 2).Set("ColCount", 3).Set("Space", 15)
                  .Set("SizeX", 330).Set("SizeY", 100).Set("Tag", "read to the end");
  Load(WriteGameFile(Node::Of("TOxDB").Add(Screen("s").Add(list))));
  const auto& l = static_cast<const elements::TOxImList&>(*root.Children()[0]->Children()[0]);
  EXPECT_EQ(l.ElWidth(), 100);
  EXPECT_EQ(l.ElHeight(), 42);
  EXPECT_EQ(l.Tag, "read to the end");
  EXPECT_EQ(l.ScrollPos(), 0);
}

TEST_F(GameFile, HugeClaimsEndTheReadingWithoutAllocating) {
  const std::string header = StringBytes("TOxDB") + Int32Bytes(2) + Int32Bytes(1);
  EXPECT_NE(Load(header + Int32Bytes(0x7FFFFFF0) + "abc"), "");
  EXPECT_EQ(root.Key, 1);
  EXPECT_EQ(root.Id, "");
  TOxDB other;
  const std::string child = Int32Bytes(0x7FFFFFF0) + "TOxScreen";
  EXPECT_NE(ReadRootRecord(other, StringBytes("TOxDB") + Int32Bytes(0) + child, true), "");
  EXPECT_TRUE(other.Children().empty());
}

TEST_F(GameFile, EmptyAndRandomFilesNeverCrash) {
  EXPECT_NE(Load(""), "");
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<std::size_t>(random() % 300), '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    if (round % 2) bytes = WriteGameFile(Node::Of("TOxDB").Add(Screen("s"))) + bytes;
    TOxDB scratch;
    ReadRootRecord(scratch, bytes, true);
  }
}

// Images nested `levels` deep, written outside in (each level's length is known beforehand).
std::string NestedImages(int levels) {
  const std::string leaf = WriteGameFile(Node::Of("TOxImage").Set("Id", "leaf"));
  const std::string level = WriteGameFile(Node::Of("TOxImage"));
  std::string out;
  for (int k = levels; k >= 1; --k) {
    out += level;
    out += Int32Bytes(static_cast<std::int32_t>(leaf.size() + (k - 1) * (level.size() + 4)));
  }
  return out + leaf;
}

TEST_F(GameFile, DeepNestingStopsAtTheDepthLimit) {
  const std::string record = NestedImages(100000);
  Load(WriteGameFile(Node::Of("TOxDB")) + StringBytes(WriteGameFile(Screen("s")) + StringBytes(record)));
  int depth = 0;
  for (const TOxElement* e = &root; !e->Children().empty(); e = e->Children()[0].get()) ++depth;
  EXPECT_EQ(depth, kMaxRecordDepth);
}

TEST_F(GameFile, TheWriterRoundTripsItsOwnFiles) {
  Node game = Node::Of("TOxDB").Set("Id", "R").Set("Lang", "rus.lng");
  game.Add(Screen("a").Add(Node::Of("TOxImage").Set("Scale", 0.5).Set("Tag", "\xC0\xFF")));
  game.Add(Node::Of("TOxAnim").Add(Node::Of("TOxAnKey").Set("Count", 3)));
  const std::string bytes = WriteGameFile(game);
  const auto parsed = gamefile::ParseGameFile(bytes);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(WriteGameFile(*parsed), bytes);
  EXPECT_FALSE(gamefile::ParseGameFile(bytes.substr(0, bytes.size() - 1)).has_value());
}

TEST_F(GameFile, FloatPropertiesTakeEightBytesWhateverTheirDeclaredType) {
  const std::string withScale = WriteGameFile(Node::Of("TOxImage").Set("Scale", 2.0));
  const std::string withoutScale = WriteGameFile(Node::Of("TOxImage").Set("Angle", 0.0));
  EXPECT_EQ(withoutScale.size(), withScale.size() + 8);
}

}  // namespace
}  // namespace ox::scene
