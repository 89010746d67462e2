// The screen switch: counting the new screen's pictures, the loading screen, and the end of the
// switch that makes the new screen current.
#include "scene/class_registry.h"
#include "scene/game_root.h"
#include "scene/picture_loading.h"
#include "scene/scene_state.h"

namespace ox::scene {

namespace {

// The class's property that keeps its elements' pictures loaded, if it has one.
const PropertyInfo* KeepsLoadedProperty(const ClassInfo& c) {
  for (const PropertyInfo& p : c.properties)
    if (p.Has(kKeepsLoaded)) return &p;
  return nullptr;
}

}  // namespace

void TOxDB::LoadKeptScreens() {
  for (const auto& child : Children()) {
    const PropertyInfo* keep = KeepsLoadedProperty(child->Class());
    if (keep == nullptr) continue;
    child->KeepLoaded = AsInteger(keep->get(*child)) != 0;
    if (child->KeepLoaded) child->LoadResources();
  }
}

void TOxDB::BeginScreenSwitch(TOxElement& screen, const std::vector<TOxElement*>& alsoLoad) {
  SceneState& scene = Scene();
  stars_.FreeAll();
  scene.keyboardFocus = 0;
  Pictures().SetForLoadCount(0);
  Pictures().SetForLoadPos(0);
  scene.loading = true;
  if (services_.resetImageRequests) services_.resetImageRequests();
  ClearResLoaded();
  LoadKeptScreens();
  Pictures().SetLoadNow(false);
  scene.nextScreen = screen.Ref();
  screen.KeepLoaded = true;
  screen.LoadResources();
  if (TOxElement* loadingScreen = FindByKey(LoadingScreen)) loadingScreen->InitPr();
  for (TOxElement* e : alsoLoad) {
    e->KeepLoaded = true;
    e->LoadResources();
  }
  Pictures().SetLoadNow(true);
  ResetTimer();
}

void TOxDB::FastSetScreen(TOxElement& screen, const std::vector<TOxElement*>& alsoLoad, bool showIt) {
  SceneState& scene = Scene();
  scene.currentScreen = screen.Ref();
  stars_.FreeAll();
  screen.LoadResources();
  for (TOxElement* e : alsoLoad) e->LoadResources();
  scene.keyboardFocus = 0;
  if (showIt) {
    RunEvent(*this, exSetScreen, "SetScreen", &EnsureVars());
    screen.Show();
  }
  ResetTimer();
}

void TOxDB::FinishScreenSwitch() {
  SceneState& scene = Scene();
  if (services_.renderFrame) services_.renderFrame();
  if (!scene.loading) return;
  if (TOxElement* under = Resolve(scene.underCursor)) under->MouseOut();
  scene.underCursor = 0;
  scene.mouseDown = false;
  if (services_.resetImageRequests) services_.resetImageRequests();
  ClearResLoaded();
  RefetchParticleTexture(false);
  if (unicodeMode_ && services_.keepPicture) services_.keepPicture(kUnicodePicture);
  Pictures().SetForLoadCount(Pictures().ForLoadCount() + 1);
  Pictures().SetForLoadPos(0);
  scene.currentScreen = 0;
  for (const auto& child : Children()) {
    if (child->KeepLoaded) child->LoadResources();
  }
  scene.currentScreen = scene.nextScreen;
  if (services_.fadeOutMusic) services_.fadeOutMusic();
  RunEvent(*this, exSetScreen, "SetScreen", &EnsureVars());
  if (TOxElement* current = Resolve(scene.currentScreen)) current->Show();
  if (services_.freeUnrequestedImages) services_.freeUnrequestedImages();
  ResetTimer();
}

}  // namespace ox::scene
