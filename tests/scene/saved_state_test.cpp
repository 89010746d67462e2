// Saved game state: the record layout, what the tree walk writes and leaves out, how records
// come back through SetVar, and what damaged files and failed writes do.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/register_classes.h"
#include "elements/screen.h"
#include "scene/class_registry.h"
#include "scene/event_script.h"
#include "scene/extended_float.h"
#include "scene/game_file_reader.h"
#include "scene/game_root.h"
#include "scene/property_accessors.h"
#include "scene/saved_state.h"
#include "scene/picture_loading.h"
#include "scene/scene_state.h"
#include "script/var_list.h"
#include "support/temp_folder.h"

namespace ox::scene {
namespace {

namespace fs = std::filesystem;
using script::Kind;
using script::Value;

// An element with the base properties and one more whose setter notes the loading context and
// fails for the value 13.
struct Probe : TOxElement {
  static PropertyTable Properties() {
    PropertyTable t = BaseProperties();
    t.push_back(Accessor<&Probe::Level, &Probe::SetLevel, PropType::Integer>("Level"));
    return t;
  }
  static const ClassInfo& StaticClass() {
    static const ClassInfo info = MakeClassInfo("TProbe", {}, Properties(), nullptr);
    return info;
  }
  const ClassInfo& Class() const override { return StaticClass(); }

  std::int32_t Level() const { return level; }
  void SetLevel(std::int32_t v) {
    if (v == 13) throw std::runtime_error("setter fails");
    level = v;
    readingWhileSet = IsReadingRecords();
    loadingPicturesWhileSet = Pictures().LoadNow();
  }

  std::int32_t level = 0;
  bool readingWhileSet = false;
  bool loadingPicturesWhileSet = true;
};

// Counts the "Load" runs on the root and notes the loading context at that moment.
struct AfterLoadCounter : ScriptBinding {
  std::string Prepare(const std::string& source) override { return source; }
  void Run(TOxElement& element, const std::string&, const char* eventName,
           script::TVarList*) override {
    if (element.Parent() != nullptr || std::string(eventName) != "Load") return;
    ++runs;
    readingFlag = IsReadingRecords();
    loadingPictures = Pictures().LoadNow();
  }
  int runs = 0;
  bool readingFlag = false;
  bool loadingPictures = false;
};

std::string Int32Bytes(std::int32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
  return s;
}

std::string Record(std::int32_t key, const std::string& name, char type, const std::string& value) {
  return Int32Bytes(key) + Int32Bytes(static_cast<std::int32_t>(name.size())) + name + type + value;
}

std::string ExtendedBytes(double d) {
  const Extended80 e = EncodeExtended(d);
  return std::string(reinterpret_cast<const char*>(e.data()), e.size());
}

struct RecordHead {
  std::int32_t key;
  std::string name;
  char type;
};

// The key, name and type of every record of a well-formed state.
std::vector<RecordHead> Heads(const std::string& bytes) {
  std::vector<RecordHead> out;
  std::size_t pos = 0;
  auto int32 = [&] {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(pos + static_cast<std::size_t>(i)));
    pos += 4;
    return static_cast<std::int32_t>(v);
  };
  while (pos < bytes.size()) {
    RecordHead h{};
    h.key = int32();
    const auto n = static_cast<std::size_t>(int32());
    h.name = bytes.substr(pos, n);
    pos += n;
    h.type = bytes.at(pos++);
    const std::size_t sizes[] = {4, 10, 2, 4};
    const std::string types = "IEWO";
    if (h.type == 'S') pos += static_cast<std::size_t>(int32());
    else pos += sizes[types.find(h.type)];
    out.push_back(h);
  }
  return out;
}

std::set<std::string> NamesOf(const std::vector<RecordHead>& heads, std::int32_t key) {
  std::set<std::string> names;
  for (const auto& h : heads) {
    if (h.key == key) names.insert(h.name);
  }
  return names;
}

void AddVar(TOxElement& e, const std::string& name, const Value& v) {
  if (e.Vars() == nullptr) e.ReplaceVars(std::make_unique<script::TVarList>());
  e.Vars()->AddVar({name, v});
}

Value VarOf(TOxElement& e, const std::string& name) { return e.Vars()->Find(name)->Val; }

struct SavedState : ::testing::Test {
  void SetUp() override {
    elements::RegisterElementClasses();
    InstallBinding(&binding);
    file = folder / "state.rs";
    root.NotSave = true;  // the root's own file settings stay out of most of these trees
    AssignEvent(root.exAfterLoad, "after load");
  }
  void TearDown() override {
    InstallBinding(nullptr);
  }

