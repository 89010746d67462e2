#include "platform/audio/audio_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace ox::platform {
namespace {

class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Read(void* into, std::size_t bytes) override {
    const std::size_t count = std::min(bytes, bytes_.size() - position_);
    if (count > 0) std::memcpy(into, bytes_.data() + position_, count);
    position_ += count;
    return count;
  }
  bool Seek(std::uint64_t offset) override {
    if (offset > bytes_.size()) return false;
    position_ = static_cast<std::size_t>(offset);
    return true;
  }
  std::uint64_t Position() const override { return position_; }
  std::uint64_t Size() const override { return bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

class FileByteSource final : public ByteSource {
 public:
  FileByteSource(std::FILE* file, std::uint64_t size) : file_(file), size_(size) {}
  ~FileByteSource() override { std::fclose(file_); }
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  std::size_t Read(void* into, std::size_t bytes) override {
    const std::size_t count = std::fread(into, 1, bytes, file_);
    position_ += count;
    return count;
  }
  bool Seek(std::uint64_t offset) override {
    if (offset > size_ || ::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    position_ = offset;
    return true;
  }
  std::uint64_t Position() const override { return position_; }
  std::uint64_t Size() const override { return size_; }

 private:
  std::FILE* file_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
};

}  // namespace

std::unique_ptr<ByteSource> MemorySource(std::span<const std::uint8_t> bytes) {
  return std::make_unique<MemoryByteSource>(bytes);
}

std::unique_ptr<ByteSource> FileSource(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return nullptr;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return nullptr;
  std::FILE* handle = std::fopen(file.c_str(), "rb");
  if (handle == nullptr) return nullptr;
  return std::make_unique<FileByteSource>(handle, size);
}

std::int64_t SeekFrom(ByteSource& source, std::int64_t offset, int whence) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t base = 0;
  if (whence == SEEK_CUR) {
    base = static_cast<std::int64_t>(source.Position());
  } else if (whence == SEEK_END) {
    base = static_cast<std::int64_t>(source.Size());
  } else if (whence != SEEK_SET) {
    return -1;
  }
  if ((offset > 0 && base > kMax - offset) || base + offset < 0) return -1;
  const auto target = static_cast<std::uint64_t>(base + offset);
  return source.Seek(target) ? static_cast<std::int64_t>(target) : -1;
}

}  // namespace ox::platform
