// Test fixture: each kestrel.cfg test runs in a fresh empty working directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

static const char DEFAULT_FILE[] = "New Corvo Board\nNONE\n0\n0\n0\n00000000\n1\n1\n0\n2\n0\n2\n"
                                   "3e8\n3e8\n1000\n8000\n0\n1\n0\n1\n";

class ConfigDir : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        dir_ = fs::temp_directory_path() /
               ("kestrel_cfg_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    static void WriteFile(const std::string& bytes, const char* name = "kestrel.cfg") {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string ReadFile(const char* name = "kestrel.cfg") {
        std::ifstream in(name, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    fs::path previous_;
    fs::path dir_;
};
