// Screens and screen references beyond hit testing: which scripts showing, processing and
// initialising run through a reference and in which order, where a screen and its background
// draw, and the size a background picture gives its screen.
#include <string>
#include <vector>

#include "elements/ex_screen.h"
#include "elements/image.h"
#include "hit_fixture.h"
#include "picture_fixture.h"
#include "scene/event_script.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

// Records the events that run, as "<script>:<event name>", instead of running them.
struct EventLog : scene::ScriptBinding {
  std::string Prepare(const std::string& source) override { return source; }
  void Run(TOxElement&, const std::string& prepared, const char* eventName,
           script::TVarList*) override {
    if (!prepared.empty()) runs.push_back(prepared + ":" + eventName);
  }
  std::vector<std::string> runs;
};

struct ScreenRefs : HitFixture {
  void SetUp() override {
    HitFixture::SetUp();
    scene::InstallBinding(&log);
    panel->Key = 7;
    ref->SetObScreen(7);
  }
  void TearDown() override { scene::InstallBinding(nullptr); }
  static void On(scene::EventScript& event, const std::string& name) {
    scene::AssignEvent(event, name);
  }
  using Runs = std::vector<std::string>;

  EventLog log;
  TOxScreen* panel = TOxElement::CreateIn<TOxScreen>(root);
  TOxExScreen* ref = TOxElement::CreateIn<TOxExScreen>(*current);
};

TEST_F(ScreenRefs, ShowingAHiddenReferenceShowsItsScreenAroundItsOwnShow) {
  On(panel->exShow, "panel");
  On(ref->exShow, "ref");
  ref->SetVis(false);
  EXPECT_TRUE(log.runs.empty()) << "hiding runs nothing";
  ref->SetVis(true);
  EXPECT_EQ(log.runs, (Runs{"panel:Show", "ref:Show", "panel:Show"}));
  log.runs.clear();
  ref->SetVis(true);
  EXPECT_TRUE(log.runs.empty()) << "already visible";

  ref->SetVis(false);
  ref->SetObScreen(99);
  ref->SetVis(true);
  EXPECT_TRUE(log.runs.empty()) << "without its screen a reference shows nothing, not even itself";
  EXPECT_TRUE(ref->Vis);
}

TEST_F(ScreenRefs, ShowReadsTheReferencedScreenAgain) {
  panel->SetSizeX(30);
  On(panel->exShow, "old");
  ASSERT_EQ(ref->ResolveScreen(), panel);
  panel->Key = 8;
  auto* replacement = TOxElement::CreateIn<TOxScreen>(root);
  replacement->Key = 7;
  replacement->SetSizeX(50);
  On(replacement->exShow, "new");
  EXPECT_EQ(ref->GetSizeX(), 30) << "the resolved screen is kept between uses";

  ref->Show();
  EXPECT_EQ(log.runs, (Runs{"new:Show"}));
  EXPECT_EQ(ref->GetSizeX(), 50);
}

TEST_F(ScreenRefs, AScreenIsProcessedOncePerReferenceThatProcessesIt) {
  On(panel->exProcess, "panel");
  On(ref->exProcess, "ref");
  TOxExScreen* second = TOxElement::CreateIn<TOxExScreen>(*current);
  second->SetObScreen(7);
  current->Process();
  EXPECT_EQ(log.runs, (Runs{"panel:Process", "ref:Process", "panel:Process"}));

  log.runs.clear();
  second->Processing = false;
  current->Process();
  EXPECT_EQ(log.runs, (Runs{"panel:Process", "ref:Process"}));

  log.runs.clear();
  ref->SetVis(false);
  current->Process();
  EXPECT_TRUE(log.runs.empty()) << "a hidden reference processes neither its screen nor itself";
  ref->MousedNotVis = true;
  current->Process();
  EXPECT_EQ(log.runs, (Runs{"panel:Process", "ref:Process"}));
}

