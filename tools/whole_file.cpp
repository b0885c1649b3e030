#include "tools/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "form/run_choice.h"
#include "text/translation.h"

namespace switchsim::trace {
namespace {

inline constexpr unsigned kPartNames = 1000000;  // how many names a file being written may take

}  // namespace

std::optional<std::string> WriteWhole(const std::string& path, const std::string& bytes) {
  const auto failure = [&](int error) {
    return Fill(Tr("cannot write {0}: {1}"), {Quoted(path), std::strerror(error)});
  };
  // A name of its own beside the target, so that two writers never share one.
  const std::string part = path + ".part" + std::to_string(std::random_device{}() % kPartNames);
  // "x": never through a file of that name that is already there.
  std::FILE* file = std::fopen(part.c_str(), "wbx");
  if (file == nullptr) return failure(errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int write_error = errno;
  const bool closed = std::fclose(file) == 0;
  std::error_code renamed;
  if (written && closed) std::filesystem::rename(part, path, renamed);
  if (!written || !closed || renamed) {
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    return failure(renamed ? renamed.value() : (written ? errno : write_error));
  }
  return std::nullopt;
}

}  // namespace switchsim::trace
