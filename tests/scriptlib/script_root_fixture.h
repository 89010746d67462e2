// A game root with its main screen, whose scripts run with every native function; what they
// leave in the root's variables is read back.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "elements/register_classes.h"
#include "elements/screen.h"
#include "scene/game_root.h"
#include "scene/scene_state.h"
#include "scene/script_binding.h"
#include "script/var_list.h"
#include "scriptlib/engine_functions.h"

namespace ox::scriptlib {

struct ScriptRootTest : ::testing::Test {
  void SetUp() override {
    elements::RegisterElementClasses();
    scene::Scene() = scene::SceneState{};
    scene::Scene().root = &root;
    pool.SetRoot(&root);
    root.Id = "Root";
    screen->Id = "Main";
  }
  void TearDown() override { scene::Scene() = scene::SceneState{}; }

  // Runs the script on the root, keeping its variables in the root's.
  void Run(const std::string& source) {
    scene::EventScript event;
    scene::AssignEvent(event, source);
    root.EnsureVars();
    scene::RunEvent(root, event, "Test", root.Vars());
  }
  script::Value Read(const std::string& name) {
    const script::TVar* v = root.Vars()->Find(name);
    return v ? v->Val : script::Value{};
  }
  // Runs the script and gives the error lines it reported.
  std::string Errors(const std::string& source) {
    ::testing::internal::CaptureStderr();
    pool.SetLogErrors(true);
    Run(source);
    pool.SetLogErrors(false);
    return ::testing::internal::GetCapturedStderr();
  }

  scene::InterpreterPool pool{[](script::TPasCalc& calc) { RegisterAllFunctions(calc); }};
  scene::TOxDB root;
  elements::TOxScreen* screen = scene::TOxElement::CreateIn<elements::TOxScreen>(root);
};

}  // namespace ox::scriptlib
