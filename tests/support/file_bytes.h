#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tsumiki::testing {

// Every byte of a file; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tsumiki::testing
