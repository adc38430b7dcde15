// A folder of its own for a test that writes files, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace quarne {

class TestOrdner {
 public:
  TestOrdner() {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    pfad_ = std::filesystem::temp_directory_path() /
            ("quarne_" + name + "_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(pfad_);
  }
  ~TestOrdner() {
    std::error_code fehler;
    std::filesystem::permissions(pfad_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, fehler);
    std::filesystem::remove_all(pfad_, fehler);
  }
  TestOrdner(const TestOrdner&) = delete;
  TestOrdner& operator=(const TestOrdner&) = delete;

  std::filesystem::path operator/(const std::string& name) const { return pfad_ / name; }
  const std::filesystem::path& Pfad() const { return pfad_; }

  // The names of the files in the folder, sorted.
  std::vector<std::string> Namen() const {
    std::vector<std::string> namen;
    for (const auto& e : std::filesystem::directory_iterator(pfad_))
      namen.push_back(e.path().filename().string());
    std::sort(namen.begin(), namen.end());
    return namen;
  }

 private:
  std::filesystem::path pfad_;
};

}  // namespace quarne
