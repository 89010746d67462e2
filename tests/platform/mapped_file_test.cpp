#include "platform/files/mapped_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/temp_folder.h"

namespace ox::platform {
namespace {

using test_support::TempFolder;
using test_support::WriteFile;

std::string Text(const MappedFile& file) {
  return std::string(reinterpret_cast<const char*>(file.Bytes().data()), file.Bytes().size());
}

TEST(MappedFileTest, GivesTheFilesBytesAndOnlyForRegularFiles) {
  TempFolder folder;
  WriteFile(folder.path() / "picture.bmp", std::string("BM\0\x01pixels", 10));
  WriteFile(folder.path() / "empty.tga", "");
  const auto picture = MappedFile::Open(folder.path() / "picture.bmp");
  ASSERT_TRUE(picture);
  EXPECT_EQ(Text(*picture), std::string("BM\0\x01pixels", 10));
  const auto empty = MappedFile::Open(folder.path() / "empty.tga");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->Bytes().empty());
  EXPECT_FALSE(MappedFile::Open(folder.path() / "missing.png"));
  EXPECT_FALSE(MappedFile::Open(folder.path())) << "a folder";
}

TEST(MappedFileTest, AMovedMappingKeepsTheBytesAndTheOldOneIsEmpty) {
  TempFolder folder;
  WriteFile(folder.path() / "a.jpg", "alpha");
  WriteFile(folder.path() / "b.jpg", "bravo");
  auto a = MappedFile::Open(folder.path() / "a.jpg");
  auto b = MappedFile::Open(folder.path() / "b.jpg");
  ASSERT_TRUE(a && b);
  MappedFile moved = std::move(*a);
  EXPECT_EQ(Text(moved), "alpha");
  EXPECT_TRUE(a->Bytes().empty());
  moved = std::move(*b);  // the first mapping is released, the second taken
  EXPECT_EQ(Text(moved), "bravo");
  EXPECT_TRUE(b->Bytes().empty());
}

}  // namespace
}  // namespace ox::platform
