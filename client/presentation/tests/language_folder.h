// A private language folder named by ORLUSSD_LANGUAGE_DIR for each test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace presentation::testing {

class LanguageFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orlu-language-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("ORLUSSD_LANGUAGE_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("ORLUSSD_LANGUAGE_DIR");
    std::filesystem::remove_all(dir_);
  }
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name) << content;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir_ / name);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path dir_;
};

}  // namespace presentation::testing
