#include "platform/files/folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace ox::platform {
namespace {

namespace fs = std::filesystem;

// Sets or clears an environment variable for the length of a test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Folders, UserDataFolderFollowsTheXdgRulesAndTheCommandLine) {
  const ScopedEnv home("HOME", "/home/player");
  {
    const ScopedEnv data("XDG_DATA_HOME", "/data/share");
    EXPECT_EQ(UserDataFolder("MyGame", std::nullopt), fs::path("/data/share/Tarvo/MyGame"));
    EXPECT_EQ(UserDataFolder("MyGame", fs::path("/tmp/u")), fs::path("/tmp/u/Tarvo/MyGame"));
  }
  for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/share"}) {
    const ScopedEnv data("XDG_DATA_HOME", ignored);
    EXPECT_EQ(UserDataFolder("MyGame", std::nullopt),
              fs::path("/home/player/.local/share/Tarvo/MyGame"));
  }
  const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(ConfigFolder(), fs::path("/home/player/.config"));
  const ScopedEnv config2("XDG_CONFIG_HOME", "/etc/xdg-user");
  EXPECT_EQ(ConfigFolder(), fs::path("/etc/xdg-user"));
}

TEST(Folders, RootIdIsGameDataAndIsHandledAsSuch) {
  test_support::TempFolder base;
  fs::create_directories(base.path() / "Tarvo" / "mygame");
  EXPECT_EQ(UserDataFolder("MYGAME", base.path()), base.path() / "Tarvo" / "mygame");
  EXPECT_EQ(UserDataFolder("\xC8\xE3\xF0\xE0", base.path()), base.path() / "Tarvo" / "Игра");
  EXPECT_EQ(UserDataFolder("", base.path()), base.path() / "Tarvo");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(UserDataFolder("..\\..", base.path()));
  EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
  EXPECT_FALSE(fs::exists(base.path() / "Tarvo" / "MYGAME"));  // nothing is created here
}

TEST(Folders, ProgramPathIsTheRunningTestProgram) {
  EXPECT_EQ(ProgramName(), "ox_tests_platform");
  EXPECT_TRUE(fs::is_directory(ProgramFolder()));
  EXPECT_EQ(ProgramFolder() / ProgramName(), ProgramPath());
}

}  // namespace
}  // namespace ox::platform
