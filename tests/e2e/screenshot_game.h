// A game written into a scratch folder and played headless by the real binary, keeping its last
// frame and its tree dump for the test to read.
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "gamefile/game_file_writer.h"
#include "media/picture_decoder.h"
#include "player_run.h"

namespace ox::e2e {

struct ScreenshotGame : ::testing::Test {
  TempFolder folder;
  media::Bitmap shot;
  std::string dump;

  // Plays the game for `ticks` ticks (its first screen shows at tick 102) with the events given.
  void Play(const gamefile::Node& game, const std::string& events = "", int ticks = 110) {
    PlayWith(game, {"--events", folder.Write("events.txt", events).string()}, ticks, "");
  }

  // Plays with further options; the player must end normally and print only `expectedErr`.
  void PlayWith(const gamefile::Node& game, std::vector<std::string> options, int ticks,
                const std::string& expectedErr) {
    folder.Write("g/game.oxf", gamefile::WriteGameFile(game));
    const auto png = folder.path() / "shot.png";
    std::vector<std::string> args{"--headless", "--ticks", std::to_string(ticks), "--screenshot", png.string(),
                                  "--dump-tree", "-"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back((folder.path() / "g/game.oxf").string());
    const PlayerRun run = RunPlayer(args, folder);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, expectedErr);
    const std::string bytes = ReadFile(png);
    shot = media::DecodePicture("shot.png", std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_EQ(shot.width, 1024);
    dump = run.out;
  }

  Colour At(int x, int y) const { return shot.Row(y)[x] & 0xFFFFFFu; }
};

}  // namespace ox::e2e
