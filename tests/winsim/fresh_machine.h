// What the simulated machine's own tests share: a reset machine for every test, a scratch folder
// of the test's own, host files written and read whole, and the code a Win32 call leaves.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/winsim/control.h"

class FreshMachine : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_scratch, ignored);
        winsim::Reset();
    }

    // An empty host folder that the test owns; removed when the test ends.
    std::filesystem::path Scratch() {
        if (m_scratch.empty()) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            m_scratch = std::filesystem::temp_directory_path() /
                        ("winsim-" + std::string(test->name()) + "-" + std::to_string(getpid()));
            std::filesystem::remove_all(m_scratch);
            std::filesystem::create_directories(m_scratch);
        }
        return m_scratch;
    }

    static std::string ReadText(const std::filesystem::path& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
    // Written with its folders made on the way; a relative path lies below the machine's C:.
    static void WriteText(const std::filesystem::path& path, const std::string& text = "x") {
        const std::filesystem::path full = std::filesystem::path(winsim::DriveFolder('C')) / path;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << text;
    }

    // The last error a failed call left; 0 when it succeeded.
    template <typename Call>
    static DWORD ErrorOf(Call call) {
        SetLastError(0);
        return call() ? 0 : GetLastError();
    }

  private:
    std::filesystem::path m_scratch;
};
