// The picture decoders through the image store: BMP, TGA, PNG and JPEG pictures with their
// grid descriptions, companions and effects, as loose files of a game folder.
// Input: one byte choosing the names, two bytes (little-endian) giving the picture's length,
// the picture, then the second file (description or companion), which may be empty.
#include <stdlib.h>

#include "../tests/render/fake_backend.h"
#include "fuzz_support.h"
#include "media/image_store.h"

namespace {

namespace fs = std::filesystem;

struct Names {
  const char* request;  // what the element asks for
  const char* picture;  // the file the first part goes to
  const char* second;   // the file the second part goes to
};

constexpr Names kNames[] = {
    {"p.bmp", "p.bmp", "p_.jpg"},     {"p.tga", "p.tga", "p.an"},      {"p.png", "p.png", "p.an"},
    {"p.jpg", "p.jpg", "p.an"},       {"p_x.bmp", "p_x.bmp", "p.jpg"}, {"p_x.jpg", "p_x.jpg", "p.bmp"},
    {"*#p.bmp", "p.bmp", "p.an"},     {"*p.bmp", "p.bmp", "p_.jpg"},
};

class FuzzHost final : public ox::media::ImageStoreHost {
 public:
  explicit FuzzHost(fs::path folder) : folder_(std::move(folder)), files_(folder_) {}
  std::int32_t MaxMem() const override { return 0; }
  bool AlwaysLoadIm() const override { return false; }
  const ox::platform::GameFiles& GameData() const override { return files_; }
  const ox::platform::GameFiles* ProgramFiles() const override { return nullptr; }
  std::string ProgramFolderPrefix() const override { return {}; }
  ox::render::TASDb* Archive() override { return nullptr; }
  fs::path UserFolder() const override { return folder_; }
  bool Loading() const override { return false; }
  void LoadImProcess() override {}
  const fs::path& Folder() const { return folder_; }

 private:
  fs::path folder_;
  ox::platform::GameFiles files_;
};

FuzzHost& Host() {
  static FuzzHost host = [] {
    std::string pattern = (fs::temp_directory_path() / "oxfuzz-pictures-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return FuzzHost(pattern);
  }();
  return host;
}

void Put(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const Names& names = kNames[data[0] % std::size(kNames)];
  const std::size_t first = std::min<std::size_t>(size - 3, data[1] | std::size_t{data[2]} << 8);
  const std::string_view rest = ox::fuzz::Text(data + 3, size - 3);
  FuzzHost& host = Host();
  for (const auto& entry : fs::directory_iterator(host.Folder())) fs::remove(entry.path());
  Put(host.Folder() / names.picture, rest.substr(0, first));
  Put(host.Folder() / names.second, rest.substr(first));

  ox::render::testing::FakeBackend backend;
  ox::media::ImageStore store(backend, host);
  store.GetImage(store.RequestImage(names.request, false));
  return 0;
}
