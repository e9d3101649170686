#include "platform/file_system.h"
#include "platform/find_enumeration.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string_view>

#include "platform/posix/gbk_edge.h"
#include "platform/run_error.h"

namespace platform {

struct FindState {
  DIR* dir = nullptr;
  std::string namePattern;  // UTF-8, the part after the last separator
};

namespace {

// A path of the system (code page 936, "\" separators) as the operating system takes it.
// Converted first, so that a "\" that is the second byte of a two-byte character is never
// taken for a separator (UTF-8 never uses bytes below 0x80 inside a character).
std::string osPath(std::string_view systemPath) {
  std::string path = posix::systemToUtf8(systemPath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// A bare name the system can address: one that crosses the edge and back unchanged. A name
// holding "\" or bytes that are not UTF-8 would come back as another name.
bool nameCrossesEdge(std::string_view osName, const std::string& systemName) {
  return osName.find('\\') == std::string_view::npos && posix::systemToUtf8(systemName) == osName;
}

char foldAsciiCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Bytes taken by the UTF-8 character that starts at `text[at]` (1 for a stray byte).
std::size_t utf8CharLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  std::size_t end = at + 1;
  while (end < text.size() && end < at + length &&
         (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    ++end;
  }
  return end - at;
}

// Wildcard match as the folder enumeration does it: "*" any run, "?" one character, letters
// without regard to case.
bool wildcardMatches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starAt = std::string_view::npos, resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += utf8CharLength(name, n);
    } else if (p < pattern.size() && foldAsciiCase(pattern[p]) == foldAsciiCase(name[n])) {
      ++p;
      ++n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      resumeAt += utf8CharLength(name, resumeAt);
      n = resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool isDirectoryEntry(DIR* dir, const char* name) {
  struct stat info {};
  if (fstatat(dirfd(dir), name, &info, 0) != 0 &&
      fstatat(dirfd(dir), name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
    return false;
  }
  return S_ISDIR(info.st_mode);
}

}  // namespace

FindHandle openFind(const char* systemPattern) {
  const std::string pattern = osPath(systemPattern);
  const std::size_t slash = pattern.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : pattern.substr(0, slash);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return nullptr;
  auto* state = new (std::nothrow) FindState;
  if (state == nullptr) endWithAllocationFailure(sizeof(FindState));
  state->dir = dir;
  state->namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  return state;
}

std::string nextMatch(FindState& state) {
  while (const dirent* entry = readdir(state.dir)) {
    const std::string_view name = entry->d_name;
    if (!wildcardMatches(state.namePattern, name) || isDirectoryEntry(state.dir, entry->d_name)) {
      continue;
    }
    std::string systemName = posix::utf8ToSystem(name);
    if (nameCrossesEdge(name, systemName)) return systemName;
  }
  return {};
}

namespace {

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A fresh file beside the target, so that the final rename stays within one folder.
int openTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static unsigned counter = 0;
  const std::string folder = folderOf(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = folder + "/.cacheconv-" + std::to_string(getpid()) + "-" +
                    std::to_string(++counter) + ".part";
    const int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Where the copy is written: the target itself when it does not exist yet (made here, so
// removing it after a failure loses nothing), else a fresh file beside it that replaces it
// only once the copy is whole.
int openWritePlace(const std::string& target, std::string& writtenPath) {
  const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0 || errno != EEXIST) {
    writtenPath = target;
    return fd;
  }
  return openTemporaryBeside(target, writtenPath);
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool copyByReadAndWrite(int from, int to) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!writeAll(to, buffer, static_cast<std::size_t>(got))) return false;
  }
}

// In the kernel where it can (as cp does), else through a buffer.
bool copyContents(int from, int to) {
  bool copiedAny = false;
  for (;;) {
    const ssize_t copied = copy_file_range(from, nullptr, to, nullptr, std::size_t{1} << 30, 0);
    if (copied == 0) return true;
    if (copied > 0) {
      copiedAny = true;
      continue;
    }
    if (errno == EINTR) continue;
    const bool unsupported = errno == ENOSYS || errno == EXDEV || errno == EINVAL ||
                             errno == EOPNOTSUPP || errno == EBADF;
    return unsupported && !copiedAny && copyByReadAndWrite(from, to);
  }
}

// A target the copy may replace: none yet, or a file we may write that is not the source.
// A read-only target (no write bit at all, which even a superuser's copy respects, like the
// read-only attribute on Windows) or one we may not write makes the copy fail.
bool targetReplaceable(const std::string& target, const struct stat& source) {
  struct stat info {};
  if (lstat(target.c_str(), &info) != 0) return errno == ENOENT;
  if (S_ISDIR(info.st_mode)) return false;
  if (info.st_dev == source.st_dev && info.st_ino == source.st_ino) return false;
  if (S_ISLNK(info.st_mode)) return true;  // the link itself is replaced, not what it names
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(target.c_str(), W_OK) == 0;
}

}  // namespace

void closeFind(FindHandle& handle) {
  if (handle == nullptr) return;
  closedir(handle->dir);
  delete handle;
  handle = nullptr;
}

bool copyFile(const char* source, const char* target) {
  const std::string from = osPath(source == nullptr ? "" : source);
  const std::string to = osPath(target == nullptr ? "" : target);
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat info {};
  std::string written;
  int out = -1;
  bool copied = fstat(in, &info) == 0 && S_ISREG(info.st_mode) && targetReplaceable(to, info) &&
                (out = openWritePlace(to, written)) >= 0 && copyContents(in, out);
  if (out >= 0) copied = (close(out) == 0) && copied;
  close(in);
  if (copied && written != to) copied = rename(written.c_str(), to.c_str()) == 0;
  if (!copied && out >= 0) unlink(written.c_str());
  return copied;
}

bool isFolder(const char* path) {
  struct stat info {};
  return path != nullptr && stat(osPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace platform
