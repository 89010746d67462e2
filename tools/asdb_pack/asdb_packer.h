// The archive packer's writing side: records packed into a resource archive that TASDb reads.
// The packer lays the records out in order after the header (each record header followed by
// its zlib stream) and puts the table last. The date is the caller's; the checksum is left
// zero, as the reader never looks at it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ox::asdbpack {

struct PackedRecord {
  std::string name;
  std::uint16_t type = 0;
  std::vector<std::uint8_t> content;
  double date = 0;  // days since 1899-12-30
};

// The archive's bytes; empty only when zlib fails or the archive would pass 4 GiB.
std::string PackArchive(const std::vector<PackedRecord>& records);

// PackArchive written to a file; false (one line logged) on failure.
bool WriteArchive(const std::filesystem::path& path, const std::vector<PackedRecord>& records);

}  // namespace ox::asdbpack
