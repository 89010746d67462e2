// A regular file opened for reading at any offset; every read is checked against the file's
// size first, so a damaged length never reads or allocates past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace ox::platform {

class ReadOnlyFile {
 public:
  // Not open when the file is missing, not a regular file or unreadable.
  explicit ReadOnlyFile(const std::filesystem::path& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  std::uint64_t Size() const { return size_; }
  // Exactly count bytes from offset, or false when they are not all in the file.
  bool ReadAt(std::uint64_t offset, void* data, std::size_t count) const;

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace ox::platform
