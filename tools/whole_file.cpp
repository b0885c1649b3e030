#include "whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "run_choice.h"

namespace switchsim::trace {
namespace {

std::string Failure(const std::string& path, int error) {
  return "cannot write " + Quoted(path) + ": " + std::strerror(error);
}

// Writes all of `bytes` to `fd`; the errno of the failure, or 0.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    // A write cut short (a full disk) tells no reason; the next one does.
    if (written <= 0) return written < 0 ? errno : ENOSPC;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes) {
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Failure(path, errno);
  // The new file gets the permissions a file made the ordinary way would.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int error = ::fchmod(fd, 0666 & ~mask) == 0 ? WriteAll(fd, bytes) : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(name.data(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(name.data());
    return Failure(path, error);
  }
  return std::nullopt;
}

}  // namespace switchsim::trace
