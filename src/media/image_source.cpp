#include "media/image_source.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "media/picture_decoder.h"

namespace ox::media {
namespace {

// The file's bytes read straight into the buffer the decoders take (pictures are large).
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > std::vector<std::uint8_t>().max_size()) return std::nullopt;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             std::fclose);
  if (file == nullptr) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return std::nullopt;
  return bytes;
}

const platform::GameFiles* FilesOf(ImageStoreHost& host, SourcePlace place) {
  switch (place) {
    case SourcePlace::GameFolder:
      return &host.GameData();
    case SourcePlace::ProgramFolder:
      return host.ProgramFiles();
    case SourcePlace::Archive:
      break;
  }
  return nullptr;
}

}  // namespace

std::optional<ImageSource> LocateImageSource(ImageStoreHost& host, std::string_view fileName,
                                             std::string_view recordName) {
  for (const SourcePlace place : {SourcePlace::GameFolder, SourcePlace::ProgramFolder}) {
    ImageSource source{place, std::string(fileName)};
    if (ImageSourceExists(host, source)) return source;
  }
  ImageSource record{SourcePlace::Archive, std::string(recordName)};
  if (ImageSourceExists(host, record)) return record;
  return std::nullopt;
}

bool ImageSourceExists(ImageStoreHost& host, const ImageSource& source) {
  if (source.FromArchive()) {
    const render::TASDb* archive = host.Archive();
    return archive != nullptr && archive->RecordIndex(source.name) >= 0;
  }
  const platform::GameFiles* files = FilesOf(host, source.place);
  return files != nullptr && files->Exists(source.name);
}

std::optional<std::vector<std::uint8_t>> ReadImageSource(ImageStoreHost& host,
                                                         const ImageSource& source) {
  if (source.FromArchive()) {
    render::TASDb* archive = host.Archive();
    if (archive == nullptr) return std::nullopt;
    return archive->ReadRecord(source.name);
  }
  const platform::GameFiles* files = FilesOf(host, source.place);
  const auto path = files != nullptr ? files->Resolve(source.name) : std::nullopt;
  if (!path) return std::nullopt;
  return ReadFileBytes(*path);
}

Bitmap DecodeImageSource(ImageStoreHost& host, const ImageSource& source) {
  const auto bytes = ReadImageSource(host, source);
  return bytes ? DecodePicture(source.name, *bytes) : DecodePicture(source.name, {});
}

ImageSource SiblingSource(const ImageSource& source, std::string name) {
  return ImageSource{source.place, std::move(name)};
}

std::string_view NameFolder(std::string_view name) {
  const std::size_t slash = name.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string_view() : name.substr(0, slash + 1);
}

std::string_view NameFile(std::string_view name) { return name.substr(NameFolder(name).size()); }

}  // namespace ox::media
