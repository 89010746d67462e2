// Saving on a full disk: a small tmpfs of the test's own (mounted in a mount namespace of a
// child process) is filled, and the save that no longer fits must keep the previous one.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "elements/register_classes.h"
#include "scene/game_root.h"
#include "scene/saved_state.h"
#include "script/var_list.h"
#include "support/temp_folder.h"

namespace ox::scene {
namespace {

namespace fs = std::filesystem;

constexpr int kNoTmpfs = 77;

bool WriteProc(const char* file, const std::string& text) {
  std::ofstream out(file);
  out << text;
  return static_cast<bool>(out.flush());
}

// A mount namespace of its own: as root directly, otherwise inside a user namespace that maps
// the caller to root.
bool OwnMountNamespace() {
  if (::unshare(CLONE_NEWNS) == 0) return true;
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && WriteProc("/proc/self/setgroups", "deny") &&
         WriteProc("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
         WriteProc("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
}

// Runs body in a child with a tmpfs of `bytes` on `disk` and its stderr in `log`; the child's
// exit code is body's result, or kNoTmpfs when no tmpfs could be mounted.
int OnSmallDisk(const fs::path& disk, std::size_t bytes, const fs::path& log, const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::dup2(fd, STDERR_FILENO) < 0) ::_exit(kNoTmpfs);
    if (!OwnMountNamespace() || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", disk.c_str(), "tmpfs", 0, ("size=" + std::to_string(bytes)).c_str()) != 0)
      ::_exit(kNoTmpfs);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SavedStateDisk, AFullDiskKeepsThePreviousSaveAndLogsOneLine) {
  elements::RegisterElementClasses();
  const test_support::TempFolder temp;
  ASSERT_FALSE(temp.path().empty());
  const fs::path& folder = temp.path();
  fs::create_directories(folder / "disk");
  const int result = OnSmallDisk(folder / "disk", 64 * 1024, folder / "stderr.txt", [&] {
    TOxDB root;
    const fs::path save = folder / "disk" / "state.dat";
    root.EnsureVars().AddVar(script::TVar{"P", script::Value::String(std::string(20000, 'a'))});
    if (!SaveState(root, save)) return 1;
    const std::string previous = test_support::ReadFile(save);
    std::ofstream filler(folder / "disk" / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
    }
    filler.close();
    fs::resize_file(folder / "disk" / "filler", fs::file_size(folder / "disk" / "filler") - 12000);
    root.Vars()->SetValue("P", script::Value::String(std::string(30000, 'b')));
    if (SaveState(root, save)) return 2;
    if (test_support::ReadFile(save) != previous) return 3;
    for (const auto& entry : fs::directory_iterator(folder / "disk"))
      if (entry.path().filename() != "state.dat" && entry.path().filename() != "filler") return 4;
    return 0;
  });
  const std::string log = test_support::ReadFile(folder / "stderr.txt");
  if (result == kNoTmpfs) GTEST_SKIP() << "no tmpfs can be mounted here";
  EXPECT_EQ(result, 0) << "1: the first save failed, 2: the save that does not fit succeeded, "
                          "3: the previous save changed, 4: something was left beside it";
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  EXPECT_NE(log.find("No space left on device"), std::string::npos) << log;
}

}  // namespace
}  // namespace ox::scene