  std::string FileBytes() const {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void WriteFile(const std::string& bytes) const {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  template <class T>
  T* Child(TOxElement& parent, std::int32_t key) {
    T* e = TOxElement::CreateIn<T>(parent);
    e->Key = key;
    return e;
  }

  AfterLoadCounter binding;
  test_support::TempFolder temp;
  fs::path folder = temp.path(), file;
  TOxDB root;
};

TEST_F(SavedState, RecordLayoutOfASmallTree) {
  auto* probe = Child<Probe>(root, 7);
  probe->rX = 3;
  probe->rY = -1;
  probe->level = 258;
  AddVar(*probe, "F", Value::Float(0.5));
  AddVar(*probe, "W", Value{Kind::UInt16, 513, 0.0, {}});
  AddVar(*probe, "R", Value::UInt32(root.Ref()));
  AddVar(*probe, "NONE", Value::UInt32(0));
  AddVar(*probe, "S", Value::String("ab"));
  AddVar(*probe, "B", Value::Bool(true));
  AddVar(*probe, "D", Value::Date(45000.5));
  AddVar(*probe, "L", Value::Int64(1));
  AddVar(*probe, "E", Value{});
  ASSERT_TRUE(SaveState(root, file));
  // Keys 0 and 7 are taken, so a reference to no element is saved as -1.
  const std::string expected = Record(7, "X", 'I', Int32Bytes(3)) + Record(7, "Y", 'I', Int32Bytes(-1)) +
                               Record(7, "Vis", 'I', Int32Bytes(1)) + Record(7, "Level", 'I', Int32Bytes(258)) +
                               Record(7, "F", 'E', ExtendedBytes(0.5)) + Record(7, "W", 'W', std::string("\x01\x02", 2)) +
                               Record(7, "R", 'O', Int32Bytes(0)) + Record(7, "NONE", 'O', Int32Bytes(-1)) +
                               Record(7, "S", 'S', Int32Bytes(2) + "ab") + Record(7, "B", 'I', Int32Bytes(1));
  EXPECT_EQ(FileBytes(), expected);
}

TEST_F(SavedState, RecordsComeBackThroughSetVarWithTheirKinds) {
  auto* probe = Child<Probe>(root, 7);
  probe->level = 258;
  AddVar(*probe, "F", Value::Float(1.0 / 3.0));
  AddVar(*probe, "W", Value{Kind::UInt16, 513, 0.0, {}});
  AddVar(*probe, "S", Value::String(std::string("a\0b", 3)));
  AddVar(*probe, "SMALL", Value::UInt8(200));
  ASSERT_TRUE(SaveState(root, file));
  probe->level = 0;
  for (auto& var : *probe->Vars()) var.Val = Value::Int32(0);
  LoadState(root, file);
  EXPECT_EQ(probe->level, 258);
  EXPECT_TRUE(probe->readingWhileSet) << "values are assigned under the reading flag";
  EXPECT_FALSE(probe->loadingPicturesWhileSet) << "pictures are only counted while loading";
  const Value f = VarOf(*probe, "F");
  EXPECT_EQ(f.kind, Kind::Float);
  EXPECT_EQ(f.f, 1.0 / 3.0) << "the double survives the extended form exactly";
  EXPECT_EQ(VarOf(*probe, "W").kind, Kind::UInt16);
  EXPECT_EQ(VarOf(*probe, "W").i, 513);
  EXPECT_EQ(VarOf(*probe, "S").s, std::string("a\0b", 3));
  EXPECT_EQ(VarOf(*probe, "SMALL").kind, Kind::Int32) << "\"I\" reads back as a 32-bit integer";
  EXPECT_EQ(VarOf(*probe, "SMALL").i, 200);
  EXPECT_FALSE(IsReadingRecords());
  EXPECT_TRUE(Pictures().LoadNow());
}

TEST_F(SavedState, WhatTheWalkWritesAndLeavesOut) {
  root.NotSave = false;
  auto* screen = Child<elements::TOxScreen>(root, 1);
  Child<elements::TOxImage>(*screen, 2);
  auto* list = Child<elements::TOxImList>(*screen, 3);
  auto* anim = Child<elements::TOxAnim>(root, 10);
  auto* key = Child<elements::TOxAnKey>(*anim, 11);
  auto* actor = Child<elements::TOxImage>(*key, 12);
  AddVar(*key, "K", Value::Int32(1));
  AddVar(*actor, "A", Value::Int32(1));
  AddVar(*anim, "AN", Value::Int32(1));
  ASSERT_TRUE(SaveState(root, file));
  const auto heads = Heads(FileBytes());
  for (const auto& h : heads) {
    EXPECT_NE(h.key, 11) << "an animation key writes nothing";
    EXPECT_NE(h.key, 12) << "nor do its children";
    EXPECT_NE(h.name.substr(0, 2), "ex") << h.name;
    for (const char* never : {"Id", "Key", "NotSave", "CurKey", "FileRS", "MsKeep", "Interpol", "InterpolSc"})
      EXPECT_NE(h.name, never);
  }
  const auto imageNames = NamesOf(heads, 2);
  EXPECT_TRUE(imageNames.count("rX") && imageNames.count("rY"));
  EXPECT_FALSE(imageNames.count("X") || imageNames.count("Y")) << "an image keeps its position in rX/rY";
  const auto screenNames = NamesOf(heads, 1);
  EXPECT_TRUE(screenNames.count("X") && screenNames.count("Y"));
  EXPECT_TRUE(NamesOf(heads, 10).count("AN"));
  EXPECT_TRUE(NamesOf(heads, 0).count("InitScreen")) << "the root saves its own values";
  Value elements;
  EXPECT_EQ(NamesOf(heads, 3).count("ELEMENTS") == 1, list->GetVar("ELEMENTS", elements))
      << "an image list saves ELEMENTS exactly when it answers it";
  EXPECT_EQ(heads.front().key, 0) << "depth first, the root first";
  EXPECT_EQ(heads.back().key, 10);
}

TEST_F(SavedState, ImagePositionKeepsItsFractionScreenPositionIsWhole) {
  auto* screen = Child<elements::TOxScreen>(root, 1);
  auto* image = Child<elements::TOxImage>(*screen, 2);
  screen->SetPos(10, 20);
  image->rX = 2.75;
  image->rY = -0.5;
  ASSERT_TRUE(SaveState(root, file));
  screen->SetPos(0, 0);
  image->rX = image->rY = 0;
  LoadState(root, file);
  EXPECT_EQ(screen->X(), 10);
  EXPECT_EQ(screen->Y(), 20);
  EXPECT_EQ(image->rX, 2.75);
  EXPECT_EQ(image->rY, -0.5);
}

TEST_F(SavedState, NotSaveSkipsTheElementButNotItsChildren) {
  auto* hidden = Child<elements::TOxScreen>(root, 1);
  auto* shown = Child<elements::TOxImage>(*hidden, 2);
  hidden->NotSave = true;
  AddVar(*hidden, "H", Value::Int32(1));
  AddVar(*shown, "S", Value::Int32(2));
  ASSERT_TRUE(SaveState(root, file));
  const auto heads = Heads(FileBytes());
  EXPECT_TRUE(NamesOf(heads, 1).empty());
  EXPECT_TRUE(NamesOf(heads, 2).count("S"));
  hidden->Vars()->Find("H")->Val = Value::Int32(5);
  shown->Vars()->Find("S")->Val = Value::Int32(0);
  LoadState(root, file);
  EXPECT_EQ(VarOf(*hidden, "H").i, 5);
  EXPECT_EQ(VarOf(*shown, "S").i, 2);
  // An element that has NotSave when loading takes none of its records.
  shown->NotSave = true;
  shown->Vars()->Find("S")->Val = Value::Int32(0);
  LoadState(root, file);
  EXPECT_EQ(VarOf(*shown, "S").i, 0);
}

TEST_F(SavedState, ReferencesAreRestoredByKeyOrAsNone) {
  auto* screen = Child<elements::TOxScreen>(root, 1);
  auto* kept = Child<elements::TOxImage>(*screen, 5);
  auto* gone = Child<elements::TOxImage>(*screen, 6);
  AddVar(*screen, "KEPT", Value::UInt32(kept->Ref()));
  AddVar(*screen, "GONE", Value::UInt32(gone->Ref()));
  AddVar(*screen, "NONE", Value::UInt32(0));
  AddVar(*screen, "STALE", Value::UInt32(0xFFFFFFF0u));
  ASSERT_TRUE(SaveState(root, file));
  // The next game: the element with Key 5 is a new one, the one with Key 6 no longer exists.
  kept->Destroy();
  gone->Destroy();
  auto* again = Child<elements::TOxImage>(*screen, 5);
  for (auto& var : *screen->Vars()) var.Val = Value::Int32(99);
  LoadState(root, file);
  EXPECT_EQ(VarOf(*screen, "KEPT").kind, Kind::UInt32);
  EXPECT_EQ(VarOf(*screen, "KEPT").i, again->Ref());
  EXPECT_EQ(VarOf(*screen, "GONE").i, 0);
  EXPECT_EQ(VarOf(*screen, "NONE").i, 0) << "none does not come back as the root, whose Key is 0";
  EXPECT_EQ(VarOf(*screen, "STALE").i, 0);
}

TEST_F(SavedState, RecordsFindTheirElementsInAnyOrder) {
  auto* screen = Child<elements::TOxScreen>(root, 1);
  std::vector<TOxElement*> leaves;
  for (int key = 2; key <= 4; ++key) leaves.push_back(Child<elements::TOxImage>(*screen, key));
  for (TOxElement* e : leaves) AddVar(*e, "V", Value::Int32(0));
  AddVar(*screen, "V", Value::Int32(0));
  WriteFile(Record(3, "V", 'I', Int32Bytes(30)) + Record(4, "V", 'I', Int32Bytes(40)) +
            Record(4, "V", 'I', Int32Bytes(41)) + Record(99, "V", 'I', Int32Bytes(1)) +
            Record(2, "V", 'I', Int32Bytes(20)) + Record(1, "V", 'I', Int32Bytes(10)) +
            Record(3, "V", 'I', Int32Bytes(31)));
  LoadState(root, file);
  EXPECT_EQ(VarOf(*leaves[0], "V").i, 20);
  EXPECT_EQ(VarOf(*leaves[1], "V").i, 31);
  EXPECT_EQ(VarOf(*leaves[2], "V").i, 41);
  EXPECT_EQ(VarOf(*screen, "V").i, 10);
}

TEST_F(SavedState, AfterLoadRunsForEmptyAndMissingFiles) {
  WriteFile("");
  LoadState(root, file);
  EXPECT_EQ(binding.runs, 1);
  EXPECT_FALSE(binding.readingFlag) << "AfterLoad runs once reading has ended";
  EXPECT_TRUE(binding.loadingPictures) << "and after pictures load again";
  EXPECT_FALSE(IsReadingRecords());
  fs::remove(file);
  LoadState(root, file);
  EXPECT_EQ(binding.runs, 2);
  EXPECT_FALSE(IsReadingRecords());
  EXPECT_TRUE(Pictures().LoadNow());
}

TEST_F(SavedState, DamagedFilesLoadTheRecordsBeforeTheDamage) {
  auto* probe = Child<Probe>(root, 7);
  AddVar(*probe, "A", Value::Int32(0));
  AddVar(*probe, "B", Value::Int32(0));
  const std::string good = Record(7, "A", 'I', Int32Bytes(1));
  const std::string cut = Record(7, "B", 'I', Int32Bytes(2));
  const std::string damaged[] = {
      good + cut.substr(0, cut.size() - 1),
      good + Int32Bytes(7) + Int32Bytes(0x7FFFFFFF) + "B",
      good + Int32Bytes(7) + Int32Bytes(-1) + "B",
      good + Record(7, "B", 'S', Int32Bytes(0x7FFFFFF0) + "xyz"),
      good + Record(7, "B", 'E', "short"),
  };
  int run = 0;
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(run++);
    probe->Vars()->Find("A")->Val = Value::Int32(0);
    WriteFile(bytes);
    LoadState(root, file);
    EXPECT_EQ(VarOf(*probe, "A").i, 1);
    EXPECT_EQ(VarOf(*probe, "B").i, 0);
    EXPECT_FALSE(IsReadingRecords());
  }
  EXPECT_EQ(binding.runs, 5) << "AfterLoad still runs";
}

TEST_F(SavedState, UnknownTypesAndFailingSettersSkipOnlyTheirRecord) {
  auto* probe = Child<Probe>(root, 7);
  probe->level = 4;
  AddVar(*probe, "A", Value::Int32(0));
  AddVar(*probe, "B", Value::Int32(0));
  WriteFile(Record(7, "A", 'Z', "") + Record(7, "B", 'I', Int32Bytes(3)) +
            Record(7, "LEVEL", 'I', Int32Bytes(13)) + Record(7, "A", 'I', Int32Bytes(5)));
  LoadState(root, file);
  EXPECT_EQ(VarOf(*probe, "B").i, 3) << "a record with an unknown type carries no value";
  EXPECT_EQ(probe->level, 4);
  EXPECT_EQ(VarOf(*probe, "A").i, 5) << "the records after a failing setter still load";
}

TEST_F(SavedState, SavingReplacesTheOldFileOrKeepsIt) {
  auto* probe = Child<Probe>(root, 7);
  WriteFile("an older save");
  ASSERT_TRUE(SaveState(root, file));
  EXPECT_EQ(Heads(FileBytes()).size(), 4u);
  // A directory in the way makes the final rename fail: the old content stays, nothing is
  // left beside it.
  const fs::path blocked = folder / "blocked";
  fs::create_directories(blocked);
  std::ofstream(blocked / "inside") << "old";
  probe->level = 1;
  EXPECT_FALSE(SaveState(root, blocked));
  EXPECT_TRUE(fs::is_directory(blocked));
  std::ifstream inside(blocked / "inside");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(inside), {}), "old");
  std::set<std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder)) entries.insert(entry.path().filename().string());
  EXPECT_EQ(entries, (std::set<std::string>{"blocked", "state.rs"}));
}

}  // namespace
}  // namespace ox::scene
