// The image store of the running game and what it needs of the game: the root's memory budget
// and loading rule, the game data and program folders, the archive, the per-user folder, and
// the loading screen's progress. It is also the scene's view of the store's loading flag and
// counters.
#pragma once

#include <memory>

#include "media/image_store.h"
#include "media/image_store_host.h"
#include "render/particle_system.h"
#include "scene/game_root.h"
#include "scene/picture_loading.h"
#include "shell/graphics.h"
#include "shell/resources.h"

namespace ox::shell {

class PictureSystem final : public media::ImageStoreHost, public scene::PictureLoading {
 public:
  // Installs itself as the player's store and the scene's picture loading until destroyed, and
  // connects the root's screen-switch calls to the store.
  PictureSystem(Graphics& graphics, Resources& resources, scene::TOxDB& root);
  // The particle manager goes first: the effects' systems then draw nothing.
  ~PictureSystem() override;

  media::ImageStore& Store() { return store_; }
  // The particle manager's texture (star sprites and particle effects draw its patterns); null
  // until the game is loaded, when the manager is made.
  static constexpr const char* kParticleTexture = "particles.bmp";
  media::TOxIm* ParticleTexture() const { return particleTexture_; }

  // ImageStoreHost
  std::int32_t MaxMem() const override { return root_.MaxMem; }
  bool AlwaysLoadIm() const override { return root_.AlwaysLoadIm; }
  const platform::GameFiles& GameData() const override { return root_.GameData(); }
  const platform::GameFiles* ProgramFiles() const override { return programFiles_.get(); }
  std::string ProgramFolderPrefix() const override;
  render::TASDb* Archive() override;
  std::filesystem::path UserFolder() const override { return root_.UserFolder(); }
  bool Loading() const override;
  void LoadImProcess() override { root_.LoadImProcess(); }

  // PictureLoading
  bool LoadNow() const override { return store_.ImLoadNow(); }
  void SetLoadNow(bool now) override { store_.SetImLoadNow(now); }
  std::int32_t ForLoadCount() const override { return store_.ImForLoadCount(); }
  void SetForLoadCount(std::int32_t count) override { store_.SetImForLoadCount(count); }
  std::int32_t ForLoadPos() const override { return store_.ImForLoadPos(); }
  void SetForLoadPos(std::int32_t pos) override { store_.SetImForLoadPos(pos); }

 private:
  Resources& resources_;
  scene::TOxDB& root_;
  std::unique_ptr<platform::GameFiles> programFiles_;
  media::ImageStore store_;
  media::TOxIm* particleTexture_ = nullptr;
  std::unique_ptr<render::TXParticleManager> particleManager_;
};

}  // namespace ox::shell
