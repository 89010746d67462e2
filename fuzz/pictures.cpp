// The picture decoders through the image store: BMP, TGA, PNG and JPEG pictures with their
// grid descriptions, companions and effects, as loose files of a game folder.
// Input: one byte choosing the names, two bytes (little-endian) giving the picture's length,
// the picture, then the second file (description or companion), which may be empty.
#include <cstdlib>

#include "../tests/render/fake_backend.h"
#include "../tests/support/folder_image_host.h"
#include "../tests/support/temp_folder.h"
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

// The game folder, removed at exit; the files of one input replace those of the last.
ox::test_support::FolderImageHost& Host() {
  static const ox::test_support::TempFolder folder;
  if (folder.path().empty()) std::abort();
  static ox::test_support::FolderImageHost host{folder.path()};
  return host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const Names& names = kNames[data[0] % std::size(kNames)];
  const std::size_t first = std::min<std::size_t>(size - 3, data[1] | std::size_t{data[2]} << 8);
  const std::string_view rest = ox::fuzz::Text(data + 3, size - 3);
  ox::test_support::FolderImageHost& host = Host();
  for (const auto& entry : fs::directory_iterator(host.Folder())) fs::remove(entry.path());
  ox::test_support::WriteFile(host.Folder() / names.picture, rest.substr(0, first));
  ox::test_support::WriteFile(host.Folder() / names.second, rest.substr(first));

  ox::render::testing::FakeBackend backend;
  ox::media::ImageStore store(backend, host);
  store.GetImage(store.RequestImage(names.request, false));
  return 0;
}