TEST_F(ScreenRefs, InitialisingAndLoadingGoThroughToTheScreenOnce) {
  On(panel->exInit, "panel");
  On(ref->exInit, "ref");
  TOxExScreen* second = TOxElement::CreateIn<TOxExScreen>(*current);
  second->SetObScreen(7);
  ref->Init();
  second->Init();
  ref->Init();
  EXPECT_EQ(log.runs, (Runs{"panel:Init", "ref:Init"})) << "a screen is initialised once";
  log.runs.clear();
  ref->InitPr();
  EXPECT_EQ(log.runs, (Runs{"panel:InitPr", "ref:InitPr"}));

  ref->LoadResources();
  EXPECT_TRUE(ref->ResLoaded);
  EXPECT_TRUE(panel->ResLoaded);
  panel->ClearResLoaded();
  ref->LoadResources();
  EXPECT_FALSE(panel->ResLoaded) << "a loaded reference loads nothing more";
  ref->ClearResLoaded();
  ref->LoadResources();
  EXPECT_TRUE(panel->ResLoaded);
}

TEST_F(ScreenRefs, AScreenDrawsItsBackgroundAtTheOffsetAndRunsExRenderOnItsOwnLayer) {
  testing::PictureStore pictures;
  pictures.PutOpaque("back.bmp", 400, 50);
  pictures.PutOpaque("dot.bmp", 4, 4);
  panel->SetImBack("back.bmp");
  panel->SetPos(30, 40);
  auto* dot = TOxElement::CreateIn<TOxImage>(*panel);
  dot->SetImImage("dot.bmp");
  dot->SetPos(1, 2);
  On(panel->exRender, "panel");
  ref->SetPos(512, 300);
  ref->PosHor = 1;  // phCenter: the panel's content from 512 - 400 / 2

  current->Render(0, 0xFFFFFFFF, 0, 0, 0);
  const std::vector<render::Vertex> drawn = pictures.Drawn();
  ASSERT_EQ(drawn.size(), 8u);
  EXPECT_FLOAT_EQ(drawn[0].x, 311.5f) << "the background ignores the screen's own position";
  EXPECT_FLOAT_EQ(drawn[0].y, 299.5f);
  EXPECT_FLOAT_EQ(drawn[4].x, 312 + 30 + 1 - 0.5f) << "its children do not";
  EXPECT_FLOAT_EQ(drawn[4].y, 300 + 40 + 2 - 0.5f);
  EXPECT_EQ(log.runs, (Runs{"panel:Render"}));

  log.runs.clear();
  pictures.backend.draws.clear();
  panel->SetOrder(2);
  ref->SetObScreen(7);
  ASSERT_EQ(ref->ResolveScreen(), panel) << "resolving again widens the reference to layer 2";
  current->Render(0, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_TRUE(log.runs.empty());
  EXPECT_EQ(pictures.Drawn().size(), 4u) << "the child of layer 0 only";
  current->Render(2, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_EQ(log.runs, (Runs{"panel:Render"}));
}

TEST_F(ScreenRefs, ABackgroundGivesItsScreenThePatternSizeOnceLoaded) {
  testing::PictureStore pictures;
  pictures.PutOpaque("back.bmp", 400, 50);
  pictures.PutOpaque("tiles.bmp", 40, 20);
  pictures.PutGrid("tiles.an", 2, 1);
  panel->SetSizeX(11);
  panel->SetSizeY(12);
  pictures.store.SetImLoadNow(false);
  panel->SetImBack("back.bmp");
  EXPECT_EQ(panel->ImBack(), "BACK.BMP");
  EXPECT_EQ(panel->GetSizeX(), 11) << "not loaded yet";
  panel->SetImBack("missing.bmp");
  EXPECT_EQ(panel->GetSizeY(), 12);

  pictures.store.SetImLoadNow(true);
  panel->SetImBack("back.bmp");
  EXPECT_EQ(panel->GetSizeX(), 400);
  EXPECT_EQ(panel->GetSizeY(), 50);
  ASSERT_EQ(ref->ResolveScreen(), panel);
  EXPECT_EQ(ref->GetSizeX(), 400);
  panel->SetImBack("tiles.bmp");
  EXPECT_EQ(panel->GetSizeX(), 20);
  EXPECT_EQ(panel->GetSizeY(), 20);
  panel->SetImBack("missing.bmp");
  EXPECT_EQ(panel->GetSizeX(), 20) << "a missing picture keeps the size";
}

}  // namespace
}  // namespace ox::elements
