// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace files {

class TestDir {
 public:
  TestDir()
      : root_(std::filesystem::temp_directory_path() /
              ("ridozod_files_" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(root_);
  }
  ~TestDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  std::string Path(std::string_view name) const { return (root_ / name).string(); }

  // Writes the bytes exactly as given; returns the file's path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = Path(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path root_;
};

}  // namespace files
