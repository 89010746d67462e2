// The star pool: the first free slot, the full pool, the colour text rules, a star's life and
// the index of the layers that hold live stars.
#include <gtest/gtest.h>

#include "platform/core/random.h"
#include "scene/star_pool.h"

namespace ox::scene {
namespace {

StarMotion Still(double scale = 1, double scaleSpeed = 0) { return {0, 10, 20, scale, 0, scaleSpeed, 0, 0}; }

TEST(StarPoolTest, FillsTheFirstFreeSlotAndAFullPoolRefusesTheNext) {
  StarPool pool;
  for (std::size_t i = 0; i < StarPool::kSlots; ++i) ASSERT_TRUE(pool.AddStar(0, "1", 0, 0, Still()));
  EXPECT_EQ(pool.LiveCount(), 5001u);
  EXPECT_FALSE(pool.AddStar(7, "2", 0, 0, Still()));
  EXPECT_EQ(pool.Slots()[5000].pattern, 0);

  pool.FreeAll();
  EXPECT_EQ(pool.LiveCount(), 0u);
  EXPECT_TRUE(pool.AddStar(3, "2", 260, 1000, Still()));
  EXPECT_EQ(pool.Slots()[0].pattern, 3);
  EXPECT_EQ(pool.Slots()[0].effect, 260);
  EXPECT_EQ(pool.Slots()[0].layer, 1000);
}

TEST(StarPoolTest, AStarMovesEachTickAndDiesWhenItsScaleIsNoLongerAboveZero) {
  StarPool pool;
  pool.AddStar(0, "1", 0, 0, {10, 1, 2, 0.5, 5, -0.25, 3, -4});
  pool.UpdateStars();
  const TStar& star = pool.Slots()[0];
  EXPECT_TRUE(star.active);
  EXPECT_DOUBLE_EQ(star.scale, 0.25);
  EXPECT_DOUBLE_EQ(star.angle, 15);
  EXPECT_DOUBLE_EQ(star.x, 4);
  EXPECT_DOUBLE_EQ(star.y, -2);
  pool.UpdateStars();
  EXPECT_FALSE(star.active);
  pool.AddStar(9, "1", 0, 0, Still());
  EXPECT_EQ(pool.Slots()[0].pattern, 9) << "the freed slot is the first free one again";
}

TEST(StarPoolTest, TheLayersOfLiveStarsFollowTheirBirthsDeathsAndTheScreenSwitch) {
  StarPool pool;
  EXPECT_EQ(pool.LayerAtOrAbove(-5'000'000'000), std::nullopt);
  pool.AddStar(0, "1", 0, 7, Still(0.1, -1));
  pool.AddStar(0, "1", 0, 7, Still());
  pool.AddStar(0, "1", 0, -3, Still(0.1, -1));
  pool.AddStar(0, "1", 0, 1000, Still());
  EXPECT_EQ(pool.LayerAtOrAbove(-5'000'000'000), -3);
  EXPECT_EQ(pool.LayerAtOrAbove(-2), 7);
  EXPECT_EQ(pool.LayerAtOrAbove(1001), std::nullopt);
  EXPECT_EQ(pool.LayerAtOrAbove(5'000'000'000), std::nullopt);
  EXPECT_EQ(pool.LiveOn(7), 2u);
  pool.UpdateStars();
  EXPECT_EQ(pool.LiveOn(7), 1u) << "one of the two died";
  EXPECT_EQ(pool.LiveOn(-3), 0u);
  EXPECT_EQ(pool.LayerAtOrAbove(-5), 7);
  EXPECT_EQ(pool.LiveCount(), 2u);
  pool.FreeAll();
  EXPECT_EQ(pool.LayerAtOrAbove(0), std::nullopt);
  EXPECT_EQ(pool.LiveOn(1000), 0u);
}

TEST(StarPoolTest, ColourTextIsADecimalNumberKeptTo24BitsNoneIsRandomAndNonsenseKeepsTheOld) {
  platform::SeedSharedRandom(3);
  StarPool pool;
  pool.AddStar(0, "255", 0, 0, Still(0.1, -1));
  EXPECT_EQ(pool.Slots()[0].colour, 255u);
  pool.UpdateStars();
  pool.AddStar(0, "blue", 0, 0, Still(0.1, -1));
  EXPECT_EQ(pool.Slots()[0].colour, 255u) << "the slot's colour from before";
  pool.UpdateStars();
  pool.AddStar(0, "16777472", 0, 0, Still(0.1, -1));
  EXPECT_EQ(pool.Slots()[0].colour, 0x100u) << "0x1000100 masked to its low 24 bits";
  pool.UpdateStars();
  pool.AddStar(0, "-1", 0, 0, Still(0.1, -1));
  EXPECT_EQ(pool.Slots()[0].colour, 0xFFFFFFu);
  for (int i = 0; i < 50; ++i) {
    pool.UpdateStars();
    pool.AddStar(0, std::nullopt, 0, 0, Still(0.1, -1));
    EXPECT_LT(pool.Slots()[0].colour, 0xFFFFFFu);
  }
}

}  // namespace
}  // namespace ox::scene
