#include "shell/resources.h"

#include "elements/drawing.h"

namespace ox::shell {

Resources::Resources(Graphics* graphics) {
  archive_.SetOpenMode(render::TOpenMode::opReadOnly);
  if (graphics != nullptr) {
    fonts_.SetPublisher(&graphics->Device());
    fonts_.SetCanvas(&graphics->Canvas());
  }
  elements::SetFonts(&fonts_);
}

Resources::~Resources() { elements::SetFonts(nullptr); }

void Resources::OpenArchive(const std::filesystem::path& file) {
  archive_.SetFileName(file.string());
  archive_.Update();
  fonts_.RemoveAll();
  fonts_.LoadFromASDb(archive_);
}

void Resources::ReloadFonts() {
  fonts_.RemoveAll();
  if (HasArchive()) fonts_.LoadFromASDb(archive_);
}

std::optional<std::vector<std::uint8_t>> Resources::ReadRecord(const std::string& name) {
  if (!HasArchive()) return std::nullopt;
  return archive_.ReadRecord(name);
}

}  // namespace ox::shell
