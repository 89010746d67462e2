// TVarList and its fall-back to the current element through a fake host with fake elements.
#include <algorithm>
#include <thread>
#include <vector>

#include "script_test_support.h"

namespace ox::script::test {
namespace {

TEST(VarName, ValidNames) {
  for (const char* n : {"X", "A.B", "A[1,2]", "A[-1]", "_", ".X", "\xC0\xE1", "X1", "A[]"})
    EXPECT_TRUE(IsValidVarName(n)) << n;
  for (const char* n : {"", "1X", "A B", "A[I]", "A[1]X", "A[1]]", "$FF", "#65", "A-B"})
    EXPECT_FALSE(IsValidVarName(n)) << n;
}

// Remembered places trust the stamp: equal stamps must mean equal names in equal places.
TEST(VarListLayout, StampsFollowTheNamesNotTheValues) {
  TVarList a, b;
  EXPECT_EQ(a.Layout(), kEmptyLayout);
  a.Append(TVar{"X", Value::Int32(1)});
  const std::uint64_t one = a.Layout();
  EXPECT_NE(one, kEmptyLayout);
  a[0].Val = Value::Int32(2);
  EXPECT_EQ(a.Layout(), one);
  TVarList copy = a;
  EXPECT_EQ(copy.Layout(), one);
  copy.Append(TVar{"Y", Value::Int32(3)});
  EXPECT_NE(copy.Layout(), one);
  EXPECT_EQ(a.Layout(), one);
  b.Append(TVar{"X", Value::Int32(1)});
  EXPECT_NE(b.Layout(), one);  // the same names reached another way are not trusted
  TVarList moved = std::move(a);
  EXPECT_EQ(moved.Layout(), one);
  EXPECT_EQ(a.Count(), 0u);  // a moved-from list is empty
  EXPECT_EQ(a.Layout(), kEmptyLayout);
  a = std::move(moved);
  EXPECT_EQ(a.Layout(), one);
  a.Delete(0);
  EXPECT_NE(a.Layout(), one);
}

TEST(VarListLayout, ACopyWithRoomTakesItsRecordsWithoutMovingThem) {
  TVarList caller;
  for (const char* n : {"A", "B", "C"}) caller.Append(TVar{n, Value::Int32(1)});
  TVarList callee;
  callee.CopyWithRoom(caller, 2);
  EXPECT_EQ(callee.Layout(), caller.Layout());
  const TVar* first = &callee[0];
  callee.Append(TVar{"D", Value{}});
  callee.Append(TVar{"E", Value{}});
  EXPECT_EQ(&callee[0], first);
  callee.CopyWithRoom(caller, 0);
  EXPECT_EQ(callee.Count(), 3u);
  EXPECT_EQ(&callee[0], first);  // its own storage is reused
}

TEST(VarListLayout, ThreadsNeverShareAStamp) {
  std::vector<std::uint64_t> mine, theirs;
  std::thread other([&] {
    for (int i = 0; i < 1000; ++i) theirs.push_back(NewLayoutStamp());
  });
  for (int i = 0; i < 1000; ++i) mine.push_back(NewLayoutStamp());
  other.join();
  mine.insert(mine.end(), theirs.begin(), theirs.end());
  std::sort(mine.begin(), mine.end());
  EXPECT_EQ(std::adjacent_find(mine.begin(), mine.end()), mine.end());
  EXPECT_GT(mine.front(), kEmptyLayout);
}

class VarListTest : public ScriptTest {
 protected:
  VarListTest() : root("OxDB", 1), screen("Screen1", 2, &root), button("Button1", 3, &screen) {
    root.Children = {&screen};
    screen.Children = {&button};
    for (FakeElement* e : {&root, &screen, &button}) host.Add(*e);
    host.Root = &root;
    root.Props["X"] = Value::Int32(100);
    screen.Props["X"] = Value::Int32(20);
    button.Props["X"] = Value::Int32(3);
    button.Props["CAPTION"] = Value::String("ok");
    host.Current = &button;
  }
  FakeElement root, screen, button;
  TVarList list;
};

TEST_F(VarListTest, AddVarKeepsTheOldValue) {
  EXPECT_TRUE(list.AddVar(TVar{"A", Value::Int32(1)}));
  EXPECT_TRUE(list.AddVar(TVar{"A", Value::Int32(2)}));
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_EQ(list[0].Val.i, 1);
  EXPECT_FALSE(list.AddVar(TVar{"1A", Value::Int32(2)}));
  EXPECT_EQ(list.Count(), 1u);
}

TEST_F(VarListTest, AddVarOfADottedNameWritesADiagnostic) {
  host.Event = "Init";
  EXPECT_TRUE(list.AddVar(TVar{"A.B", Value::Int32(1)}));
  ASSERT_EQ(host.Lines.size(), 1u);
  EXPECT_EQ(host.Lines[0], "Add var A.B (in Button1 <TOxFake> Init");
  EXPECT_TRUE(list.AddIfAbsent(TVar{"C.D", Value::Int32(1)}));
  EXPECT_EQ(host.Lines.size(), 1u);
  EXPECT_FALSE(list.AddIfAbsent(TVar{"C D", Value::Int32(1)}));
}

TEST_F(VarListTest, SetValueNeverAdds) {
  EXPECT_FALSE(list.SetValue("N", Value::Int32(1)));
  EXPECT_EQ(list.Count(), 0u);
  list.AddVar(TVar{"N", Value::Int32(1)});
  EXPECT_TRUE(list.SetValue("N", Value::Int32(5)));
  EXPECT_EQ(list[0].Val.i, 5);
}

TEST_F(VarListTest, ContainsIndexOfLookupLocalCopyTo) {
  list.AddVar(TVar{"A", Value::Int32(1)});
  list.AddVar(TVar{"B", Value::String("b")});
  EXPECT_TRUE(list.Contains("B"));
  EXPECT_FALSE(list.Contains("b"));  // names compare byte for byte
  EXPECT_EQ(list.IndexOf("B"), 1);
  EXPECT_EQ(list.IndexOf("C"), -1);
  TVar out;
  EXPECT_TRUE(list.LookupLocal("B", out));
  EXPECT_EQ(out.Val.s, "b");
  EXPECT_FALSE(list.LookupLocal("X", out));  // no fall-back
  TVarList other;
  other.AddVar(TVar{"B", Value::Int32(9)});
  list.CopyTo(other);
  ASSERT_EQ(other.Count(), 2u);
  EXPECT_EQ(other[0].Val.i, 9);
  EXPECT_EQ(other[1].Name, "A");
}

TEST_F(VarListTest, LookupFallsBackToTheCurrentElement) {
  TVar out;
  EXPECT_TRUE(list.Lookup("X", out));
  ExpectInt(out.Val, 3);
  EXPECT_TRUE(list.Lookup("CAPTION", out));
  ExpectString(out.Val, "ok");
  EXPECT_TRUE(host.Lines.empty());
}

TEST_F(VarListTest, UnknownPropertyReadsZeroWithNotVar) {
  host.Event = "Process";
  TVar out;
  EXPECT_TRUE(list.Lookup("FOO", out));
  ExpectInt(out.Val, 0, Kind::UInt8);
  ASSERT_EQ(host.Lines.size(), 1u);
  EXPECT_EQ(host.Lines[0], "Not var FOO (in Button1 <TOxFake> Process");
}

TEST_F(VarListTest, NoCurrentElementReadsZeroWithNotVarNil) {
  host.Current = nullptr;
  TVar out;
  EXPECT_TRUE(list.Lookup("FOO", out));
  ExpectInt(out.Val, 0, Kind::UInt8);
  ASSERT_EQ(host.Lines.size(), 1u);
  EXPECT_EQ(host.Lines[0], "Not var NIL FOO (in  Init");
}

TEST_F(VarListTest, ParentDots) {
  TVar out;
  EXPECT_TRUE(list.Lookup(".X", out));
  ExpectInt(out.Val, 20);
  EXPECT_TRUE(list.Lookup("..X", out));
  ExpectInt(out.Val, 100);
  host.Current = &root;
  EXPECT_TRUE(list.Lookup(".X", out));
  ExpectInt(out.Val, 0, Kind::UInt8);
  ASSERT_EQ(host.Lines.size(), 1u);
  EXPECT_EQ(host.Lines[0].rfind("Not var NIL .X", 0), 0u);
  EXPECT_FALSE(list.Lookup("..X", out));
}

TEST_F(VarListTest, DottedPaths) {
  host.Current = &screen;
  TVar out;
  EXPECT_TRUE(list.Lookup("OXDB.X", out));
  ExpectInt(out.Val, 100);
  EXPECT_TRUE(list.Lookup("BUTTON1.CAPTION", out));  // a child by Id
  ExpectString(out.Val, "ok");
  EXPECT_TRUE(list.Lookup("OXDB.SCREEN1.BUTTON1.X", out));
  ExpectInt(out.Val, 3);
  list.AddVar(TVar{"B", Value::UInt32(3)});
  EXPECT_TRUE(list.Lookup("B.X", out));  // a variable holding a reference
  ExpectInt(out.Val, 3);
  list.AddVar(TVar{"N", Value::Int32(3)});
  EXPECT_FALSE(list.Lookup("N.X", out));  // a number is no reference
  EXPECT_FALSE(list.Lookup("X.Y", out));  // the element answers X with a number
  EXPECT_FALSE(list.Lookup("A..X", out));  // empty component
  EXPECT_FALSE(list.Lookup("NOPE.X", out));
}

TEST_F(VarListTest, ReferenceToNoElement) {
  list.AddVar(TVar{"Z", Value::UInt32(0)});
  TVar out;
  EXPECT_TRUE(list.Lookup("Z.X", out));
  ExpectInt(out.Val, 0, Kind::UInt8);
  EXPECT_EQ(host.Lines.back().rfind("Not var NIL Z.X", 0), 0u);
  EXPECT_FALSE(list.Lookup("Z.X.Y", out));
}

TEST_F(VarListTest, AssignWritesPropertiesThenAdds) {
  EXPECT_TRUE(list.Assign(TVar{"X", Value::Int32(7)}));
  ExpectInt(button.Props["X"], 7);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_TRUE(list.Assign(TVar{"OXDB.X", Value::Int32(8)}));
  ExpectInt(root.Props["X"], 8);
  EXPECT_TRUE(list.Assign(TVar{"..X", Value::Int32(9)}));
  ExpectInt(root.Props["X"], 9);
  EXPECT_TRUE(list.Assign(TVar{"NEWVAR", Value::Int32(1)}));
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_TRUE(list.Assign(TVar{"NEWVAR", Value::Int32(2)}));
  ExpectInt(list[0].Val, 2);
  // An unknown dotted name becomes a local variable with the "Add var" diagnostic.
  EXPECT_TRUE(list.Assign(TVar{"OXDB.NOPE", Value::Int32(3)}));
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_EQ(host.Lines.back(), "Add var OXDB.NOPE (in Button1 <TOxFake> Init");
  EXPECT_FALSE(list.Assign(TVar{"A B", Value::Int32(3)}));
}

TEST_F(VarListTest, ScriptsReadAndWriteThroughTheElement) {
  EXPECT_TRUE(Exec("X := X + 1; OXDB.X := OXDB.X * 2; Y := .X; C := CAPTION + '!'"));
  ExpectInt(button.Props["X"], 4);
  ExpectInt(root.Props["X"], 200);
  ExpectInt(Var("Y"), 20);
  ExpectString(Var("C"), "ok!");
  EXPECT_FALSE(Has("X"));
}

TEST_F(VarListTest, BrokenPathInAScript) {
  EXPECT_FALSE(Exec("N := 1; Y := N.X"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kVariableNotFound);
  EXPECT_EQ(calc.ErrorMessage(), "Variable not found: N.X");
}

TEST_F(VarListTest, LocalVariablesHideProperties) {
  calc.Vars().AddVar(TVar{"X", Value::Int32(50)});
  EXPECT_TRUE(Exec("X := X + 1"));
  ExpectInt(Var("X"), 51);
  ExpectInt(button.Props["X"], 3);
}

TEST_F(VarListTest, HostOperations) {
  calc.Vars().AddVar(TVar{"K", Value::Int32(1)});
  calc.Vars().AddVar(TVar{"A[1]", Value::Int32(1)});
  TVar out;
  EXPECT_TRUE(calc.GetValue(" k ", out));
  ExpectInt(out.Val, 1);
  EXPECT_TRUE(calc.GetValue("caption", out));
  ExpectString(out.Val, "ok");
  EXPECT_TRUE(calc.SetValue(" k", Value::Int32(2)));
  EXPECT_FALSE(calc.SetValue("m", Value::Int32(2)));
  EXPECT_EQ(calc.VarIndex("K"), 0);
  EXPECT_TRUE(calc.IsArray("A"));
  EXPECT_FALSE(calc.IsArray("K"));
  EXPECT_TRUE(calc.AssignVar(TVar{"X", Value::Int32(11)}));
  ExpectInt(button.Props["X"], 11);
}

}  // namespace
}  // namespace ox::script::test
