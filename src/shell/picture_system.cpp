#include "shell/picture_system.h"

#include "elements/drawing.h"
#include "platform/files/folders.h"
#include "scene/scene_state.h"

namespace ox::shell {

PictureSystem::PictureSystem(Graphics& graphics, Resources& resources, scene::TOxDB& root)
    : resources_(resources),
      root_(root),
      programFiles_(std::make_unique<platform::GameFiles>(platform::ProgramFolder())),
      store_(graphics.Device().Backend(), *this) {
  media::SetImages(&store_);
  scene::SetPictures(this);
  elements::SetCanvas(&graphics.Canvas());
  auto& services = root_.Services();
  services.resetImageRequests = [this] { store_.ResetImageRequests(); };
  services.freeUnrequestedImages = [this] { store_.UnloadUnrequestedImages(); };
  services.keepPicture = [this](const std::string& name) { store_.RequestImage(name, true); };
  services.requestParticleTexture = [this, &graphics](bool keep) {
    particleTexture_ = store_.RequestImage(kParticleTexture, keep);
    if (particleManager_) return;
    particleManager_ = std::make_unique<render::TXParticleManager>(
        &graphics.Canvas(), [this] { return store_.GetImage(particleTexture_); },
        [this](const std::string& name) { return resources_.ReadRecord(name); });
    elements::SetParticleManager(particleManager_.get());
  };
}

PictureSystem::~PictureSystem() {
  auto& services = root_.Services();
  services.resetImageRequests = nullptr;
  services.freeUnrequestedImages = nullptr;
  services.keepPicture = nullptr;
  services.requestParticleTexture = nullptr;
  elements::SetParticleManager(nullptr);
  particleManager_.reset();
  elements::SetCanvas(nullptr);
  scene::SetPictures(nullptr);
  media::SetImages(nullptr);
}

std::string PictureSystem::ProgramFolderPrefix() const { return platform::ProgramFolder().string() + "/"; }

render::TASDb* PictureSystem::Archive() { return resources_.HasArchive() ? &resources_.Archive() : nullptr; }

bool PictureSystem::Loading() const { return scene::Scene().loading; }

}  // namespace ox::shell
