// The fixture of the simulated machine's own tests: every test starts on a reset machine and may
// use a scratch folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/winsim/control.h"

class FreshMachine : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override {
        if (!m_scratch.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_scratch, ignored);
        }
        winsim::Reset();
    }

    // An empty folder that the test owns; removed when the test ends.
    std::filesystem::path Scratch() {
        if (m_scratch.empty()) {
            const ::testing::TestInfo* test =
                ::testing::UnitTest::GetInstance()->current_test_info();
            m_scratch = std::filesystem::temp_directory_path() /
                        ("winsim-" + std::string(test->test_suite_name()) + "-" + test->name() +
                         "-" + std::to_string(::getpid()));
            std::filesystem::remove_all(m_scratch);
            std::filesystem::create_directories(m_scratch);
        }
        return m_scratch;
    }

  private:
    std::filesystem::path m_scratch;
};
