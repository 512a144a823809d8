// A folder of fixture files made for one test and removed after it, named after the test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

class TFixtureFolder {
 public:
  TFixtureFolder() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("velmora-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
             std::to_string(getpid()));
    std::filesystem::create_directories(path_);
  }
  ~TFixtureFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TFixtureFolder(const TFixtureFolder&) = delete;
  TFixtureFolder& operator=(const TFixtureFolder&) = delete;
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
