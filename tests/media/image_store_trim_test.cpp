// Keeping decoded pictures within the root's memory budget.
#include "image_store_test_host.h"

namespace ox::media::testing {
namespace {

constexpr std::uint32_t kSmall = 6 * 3 * 4;           // plain24.bmp decoded
constexpr std::uint32_t kLarge = 2048u * 1024u * 4u;  // large.png decoded

class TrimTest : public ImageStoreTest {
 protected:
  // Loads the named picture with the use clock at stamp.
  TOxIm* LoadAt(const std::string& name, std::uint32_t stamp, bool keep = false) {
    store.ImStamp() = stamp;
    return store.RequestImage(name, keep);
  }
  bool Loaded(TOxIm* handle) const { return handle->Image() != nullptr; }
};

TEST_F(TrimTest, TheOldestGoFirstTiesInListOrderWhileTheFirstHandleAndKeptOnesStay) {
  for (const char* name : {"zero.bmp", "a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"})
    host.PutGame(name, "plain24.bmp");
  TOxIm* zero = LoadAt("zero.bmp", 0);
  TOxIm* a = LoadAt("a.bmp", 5);
  TOxIm* kept = LoadAt("b.bmp", 2, true);
  TOxIm* c = LoadAt("c.bmp", 2);
  TOxIm* d = LoadAt("d.bmp", 2);
  TOxIm* e = LoadAt("e.bmp", 7);
  store.ImStamp() = 9;

  host.maxMem = 4 * kSmall - 1;  // the candidates a, c, d, e hold 4 * kSmall
  store.TrimImageMemory();
  EXPECT_FALSE(Loaded(c));
  EXPECT_TRUE(Loaded(d)) << "of equal stamps only as many go as needed, in list order";
  EXPECT_EQ(store.ImMemUsed(), 3 * kSmall);

  host.maxMem = kSmall + 1;
  store.TrimImageMemory();
  EXPECT_FALSE(Loaded(d));
  EXPECT_FALSE(Loaded(a));
  EXPECT_TRUE(Loaded(e));
  EXPECT_TRUE(Loaded(zero));
  EXPECT_TRUE(Loaded(kept));
  EXPECT_EQ(store.ImMemUsed(), kSmall);

  host.maxMem = 0;
  store.TrimImageMemory();
  EXPECT_FALSE(Loaded(e));
  EXPECT_TRUE(Loaded(zero));
  EXPECT_TRUE(Loaded(kept));
  EXPECT_EQ(store.ImMemUsed(), 0u) << "with no candidate left, what they held is 0";
  store.TrimImageMemory();
}

TEST_F(TrimTest, StampsFromBeyondTheClockStillEndTheTrim) {
  for (const char* name : {"zero.bmp", "a.bmp", "b.bmp"}) host.PutGame(name, "plain24.bmp");
  LoadAt("zero.bmp", 0);
  TOxIm* a = LoadAt("a.bmp", 50);
  TOxIm* b = LoadAt("b.bmp", 60);
  store.ImStamp() = 10;  // as while a mode switch reloads under older stamps
  host.maxMem = kSmall + 1;
  store.TrimImageMemory();
  EXPECT_FALSE(Loaded(a));
  EXPECT_TRUE(Loaded(b));
}

TEST_F(TrimTest, LoadsTrimOnceTheTotalPassesTheBudgetByATenth) {
  host.PutGame("zero.bmp", "plain24.bmp");
  for (const char* name : {"1.png", "2.png", "3.png", "4.png"}) host.PutGame(name, "large.png");
  host.maxMem = 30'000'000;
  LoadAt("zero.bmp", 0);
  TOxIm* first = LoadAt("1.png", 1);
  TOxIm* second = LoadAt("2.png", 2);
  TOxIm* third = LoadAt("3.png", 3);
  EXPECT_EQ(store.ImMemUsed(), kSmall + 3 * kLarge);
  EXPECT_TRUE(Loaded(first));
  TOxIm* fourth = LoadAt("4.png", 4);  // 33 554 504 > 33 000 000
  EXPECT_FALSE(Loaded(first));
  EXPECT_TRUE(Loaded(second));
  EXPECT_TRUE(Loaded(third));
  EXPECT_TRUE(Loaded(fourth));
  EXPECT_EQ(store.ImMemUsed(), 3 * kLarge) << "the first handle's bytes are no longer counted";
}

TEST_F(TrimTest, ABudgetOf25MillionOrLessNeverTrims) {
  host.PutGame("zero.bmp", "plain24.bmp");
  for (const char* name : {"1.png", "2.png", "3.png", "4.png"}) host.PutGame(name, "large.png");
  host.maxMem = 25'000'000;
  LoadAt("zero.bmp", 0);
  std::vector<TOxIm*> large;
  for (const char* name : {"1.png", "2.png", "3.png", "4.png"}) large.push_back(LoadAt(name, 1));
  for (TOxIm* handle : large) EXPECT_TRUE(Loaded(handle));
  EXPECT_EQ(store.ImMemUsed(), kSmall + 4 * kLarge);
}

}  // namespace
}  // namespace ox::media::testing
