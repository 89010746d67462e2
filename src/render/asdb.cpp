#include "render/asdb.h"

#include "platform/text/case1251.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <filesystem>
#include <span>

namespace ox::render {

namespace {

// A deflate stream yields at most 1032 bytes for each of its bytes; an unpacked size beyond
// that cannot be met and is refused before the buffer is allocated.
constexpr std::uint64_t kMaxInflateRatio = 1032;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

double F64(const std::uint8_t* p) {
  const std::uint64_t bits = U32(p) | static_cast<std::uint64_t>(U32(p + 4)) << 32;
  return std::bit_cast<double>(bits);
}

void ReadRecordHeader(const std::uint8_t* h, TASDbRecord& record) {
  record.type = U16(h);
  record.unpackedSize = U32(h + 2);
  record.storedSize = U32(h + 6);
  record.date = F64(h + 10);
  std::copy(h + 18, h + 34, record.checksum.begin());
  record.secure = U16(h + 34);
  record.chainingValue = {U32(h + 36), U32(h + 40)};
}

// The whole stream inflated, only when it ends exactly at unpackedSize bytes (never 0).
std::optional<std::vector<std::uint8_t>> InflateExactly(std::span<const std::uint8_t> stored,
                                                        std::uint32_t unpackedSize) {
  if (unpackedSize == 0 || unpackedSize > stored.size() * kMaxInflateRatio) return std::nullopt;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  std::vector<std::uint8_t> content(unpackedSize);
  stream.next_in = stored.data();
  stream.avail_in = static_cast<uInt>(stored.size());
  stream.next_out = content.data();
  stream.avail_out = unpackedSize;
  const int result = inflate(&stream, Z_FINISH);
  const bool exact = result == Z_STREAM_END && stream.total_out == unpackedSize;
  inflateEnd(&stream);
  if (!exact) return std::nullopt;
  return content;
}

}  // namespace

void TASDb::SetFileName(std::string fileName) {
  fileName_ = std::move(fileName);
  fresh_ = false;
}

bool TASDb::Update() {
  bool opened = false;
  switch (openMode_) {
    case TOpenMode::opOverwrite:
      opened = CreateEmpty();
      break;
    case TOpenMode::opReadOnly:
      opened = ReadTable(platform::ReadOnlyFile(fileName_));
      break;
    case TOpenMode::opUpdate: {
      std::error_code ec;
      opened = std::filesystem::exists(fileName_, ec)
                   ? ReadTable(platform::ReadOnlyFile(fileName_))
                   : CreateEmpty();
      break;
    }
  }
  fresh_ = opened;
  return opened;
}

bool TASDb::EnsureOpen() { return fresh_ || Update(); }

bool TASDb::CreateEmpty() {
  records_.clear();
  lowerNames_.clear();
  std::FILE* out = std::fopen(fileName_.c_str(), "wb");
  if (out == nullptr) return false;
  const std::uint8_t header[kAsdbHeaderSize] = {'A', 'S', 'D', 'b', 0, 0, 0, 0, kAsdbHeaderSize,
                                                0,   0,   0};
  const bool written = std::fwrite(header, 1, sizeof header, out) == sizeof header;
  const bool closed = std::fclose(out) == 0;
  fileSize_ = kAsdbHeaderSize;
  return written && closed;
}

bool TASDb::ReadTable(const platform::ReadOnlyFile& file) {
  records_.clear();
  lowerNames_.clear();
  std::uint8_t header[kAsdbHeaderSize];
  if (!file.IsOpen() || !file.ReadAt(0, header, sizeof header)) return false;
  const std::uint32_t count = U32(header + 4);
  std::uint64_t position = U32(header + 8);
  fileSize_ = file.Size();
  // Every entry takes at least 8 bytes, so a count the file cannot hold fails at once.
  if (count > 0 && (position > fileSize_ || count > (fileSize_ - position) / 8)) return false;
  records_.resize(count);
  for (TASDbRecord& record : records_) {
    std::uint8_t word[4];
    if (!file.ReadAt(position, word, 4) || U32(word) > fileSize_ - position - 4) {
      records_.clear();
      return false;
    }
    record.name.resize(U32(word));
    position += 4;
    if (!file.ReadAt(position, record.name.data(), record.name.size()) ||
        !file.ReadAt(position + record.name.size(), word, 4)) {
      records_.clear();
      return false;
    }
    record.offset = U32(word);
    position += record.name.size() + 4;
  }
  for (const TASDbRecord& record : records_) lowerNames_.push_back(platform::LowerAscii(record.name));
  for (TASDbRecord& record : records_) {
    std::uint8_t recordHeader[kAsdbRecordHeaderSize];
    if (!file.ReadAt(record.offset, recordHeader, sizeof recordHeader)) return false;
    ReadRecordHeader(recordHeader, record);
  }
  return true;
}

int TASDb::RecordIndex(std::string_view name) const {
  const std::string lower = platform::LowerAscii(std::string(name));
  for (std::size_t i = 0; i < lowerNames_.size(); ++i) {
    if (lowerNames_[i] == lower) return static_cast<int>(i);
  }
  return -1;
}

const TASDbRecord* TASDb::Record(int index) const {
  if (index < 0 || index >= RecordCount()) return nullptr;
  return &records_[static_cast<std::size_t>(index)];
}

std::string TASDb::RecordName(int index) const {
  const TASDbRecord* record = Record(index);
  return record != nullptr ? record->name : "[invalid-record-#]";
}

int TASDb::RecordType(int index) const {
  const TASDbRecord* record = Record(index);
  return record != nullptr ? record->type : 0;
}

std::optional<std::vector<std::uint8_t>> TASDb::ReadRecord(std::string_view name) {
  const platform::ReadOnlyFile file(fileName_);
  if (!file.IsOpen()) return std::nullopt;
  if (fresh_) {
    fresh_ = false;
    if (!ReadTable(file)) return std::nullopt;
  }
  const TASDbRecord* record = Record(RecordIndex(name));
  if (record == nullptr) return std::nullopt;
  const std::uint64_t start = std::uint64_t{record->offset} + kAsdbRecordHeaderSize;
  if (start > file.Size() || record->storedSize > file.Size() - start) return std::nullopt;
  std::vector<std::uint8_t> stored(record->storedSize);
  if (!file.ReadAt(start, stored.data(), stored.size())) return std::nullopt;
  return InflateExactly(stored, record->unpackedSize);
}

bool TASDb::ReadRecordToStream(std::string_view name, std::ostream& stream) {
  const auto content = ReadRecord(name);
  if (!content) return false;
  stream.write(reinterpret_cast<const char*>(content->data()),
               static_cast<std::streamsize>(content->size()));
  return stream.good();
}

}  // namespace ox::render
