// Where an audio decoder reads its bytes from: a block of memory that someone else owns, or a
// file that the source keeps open. A source is used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace ox::platform {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `bytes` bytes from the current position; fewer at the end or on a read error.
  virtual std::size_t Read(void* into, std::size_t bytes) = 0;
  // Moves to an absolute offset, at most Size(); false (position unchanged) otherwise.
  virtual bool Seek(std::uint64_t offset) = 0;
  virtual std::uint64_t Position() const = 0;
  virtual std::uint64_t Size() const = 0;
};

// The bytes must outlive the source.
std::unique_ptr<ByteSource> MemorySource(std::span<const std::uint8_t> bytes);
// nullptr when the file cannot be opened.
std::unique_ptr<ByteSource> FileSource(const std::filesystem::path& file);

// lseek-style seeking for the decoder libraries: whence is SEEK_SET, SEEK_CUR or SEEK_END;
// the new position, or -1 when it would fall outside the source.
std::int64_t SeekFrom(ByteSource& source, std::int64_t offset, int whence);

}  // namespace ox::platform
