// Row conversions and the bitmap's layout.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <vector>

#include "media/bitmap.h"
#include "render/asphyre_image.h"

namespace ox::media {
namespace {

// A readable page followed by one that faults when touched: rows placed to end at the
// boundary show any read past their end.
class GuardedPage {
 public:
  GuardedPage() : size_(static_cast<std::size_t>(::sysconf(_SC_PAGESIZE))) {
    void* pages = ::mmap(nullptr, 2 * size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) return;
    base_ = static_cast<std::uint8_t*>(pages);
    ::mprotect(base_ + size_, size_, PROT_NONE);
  }
  ~GuardedPage() {
    if (base_ != nullptr) ::munmap(base_, 2 * size_);
  }
  GuardedPage(const GuardedPage&) = delete;
  GuardedPage& operator=(const GuardedPage&) = delete;

  // Room for `bytes` bytes ending where the guard begins.
  std::uint8_t* EndingAtGuard(std::size_t bytes) { return base_ + size_ - bytes; }
  bool Ready() const { return base_ != nullptr; }

 private:
  std::size_t size_;
  std::uint8_t* base_ = nullptr;
};

TEST(BitmapRows, OpaqueBgrRowsMatchEveryPixelAndStayInsideTheirRow) {
  GuardedPage page;
  ASSERT_TRUE(page.Ready());
  std::mt19937 random(3);
  for (int width = 1; width <= 70; ++width) {
    std::uint8_t* bgr = page.EndingAtGuard(static_cast<std::size_t>(width) * 3);
    for (int i = 0; i < width * 3; ++i) bgr[i] = static_cast<std::uint8_t>(random());
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width) + 1, 0x12345678u);
    OpaqueBgrRow(bgr, width, out.data());
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(out[static_cast<std::size_t>(x)], OpaqueBgr(bgr + 3 * x)) << width << " wide, pixel " << x;
    EXPECT_EQ(out.back(), 0x12345678u) << "nothing written past the row, " << width << " wide";
  }
}

TEST(BitmapRows, ABitmapIsLaidOutAsTheTextureOfItsOnePattern) {
  Bitmap bitmap;
  std::string failure;
  ASSERT_TRUE(AllocateBitmap(bitmap, 1024, 767, failure));
  EXPECT_EQ(bitmap.pitch, render::TextureSide(1024));
  EXPECT_EQ(bitmap.pitch, 1026);
  EXPECT_EQ(bitmap.pixels.size(), std::size_t{1026} * 770);
  EXPECT_EQ(bitmap.PixelCount(), std::size_t{1024} * 767);
  EXPECT_EQ(bitmap.Row(2) - bitmap.Row(1), 1026);
  EXPECT_FALSE(AllocateBitmap(bitmap, 16385, 1, failure));
  EXPECT_TRUE(bitmap.Empty());
}

}  // namespace
}  // namespace ox::media
