// A file's bytes mapped read-only into memory while the object lives. Pictures are read this
// way, several megabytes each: their decoders take the bytes straight from the page cache
// instead of a copy. The pages are read in when the file is mapped. A file cut short by
// another program while it is mapped would fault on the lost pages; game data is only read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace ox::platform {

class MappedFile {
 public:
  // Nothing when the file is missing, not a regular file, or cannot be mapped.
  static std::optional<MappedFile> Open(const std::filesystem::path& path);

  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }

 private:
  MappedFile(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  void Unmap();

  const std::uint8_t* data_ = nullptr;  // null for an empty file
  std::size_t size_ = 0;
};

}  // namespace ox::platform
