#pragma once
// A folder of its own for each test of the commands, removed with everything in it
// afterwards, and the streams the commands write to.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

class CommandFolder : public ::testing::Test {
protected:
  void SetUp() override {
    std::random_device random;
    do {
      Dir = std::filesystem::temp_directory_path() /
            ("ppj-test-" + std::to_string(random()) + "-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(Dir));
  }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(Dir, error);
  }

  std::string PathOf(const std::string& name) const { return (Dir / name).string(); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(Dir / name, std::ios::binary) << text;
  }
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    Write(name, std::string(bytes.begin(), bytes.end()));
  }
  std::string Read(const std::string& name) const {
    std::ifstream file(Dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  // The names in the folder, or in one of its folders.
  std::set<std::string> Names(const std::string& folder = {}) const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Dir / folder))
      names.insert(entry.path().filename().string());
    return names;
  }

  std::filesystem::path Dir;
  std::ostringstream Out, Err;
};
