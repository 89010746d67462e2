#include "scene/game_root.h"

#include "platform/files/read_file.h"
#include "scene/class_registry.h"
#include "scene/game_file_reader.h"
#include "scene/property_accessors.h"

namespace ox::scene {

namespace {

PropertyTable RootProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      NotSaved(Field<&TOxDB::CurKey, PropType::Integer>("CurKey")),
      Field<&TOxDB::InitScreen, PropType::Integer>("InitScreen"),
      Event<&TOxElement::exVarRS>("exVarRS"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exAfterLoad>("exAfterLoad"),
      Event<&TOxElement::exMouseDown>("exMouseDown"),
      Event<&TOxElement::exMouseUp>("exMouseUp"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      Event<&TOxElement::exProcess>("exProcess"),
      NotSaved(Accessor<&TOxDB::FileRS, &TOxDB::SetFileRS, PropType::String>("FileRS")),
      Accessor<&TOxDB::FileFonts, &TOxDB::SetFileFonts, PropType::String>("FileFonts"),
      Field<&TOxDB::hxTransLev, PropType::Byte>("hxTransLev"),
      Accessor<&TOxDB::DefLang, &TOxDB::SetDefLang, PropType::String>("DefLang"),
      Accessor<&TOxDB::Lang, &TOxDB::SetLang, PropType::String>("Lang"),
      Field<&TOxDB::LoadingScreen, PropType::Integer>("LoadingScreen"),
      NotSaveProperty(),
      Event<&TOxDB::exLoadImProcess>("exLoadImProcess"),
      Accessor<&TOxDB::IniFile, &TOxDB::SetIniFile, PropType::String>("IniFile"),
      Accessor<&TOxDB::SoundFile, &TOxDB::SetSoundFile, PropType::String>("SoundFile"),
      Event<&TOxDB::exKeyDown>("exKeyDown"),
      Event<&TOxDB::exExit>("exExit"),
      Event<&TOxElement::exMouseMove>("exMouseMove"),
      Field<&TOxDB::MaxMem, PropType::Integer>("MaxMem"),
      Event<&TOxDB::exCheat>("exCheat"),
      Field<&TOxDB::Cheats, PropType::String>("Cheats"),
      Field<&TOxDB::SaveErr, PropType::Boolean>("SaveErr"),
      Event<&TOxDB::exSetScreen>("exSetScreen"),
      Field<&TOxDB::AlwaysLoadIm, PropType::Boolean>("AlwaysLoadIm"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxDB::StaticClass() {
  static const ClassInfo info = MakeClassInfo("TOxDB", {}, RootProperties(), nullptr);
  return info;
}

const ClassInfo& TOxDB::Class() const { return StaticClass(); }

// The root is created without a parent: invisible, not hit while visible, AutoInit on.
TOxDB::TOxDB() : gameData_(std::make_unique<platform::GameFiles>(gameFolder_)) { BecomeRoot(this); }

bool TOxDB::LoadGame(const std::string& path) {
  while (!Children().empty()) Children().back()->Destroy();
  const auto bytes = platform::ReadWholeFile(path);
  if (!bytes) {
    loadProblem_ = "cannot read the game file " + path;
    return false;
  }
  const std::filesystem::path folder = std::filesystem::absolute(path).parent_path();
  gameFolder_ = folder;
  gameData_ = std::make_unique<platform::GameFiles>(folder);
  if (!particleManager_ && services_.requestParticleTexture) {
    particleManager_ = true;
    services_.requestParticleTexture(true);
  }
  loadProblem_ = ReadRootRecord(*this, *bytes, true);
  LoadUnicodeSet();
  return true;
}

void TOxDB::RefetchParticleTexture(bool keep) {
  if (particleManager_ && services_.requestParticleTexture) services_.requestParticleTexture(keep);
}

void TOxDB::ResetTimer() {
  if (services_.resetTimer) services_.resetTimer();
}

void TOxDB::RunExit() { RunEvent(*this, exExit, "Exit"); }

void TOxDB::LoadImProcess() {
  RunEvent(*this, exLoadImProcess, "LIProcess");
  if (services_.renderFrame) services_.renderFrame();
}

void TOxDB::InitPr() {
  std::vector<TOxElement*> stack{this};
  while (!stack.empty()) {
    TOxElement* e = stack.back();
    stack.pop_back();
    e->InitDone = false;
    for (const auto& child : e->Children()) stack.push_back(child.get());
  }
  Init();
}

}  // namespace ox::scene
