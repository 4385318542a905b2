#include "ppj/FileOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plugin {

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Closes the descriptor and removes the new file unless it was put in place.
struct NewFile {
  std::string Path;
  int Descriptor = -1;
  bool Kept = false;
  ~NewFile() {
    if (Descriptor >= 0) close(Descriptor);
    if (!Kept && !Path.empty()) unlink(Path.c_str());
  }
};

bool WriteAll(int descriptor, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC; // write(2) sets no error for a full disk
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// The permissions of the file replaced, or those a new file gets under the umask:
// mkstemp makes its file readable by its owner only.
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  if (stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = "cannot read " + Quoted(path) + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  const bool failed = std::ferror(file) != 0;
  const int readError = errno;
  std::fclose(file);
  if (failed) {
    error = "cannot read " + Quoted(path) + ": " + std::strerror(readError);
    return std::nullopt;
  }
  return bytes;
}

bool ReplaceFileWith(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error) {
  NewFile file;
  std::string pattern = path + ".XXXXXX";
  file.Descriptor = mkstemp(pattern.data());
  if (file.Descriptor >= 0) file.Path = pattern;
  const bool written = file.Descriptor >= 0 && fchmod(file.Descriptor, ModeFor(path)) == 0 &&
                       WriteAll(file.Descriptor, bytes) && fsync(file.Descriptor) == 0;
  const bool closed = written && close(file.Descriptor) == 0;
  if (written) file.Descriptor = -1;
  if (closed && rename(file.Path.c_str(), path.c_str()) == 0) {
    file.Kept = true;
    return true;
  }
  error = "cannot write " + Quoted(path) + ": " + std::strerror(errno);
  return false;
}

bool MakeFolder(const std::string& path, std::string& error) {
  struct stat existing {};
  if (mkdir(path.c_str(), 0777) == 0) return true;
  const int reason = errno;
  if (reason == EEXIST && stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) return true;
  error = "cannot make the folder " + Quoted(path) + ": " +
          (reason == EEXIST ? "a file has its name" : std::strerror(reason));
  return false;
}

bool PathExists(const std::string& path) {
  struct stat existing {};
  return lstat(path.c_str(), &existing) == 0;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace plugin
