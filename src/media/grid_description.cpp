#include "media/grid_description.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "platform/files/atomic_file.h"
#include "platform/files/output_path.h"
#include "platform/files/read_file.h"

namespace ox::media {
namespace {

constexpr std::string_view kUnpackedName = "temp.an";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The integer at pos (after blanks and line ends), saturated to the int range; 0 when there is
// none. pos is left at the start of the following line.
int ReadCountLine(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  std::int64_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = std::min<std::int64_t>(value * 10 + (text[pos] - '0'), std::numeric_limits<int>::max());
  }
  const std::size_t lineEnd = text.find('\n', pos);
  pos = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
  return static_cast<int>(negative ? -value : value);
}

std::optional<std::string> UnpackRecord(ImageStoreHost& host, const ImageSource& description) {
  const auto content = ReadImageSource(host, description);
  if (!content) return std::nullopt;
  const auto path = platform::SafeOutputPath(host.UserFolder(), kUnpackedName);
  if (!path) return std::nullopt;
  const std::span<const std::uint8_t> view = content->View();
  const std::string_view bytes(reinterpret_cast<const char*>(view.data()), view.size());
  if (!platform::WriteFileAtomically(*path, bytes)) return std::nullopt;
  return platform::ReadWholeFile(*path);
}

}  // namespace

GridSize ParseGridDescription(std::string_view text) {
  std::size_t pos = 0;
  const int columns = ReadCountLine(text, pos);
  const int rows = ReadCountLine(text, pos);
  return GridSize{std::max(columns, 1), std::max(rows, 1)};
}

GridSize ReadGridDescription(ImageStoreHost& host, const ImageSource& picture) {
  const std::string_view name = picture.name;
  const std::string base(name.substr(0, name.size() - std::min<std::size_t>(name.size(), 4)));
  const ImageSource description = SiblingSource(picture, base + ".an");
  if (!ImageSourceExists(host, description)) return GridSize{};
  std::optional<std::string> text;
  if (description.FromArchive()) {
    text = UnpackRecord(host, description);
  } else if (const auto bytes = ReadImageSource(host, description)) {
    const std::span<const std::uint8_t> view = bytes->View();
    text.emplace(view.begin(), view.end());
  }
  return text ? ParseGridDescription(*text) : GridSize{};
}

}  // namespace ox::media
