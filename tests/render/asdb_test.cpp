#include "render/asdb.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "asdb_pack/asdb_packer.h"
#include "support/temp_folder.h"

namespace ox::render {
namespace {

namespace fs = std::filesystem;
using asdbpack::PackedRecord;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

class AsdbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.empty());
    path_ = (folder_ / "game.asdb").string();
    archive_.SetFileName(path_);
  }

  void Write(const std::string& bytes) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string ReadBack() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Two records: "a.bmp" (at offset 12, content "alpha") and "b.wav" ("bravo bravo").
  static std::string TwoRecords() {
    return asdbpack::PackArchive(
        {{"a.bmp", 0, Bytes("alpha"), 0}, {"b.wav", 0, Bytes("bravo bravo"), 0}});
  }
  static constexpr std::size_t kFirstRecord = 12;

  test_support::TempFolder temp_;
  fs::path folder_ = temp_.path();
  std::string path_;
  TASDb archive_;
};

TEST_F(AsdbTest, ReadsAnArchiveWrittenByAnotherWriter) {
  archive_.SetFileName(std::string(OX_TEST_DATA) + "/archives/sample.asdb");
  ASSERT_TRUE(archive_.Update());
  ASSERT_EQ(archive_.RecordCount(), 3);
  EXPECT_EQ(archive_.RecordName(0), "Pics\\Room.BMP");
  EXPECT_EQ(archive_.RecordType(2), kAsdbFontRecordType);
  EXPECT_DOUBLE_EQ(archive_.Record(0)->date, 45000.5);

  // Equal in lower case: the earlier record wins, whatever case is asked for.
  EXPECT_EQ(archive_.RecordIndex("PICS\\ROOM.BMP"), 0);
  EXPECT_EQ(archive_.RecordIndex("pics\\room.bmp"), 0);
  std::string room;
  for (int i = 0; i < 20; ++i) room += "first room ";
  EXPECT_EQ(archive_.ReadRecord("pIcS\\rOoM.bMp"), Bytes(room));

  std::vector<std::uint8_t> font(256);
  for (int i = 0; i < 256; ++i) font[i] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(archive_.ReadRecord("FONTS\\SMALL.FNT"), font);
}

TEST_F(AsdbTest, OutsideTheTable) {
  EXPECT_EQ(archive_.RecordIndex("a.bmp"), -1);  // nothing read yet
  Write(TwoRecords());
  ASSERT_TRUE(archive_.Update());
  EXPECT_EQ(archive_.RecordIndex("c.bmp"), -1);
  EXPECT_EQ(archive_.RecordName(-1), "[invalid-record-#]");
  EXPECT_EQ(archive_.RecordName(2), "[invalid-record-#]");
  EXPECT_EQ(archive_.RecordType(-1), 0);
  EXPECT_EQ(archive_.Record(2), nullptr);
  EXPECT_FALSE(archive_.ReadRecord("c.bmp"));
}

TEST_F(AsdbTest, SignatureIsNotChecked) {
  std::string bytes = TwoRecords();
  bytes.replace(0, 4, "XXXX");
  Write(bytes);
  ASSERT_TRUE(archive_.Update());
  EXPECT_EQ(archive_.ReadRecord("B.WAV"), Bytes("bravo bravo"));
}

TEST_F(AsdbTest, EncipheredRecordsAreInflatedAsStored) {
  std::string bytes = TwoRecords();
  bytes[kFirstRecord + 34] = 1;
  Write(bytes);
  ASSERT_TRUE(archive_.Update());
  EXPECT_EQ(archive_.Record(0)->secure, 1);
  EXPECT_EQ(archive_.ReadRecord("a.bmp"), Bytes("alpha"));
}

TEST_F(AsdbTest, UnpackedSizeMustMatchTheStream) {
  std::string bytes = TwoRecords();
  for (const std::uint32_t claimed : {4u, 6u, 0xFFFFFFFFu}) {
    PutU32(bytes, kFirstRecord + 2, claimed);
    Write(bytes);
    ASSERT_TRUE(archive_.Update());
    EXPECT_FALSE(archive_.ReadRecord("a.bmp")) << claimed;
    EXPECT_EQ(archive_.ReadRecord("b.wav"), Bytes("bravo bravo"));
  }
}

TEST_F(AsdbTest, AnEmptyRecordCanNeverBeRead) {
  Write(asdbpack::PackArchive({{"empty.txt", 0, {}, 0}}));
  ASSERT_TRUE(archive_.Update());
  EXPECT_EQ(archive_.RecordIndex("empty.txt"), 0);
  EXPECT_FALSE(archive_.ReadRecord("empty.txt"));
}

TEST_F(AsdbTest, DamagedStreamsAreNotRead) {
  const std::string good = TwoRecords();
  const std::size_t stream = kFirstRecord + kAsdbRecordHeaderSize;
  std::string corrupt = good;
  corrupt[stream + 3] = static_cast<char>(corrupt[stream + 3] ^ 0x55);
  std::string notZlib = good;
  notZlib[stream] = 0x12;
  std::string truncated = good;
  PutU32(truncated, kFirstRecord + 6, 4);  // the stream cut to 4 bytes
  std::string pastTheFile = good;
  PutU32(pastTheFile, kFirstRecord + 6, static_cast<std::uint32_t>(good.size()));
  for (const std::string* bytes : {&corrupt, &notZlib, &truncated, &pastTheFile}) {
    Write(*bytes);
    ASSERT_TRUE(archive_.Update());
    EXPECT_FALSE(archive_.ReadRecord("a.bmp"));
    EXPECT_EQ(archive_.ReadRecord("b.wav"), Bytes("bravo bravo"));
  }
}

