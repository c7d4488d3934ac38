#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace wrenhollow::test {

// A folder of the test's own under the system's temporary folder, removed with everything in it at the end;
// a random part keeps parallel runs apart.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    path_ = std::filesystem::temp_directory_path() / ("wrenhollow_" + name + "_" + std::to_string(random()));
    std::error_code error;
    std::filesystem::create_directories(path_, error);
    EXPECT_FALSE(error) << path_;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  void MakeFolder(const std::string& name) const {
    std::error_code error;
    std::filesystem::create_directories(path_ / name, error);
    EXPECT_FALSE(error) << name;
  }
  // The file's bytes, or nothing when it does not exist.
  std::optional<std::string> Get(const std::string& name) const {
    std::ifstream file(path_ / name, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

}  // namespace wrenhollow::test
