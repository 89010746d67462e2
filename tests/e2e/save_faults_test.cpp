// Saves under faults: a game that saves every tick is killed at random moments, and the save it
// leaves must always be a whole one; temporary files of killed saves go with the next save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <optional>
#include <random>
#include <thread>

#include "gamefile/game_file_writer.h"
#include "player_run.h"

namespace ox::e2e {
namespace {

namespace fs = std::filesystem;
using gamefile::Node;

constexpr std::size_t kPaddingSize = 10u << 14;  // "0123456789" doubled 14 times

// The game: its Init makes a large variable, its screen saves every tick.
Node SavingGame() {
  std::string init = "N := 0; P := '0123456789';";
  for (int i = 0; i < 14; ++i) init += " P := P + P;";
  Node game = Node::Of("TOxDB").Set("Key", 1).Set("Id", "Game").Set("InitScreen", 2)
                  .Set("FileRS", "save\\state.dat").Set("exInit", init.c_str());
  game.Add(Node::Of("TOxScreen").Set("Key", 2).Set("Id", "Main").Set("exProcess", "OXDB.N := OXDB.N + 1; SaveState"));
  return game;
}

struct Record {
  std::string name;
  char type = 0;
  std::string value;
};

// The records of a saved state, or nothing when the file does not end with a whole record.
std::optional<std::vector<Record>> ParseSave(const std::string& bytes) {
  std::vector<Record> records;
  std::size_t at = 0;
  auto int32 = [&](std::int32_t& out) {
    if (bytes.size() - at < 4) return false;
    std::memcpy(&out, bytes.data() + at, 4);
    at += 4;
    return true;
  };
  auto take = [&](std::size_t n, std::string& out) {
    if (bytes.size() - at < n) return false;
    out = bytes.substr(at, n);
    at += n;
    return true;
  };
  while (at < bytes.size()) {
    Record r;
    std::int32_t key = 0, length = 0;
    std::string type;
    if (!int32(key) || !int32(length) || length < 0 || !take(static_cast<std::size_t>(length), r.name) ||
        !take(1, type))
      return std::nullopt;
    r.type = type[0];
    const std::size_t sizes[] = {4, 10, 2, 4};
    const char* kinds = "IEWO";
    if (const char* k = std::strchr(kinds, r.type); k != nullptr && r.type != 0) {
      if (!take(sizes[k - kinds], r.value)) return std::nullopt;
    } else if (r.type == 'S') {
      if (!int32(length) || length < 0 || !take(static_cast<std::size_t>(length), r.value)) return std::nullopt;
    } else {
      return std::nullopt;
    }
    records.push_back(std::move(r));
  }
  return records;
}

const Record* Find(const std::vector<Record>& records, const std::string& name) {
  for (const Record& r : records)
    if (r.name == name) return &r;
  return nullptr;
}

int LeftTemporaries(const fs::path& folder) {
  int count = 0;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    count += entry.path().filename().string().starts_with("state.dat.tmp-") ? 1 : 0;
  return count;
}

TEST(SaveFaults, AKilledGameAlwaysLeavesAWholeSaveAndTheNextSaveClearsWhatTheKillLeft) {
  TempFolder folder;
  const auto game = folder.Write("game/game.oxf", gamefile::WriteGameFile(SavingGame()));
  const fs::path saves = folder.path() / "user/Tarvo/Game/save";
  const std::vector<std::string> args{"--headless", "--ticks", "100000000", "--user-dir",
                                      (folder.path() / "user").string(), game.string()};
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> moment(0, 250);
  std::int64_t lastCount = -1;
  int killedWithTemporary = 0, kills = 0;
  fs::file_time_type lastSave = fs::file_time_type::min();  // what last_write_time gives for no file
  for (; kills < 20; ++kills) {
    const pid_t pid = StartPlayer(args);
    ASSERT_GT(pid, 0);
    // The kill falls at a random moment after the run's first save, while it saves every tick
    // (loading the game makes the file empty when there is none).
    std::error_code ec;
    auto saved = [&] {
      return fs::last_write_time(saves / "state.dat", ec) != lastSave && fs::file_size(saves / "state.dat", ec) > 0;
    };
    for (int waited = 0; waited < 3000 && !saved(); ++waited) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    lastSave = fs::last_write_time(saves / "state.dat", ec);
    const auto records = ParseSave(ReadFile(saves / "state.dat"));
    ASSERT_TRUE(records.has_value()) << "kill " << kills << ": the save is cut short";
    const Record* padding = Find(*records, "P");
    const Record* count = Find(*records, "N");
    ASSERT_TRUE(padding != nullptr && count != nullptr) << "kill " << kills << ": " << records->size() << " records";
    EXPECT_EQ(padding->value.size(), kPaddingSize);
    std::int32_t n = 0;
    std::memcpy(&n, count->value.data(), 4);
    lastCount = n;
    killedWithTemporary += LeftTemporaries(saves) > 0 ? 1 : 0;
  }
  EXPECT_GT(lastCount, 0);
  std::cout << kills << " kills, " << killedWithTemporary << " left a temporary file\n";
  // One left temporary file at least, whether or not a kill left one, for the next save to clear.
  test_support::WriteFile(saves / "state.dat.tmp-abcdef", "left by a killed save");
  ASSERT_GT(LeftTemporaries(saves), 0);

  const PlayerRun run = RunPlayer({"--headless", "--ticks", "200", "--user-dir", (folder.path() / "user").string(),
                                   game.string()},
                                  folder);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(LeftTemporaries(saves), 0);
  EXPECT_TRUE(ParseSave(ReadFile(saves / "state.dat")).has_value());
}

}  // namespace
}  // namespace ox::e2e