TEST_F(AsdbTest, DamagedTablesEmptyIt) {
  const std::string good = TwoRecords();
  const std::uint32_t table = static_cast<std::uint32_t>(good.size()) - 2 * (4 + 5 + 4);
  std::string hugeCount = good;
  PutU32(hugeCount, 4, 0xFFFFFFFF);
  std::string countPastTable = good;
  PutU32(countPastTable, 4, 3);
  std::string tablePastFile = good;
  PutU32(tablePastFile, 8, static_cast<std::uint32_t>(good.size()) + 100);
  std::string nameLengthPastFile = good;
  PutU32(nameLengthPastFile, table, 0x7FFFFFF0);
  for (const std::string* bytes :
       {&hugeCount, &countPastTable, &tablePastFile, &nameLengthPastFile}) {
    Write(*bytes);
    EXPECT_FALSE(archive_.Update());
    EXPECT_EQ(archive_.RecordCount(), 0);
    EXPECT_EQ(archive_.RecordIndex("a.bmp"), -1);
  }
  Write("ASDb\2\0");
  EXPECT_FALSE(archive_.Update());
  fs::remove(path_);
  EXPECT_FALSE(archive_.Update());
  EXPECT_FALSE(archive_.ReadRecord("a.bmp"));
}

TEST_F(AsdbTest, RecordHeaderPastTheFileLeavesTheTableRead) {
  std::string bytes = TwoRecords();
  const std::size_t secondOffset = bytes.size() - 4;
  PutU32(bytes, secondOffset, static_cast<std::uint32_t>(bytes.size()) - 20);
  Write(bytes);
  EXPECT_FALSE(archive_.Update());
  ASSERT_EQ(archive_.RecordCount(), 2);
  EXPECT_EQ(archive_.RecordIndex("B.WAV"), 1);
  EXPECT_FALSE(archive_.ReadRecord("b.wav"));
  EXPECT_EQ(archive_.ReadRecord("a.bmp"), Bytes("alpha"));
}

TEST_F(AsdbTest, TheFirstReadAfterUpdateReadsTheTableAgain) {
  Write(TwoRecords());
  ASSERT_TRUE(archive_.Update());
  Write(asdbpack::PackArchive({{"c.png", 0, Bytes("charlie"), 0}}));
  EXPECT_EQ(archive_.ReadRecord("c.png"), Bytes("charlie"));
  EXPECT_EQ(archive_.RecordCount(), 1);
  Write(TwoRecords());
  EXPECT_FALSE(archive_.ReadRecord("a.bmp"));  // the table is not read again
}

TEST_F(AsdbTest, EnsureOpenReadsOnlyWhenNotFresh) {
  Write(TwoRecords());
  ASSERT_TRUE(archive_.Update());
  fs::remove(path_);
  EXPECT_TRUE(archive_.EnsureOpen());
  EXPECT_FALSE(archive_.ReadRecord("a.bmp"));  // cannot open: the flag stays
  Write(TwoRecords());
  EXPECT_TRUE(archive_.ReadRecord("a.bmp"));
  fs::remove(path_);
  EXPECT_FALSE(archive_.EnsureOpen());
  Write(TwoRecords());
  ASSERT_TRUE(archive_.Update());
  archive_.SetFileName(path_);  // assigning the name clears the flag
  fs::remove(path_);
  EXPECT_FALSE(archive_.EnsureOpen());
}

TEST_F(AsdbTest, WriteModesCreateAnEmptyArchive) {
  const std::string empty("ASDb\0\0\0\0\x0c\0\0\0", 12);
  archive_.SetOpenMode(TOpenMode::opUpdate);
  ASSERT_TRUE(archive_.Update());
  EXPECT_EQ(ReadBack(), empty);
  Write(TwoRecords());
  ASSERT_TRUE(archive_.Update());
  EXPECT_EQ(archive_.RecordCount(), 2);
  EXPECT_EQ(ReadBack(), TwoRecords());

  archive_.SetOpenMode(TOpenMode::opOverwrite);
  ASSERT_TRUE(archive_.Update());
  EXPECT_EQ(archive_.RecordCount(), 0);
  EXPECT_EQ(ReadBack(), empty);
  archive_.SetOpenMode(TOpenMode::opReadOnly);
  EXPECT_TRUE(archive_.Update());
  EXPECT_EQ(archive_.RecordCount(), 0);

  archive_.SetFileName((folder_ / "no-such-folder" / "x.asdb").string());
  archive_.SetOpenMode(TOpenMode::opOverwrite);
  EXPECT_FALSE(archive_.Update());
}

TEST_F(AsdbTest, ReadRecordToStream) {
  Write(TwoRecords());
  ASSERT_TRUE(archive_.Update());
  std::ostringstream out;
  out << "x";
  EXPECT_TRUE(archive_.ReadRecordToStream("a.bmp", out));
  EXPECT_EQ(out.str(), "xalpha");
  EXPECT_FALSE(archive_.ReadRecordToStream("none", out));
  std::ostringstream broken;
  broken.setstate(std::ios::badbit);
  EXPECT_FALSE(archive_.ReadRecordToStream("a.bmp", broken));
}

}  // namespace
}  // namespace ox::render
