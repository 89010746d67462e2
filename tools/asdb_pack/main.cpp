// asdb_pack: packs files into a resource archive, or lists one.
//   asdb_pack ARCHIVE [--type N] FILE...   records named by the paths as given, "/" written "\"
//   asdb_pack --list ARCHIVE              index, type, unpacked size and name of every record
// A --type applies to the files after it (3 marks bitmap fonts); the default is 0.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "asdb_pack/asdb_packer.h"
#include "render/asdb.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: asdb_pack ARCHIVE [--type N] FILE...\n       asdb_pack --list ARCHIVE\n");
  return 2;
}

int List(const char* path) {
  ox::render::TASDb archive;
  archive.SetFileName(path);
  if (!archive.Update()) {
    std::fprintf(stderr, "asdb_pack: cannot read the archive %s\n", path);
    return 1;
  }
  for (int i = 0; i < archive.RecordCount(); ++i) {
    std::printf("%d\t%d\t%u\t%s\n", i, archive.RecordType(i), archive.Record(i)->unpackedSize,
                archive.RecordName(i).c_str());
  }
  return 0;
}

// Days since 1899-12-30, the archive's date.
double FileDate(const std::filesystem::path& path) {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(path, ec);
  if (ec) return 0;
  const auto since = std::chrono::file_clock::to_sys(written).time_since_epoch();
  return std::chrono::duration<double>(since).count() / 86400.0 + 25569.0;
}

bool ReadRecord(const std::string& file, std::uint16_t type, ox::asdbpack::PackedRecord& record) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  record.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  record.name = file;
  for (char& c : record.name) {
    if (c == '/') c = '\\';
  }
  record.type = type;
  record.date = FileDate(file);
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--list") return List(argv[2]);
  if (argc < 3) return Usage();
  std::vector<ox::asdbpack::PackedRecord> records;
  std::uint16_t type = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--type") {
      if (++i == argc) return Usage();
      const std::string_view value = argv[i];
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), type);
      if (error != std::errc{} || end != value.data() + value.size()) return Usage();
      continue;
    }
    ox::asdbpack::PackedRecord record;
    if (!ReadRecord(argv[i], type, record)) {
      std::fprintf(stderr, "asdb_pack: cannot read %s\n", argv[i]);
      return 1;
    }
    records.push_back(std::move(record));
  }
  return ox::asdbpack::WriteArchive(argv[1], records) ? 0 : 1;
}
