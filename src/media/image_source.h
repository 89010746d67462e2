// Where a picture and its companions (grid description, mask, colour picture) come from: a
// loose file of the game folder, a file of the program folder, or a record of the resource
// archive. A picture's companions are always looked for where the picture itself was found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "media/bitmap.h"
#include "media/image_store_host.h"
#include "platform/files/mapped_file.h"

namespace ox::media {

enum class SourcePlace { GameFolder, ProgramFolder, Archive };

struct ImageSource {
  SourcePlace place = SourcePlace::GameFolder;
  std::string name;  // file name relative to its folder, or record name

  bool FromArchive() const { return place == SourcePlace::Archive; }
};

// The file fileName in the game folder, else in the program folder, else the archive record
// recordName; nothing when none of them exists.
std::optional<ImageSource> LocateImageSource(ImageStoreHost& host, std::string_view fileName,
                                             std::string_view recordName);

bool ImageSourceExists(ImageStoreHost& host, const ImageSource& source);

// A source's whole content: a loose file mapped into memory, or an archive record read out.
class SourceBytes {
 public:
  explicit SourceBytes(platform::MappedFile file) : bytes_(std::move(file)) {}
  explicit SourceBytes(std::vector<std::uint8_t> record) : bytes_(std::move(record)) {}
  std::span<const std::uint8_t> View() const;

 private:
  std::variant<platform::MappedFile, std::vector<std::uint8_t>> bytes_;
};

// Nothing when the source is missing or cannot be read.
std::optional<SourceBytes> ReadImageSource(ImageStoreHost& host, const ImageSource& source);

// The source decoded by its name's extension; an empty bitmap when it cannot be read or
// decoded.
Bitmap DecodeImageSource(ImageStoreHost& host, const ImageSource& source);

// Another name in the same place as the source.
ImageSource SiblingSource(const ImageSource& source, std::string name);

// The folder part of a name, up to and including its last "\" or "/" ("" without one), and
// the rest.
std::string_view NameFolder(std::string_view name);
std::string_view NameFile(std::string_view name);

}  // namespace ox::media
