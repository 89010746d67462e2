#include "scene/game_root.h"

#include <fstream>
#include <iterator>

#include "scene/class_registry.h"
#include "scene/game_file_reader.h"
#include "scene/property_accessors.h"

namespace ox::scene {

namespace {

PropertyTable RootProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Field<&TOxDB::CurKey, PropType::Integer>("CurKey"),
      Field<&TOxDB::InitScreen, PropType::Integer>("InitScreen"),
      Event<&TOxElement::exVarRS>("exVarRS"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exAfterLoad>("exAfterLoad"),
      Event<&TOxElement::exMouseDown>("exMouseDown"),
      Event<&TOxElement::exMouseUp>("exMouseUp"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      Event<&TOxElement::exProcess>("exProcess"),
      Accessor<&TOxDB::FileRS, &TOxDB::SetFileRS, PropType::String>("FileRS"),
      Accessor<&TOxDB::FileFonts, &TOxDB::SetFileFonts, PropType::String>("FileFonts"),
      Field<&TOxDB::hxTransLev, PropType::Byte>("hxTransLev"),
      Accessor<&TOxDB::DefLang, &TOxDB::SetDefLang, PropType::String>("DefLang"),
      Accessor<&TOxDB::Lang, &TOxDB::SetLang, PropType::String>("Lang"),
      Field<&TOxDB::LoadingScreen, PropType::Integer>("LoadingScreen"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
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
TOxDB::TOxDB() { BecomeRoot(this); }

bool TOxDB::LoadGame(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    loadProblem_ = "cannot open the game file " + path;
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  loadProblem_ = ReadRootRecord(*this, bytes, true);
  return true;
}

void TOxDB::SetFileRS(std::string value) { fileRS_ = std::move(value); }
void TOxDB::SetFileFonts(std::string value) { fileFonts_ = std::move(value); }
void TOxDB::SetDefLang(std::string value) { defLang_ = std::move(value); }
void TOxDB::SetLang(std::string value) { lang_ = std::move(value); }
void TOxDB::SetIniFile(std::string value) { iniFile_ = std::move(value); }
void TOxDB::SetSoundFile(std::string value) { soundFile_ = std::move(value); }

}  // namespace ox::scene
