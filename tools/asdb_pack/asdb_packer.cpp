#include "asdb_pack/asdb_packer.h"

#include <zlib.h>

#include <bit>
#include <fstream>
#include <limits>

#include "platform/core/log.h"
#include "render/asdb_format.h"

namespace ox::asdbpack {

namespace {

void PutU16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>(value >> shift & 0xFF));
}

void PutF64(std::string& out, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  PutU32(out, static_cast<std::uint32_t>(bits));
  PutU32(out, static_cast<std::uint32_t>(bits >> 32));
}

bool Deflate(const std::vector<std::uint8_t>& content, std::string& stream) {
  uLongf size = compressBound(static_cast<uLong>(content.size()));
  stream.resize(size);
  if (compress2(reinterpret_cast<Bytef*>(stream.data()), &size, content.data(),
                static_cast<uLong>(content.size()), Z_BEST_COMPRESSION) != Z_OK) {
    return false;
  }
  stream.resize(size);
  return true;
}

bool FitsOffset(const std::string& archive) {
  return archive.size() <= std::numeric_limits<std::uint32_t>::max();
}

}  // namespace

std::string PackArchive(const std::vector<PackedRecord>& records) {
  std::string archive = "ASDb";
  PutU32(archive, static_cast<std::uint32_t>(records.size()));
  PutU32(archive, 0);  // table offset, known at the end
  std::vector<std::uint32_t> offsets;
  for (const PackedRecord& record : records) {
    std::string stream;
    if (record.content.size() > std::numeric_limits<std::uint32_t>::max() ||
        !Deflate(record.content, stream) || !FitsOffset(archive)) {
      return {};
    }
    offsets.push_back(static_cast<std::uint32_t>(archive.size()));
    PutU16(archive, record.type);
    PutU32(archive, static_cast<std::uint32_t>(record.content.size()));
    PutU32(archive, static_cast<std::uint32_t>(stream.size()));
    PutF64(archive, record.date);
    archive.append(16, '\0');  // checksum
    PutU16(archive, 0);        // not enciphered
    PutU32(archive, 0);
    PutU32(archive, 0);
    archive += stream;
  }
  if (!FitsOffset(archive)) return {};
  const auto tableOffset = static_cast<std::uint32_t>(archive.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    PutU32(archive, static_cast<std::uint32_t>(records[i].name.size()));
    archive += records[i].name;
    PutU32(archive, offsets[i]);
  }
  if (!FitsOffset(archive)) return {};
  for (int shift = 0; shift < 32; shift += 8)
    archive[8 + shift / 8] = static_cast<char>(tableOffset >> shift & 0xFF);
  return archive;
}

bool WriteArchive(const std::filesystem::path& path, const std::vector<PackedRecord>& records) {
  const std::string archive = PackArchive(records);
  if (archive.empty()) {
    platform::LogLine("cannot pack " + path.string() + ": the records do not fit an archive");
    return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(archive.data(), static_cast<std::streamsize>(archive.size()));
  out.close();
  if (!out) platform::LogLine("cannot write " + path.string());
  return static_cast<bool>(out);
}

}  // namespace ox::asdbpack
