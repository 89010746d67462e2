#include "platform/files/atomic_file.h"

#include <fstream>

#include "platform/core/log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace ox::platform {
namespace fs = std::filesystem;

namespace {

// A temporary file is named after its target, then this mark, then the letters mkstemp picks
// (its template asks for exactly six); mark and length find the files a killed writer left.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kPickedLetters = 6;

bool Fail(const fs::path& target, const std::string& what) {
  LogLine("cannot write " + target.string() + ": " + what);
  return false;
}

bool WriteAll(int fd, std::string_view content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The replacement keeps the permissions of the file it replaces; a new file gets 0644.
mode_t ModeFor(const fs::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  return 0644;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A writer killed between creating its temporary file and the rename leaves the file behind;
// the next write of the same target removes every such file.
void RemoveLeftTemporaries(const fs::path& target) {
  const std::string prefix = target.filename().string() + std::string(kTemporaryMark);
  const std::size_t length = prefix.size() + kPickedLetters;
  std::error_code ec;
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == length && name.starts_with(prefix) && entry.is_regular_file(ec))
      fs::remove(entry.path(), ec);
  }
}

}  // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view content) {
  const fs::path folder = target.parent_path();
  std::error_code ec;
  if (!folder.empty()) fs::create_directories(folder, ec);
  if (ec) return Fail(target, "cannot create its folder: " + ec.message());
  RemoveLeftTemporaries(target);
  const std::string pattern =
      target.string() + std::string(kTemporaryMark) + std::string(kPickedLetters, 'X');
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Fail(target, std::strerror(errno));
  const std::string temporary(name.data());
  const bool written = WriteAll(fd, content) && ::fchmod(fd, ModeFor(target)) == 0 &&
                       ::fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(temporary.c_str());
    return Fail(target, std::strerror(written ? errno : writeErrno));
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int renameErrno = errno;
    ::unlink(temporary.c_str());
    return Fail(target, std::strerror(renameErrno));
  }
  SyncFolder(folder);
  return true;
}

bool EnsureFileExists(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(file, ec)) return true;
  std::filesystem::create_directories(file.parent_path(), ec);
  std::ofstream created(file, std::ios::binary | std::ios::app);
  return static_cast<bool>(created);
}

}  // namespace ox::platform
