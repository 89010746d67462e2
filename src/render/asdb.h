// The resource archive: named records of pictures, sounds, grid descriptions, particle effects
// and bitmap fonts, each stored as one zlib stream (layout in asdb_format.h).
//
// Assigning FileName reads nothing; Update opens the archive by OpenMode: opReadOnly reads the
// table, opOverwrite creates an empty archive (replacing any file), opUpdate reads the table of
// an existing file and creates an empty archive otherwise. A successful Update sets the "fresh"
// flag; the first ReadRecord after it clears the flag and reads the table again from the file
// it opens. Every ReadRecord opens and closes the file; nothing but the table is cached.
//
// Failures are quiet: a missing or damaged file leaves the table empty (or partly filled when
// only record headers could not be read) and RecordIndex -1; a record that is missing, runs
// past the file, is not one complete zlib stream, or inflates to other than its unpacked size
// (which must not be 0) is not read. Counts, names and sizes are checked against the file's
// size before anything is allocated for them. Record names are matched after lower-casing
// (ASCII) both sides; of equal names the earlier record wins. Enciphered records are passed to
// inflate as stored: no key is ever set.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/read_only_file.h"
#include "render/asdb_format.h"

namespace ox::render {

enum class TOpenMode { opUpdate, opOverwrite, opReadOnly };

class TASDb {
 public:
  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string fileName);
  TOpenMode OpenMode() const { return openMode_; }
  void SetOpenMode(TOpenMode mode) { openMode_ = mode; }

  bool Update();
  // Update unless a successful Update has not been followed by a record read yet.
  bool EnsureOpen();

  int RecordCount() const { return static_cast<int>(records_.size()); }
  int RecordIndex(std::string_view name) const;
  // "[invalid-record-#]" for an index outside the table.
  std::string RecordName(int index) const;
  // 0 for an index outside the table.
  int RecordType(int index) const;
  // The table entry; nothing for an index outside the table.
  const TASDbRecord* Record(int index) const;

  // The unpacked content of the named record.
  std::optional<std::vector<std::uint8_t>> ReadRecord(std::string_view name);
  // ReadRecord, then the whole content written to the stream; true only when it took it all.
  bool ReadRecordToStream(std::string_view name, std::ostream& stream);

 private:
  bool CreateEmpty();
  bool ReadTable(const platform::ReadOnlyFile& file);

  std::string fileName_;
  TOpenMode openMode_ = TOpenMode::opReadOnly;
  bool fresh_ = false;
  std::uint64_t fileSize_ = 0;
  std::vector<TASDbRecord> records_;
  std::vector<std::string> lowerNames_;  // records_[i].name lower-cased, for RecordIndex
};

}  // namespace ox::render
