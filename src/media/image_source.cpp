#include "media/image_source.h"

#include "media/picture_decoder.h"

namespace ox::media {
namespace {

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

std::span<const std::uint8_t> SourceBytes::View() const {
  if (const auto* file = std::get_if<platform::MappedFile>(&bytes_)) return file->Bytes();
  return std::get<std::vector<std::uint8_t>>(bytes_);
}

std::optional<SourceBytes> ReadImageSource(ImageStoreHost& host, const ImageSource& source) {
  if (source.FromArchive()) {
    render::TASDb* archive = host.Archive();
    auto record = archive != nullptr ? archive->ReadRecord(source.name) : std::nullopt;
    if (!record) return std::nullopt;
    return SourceBytes(std::move(*record));
  }
  const platform::GameFiles* files = FilesOf(host, source.place);
  const auto path = files != nullptr ? files->Resolve(source.name) : std::nullopt;
  auto file = path ? platform::MappedFile::Open(*path) : std::nullopt;
  if (!file) return std::nullopt;
  return SourceBytes(std::move(*file));
}

Bitmap DecodeImageSource(ImageStoreHost& host, const ImageSource& source) {
  const auto bytes = ReadImageSource(host, source);
  return DecodePicture(source.name, bytes ? bytes->View() : std::span<const std::uint8_t>());
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
