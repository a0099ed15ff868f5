// Directory trees for the file-removal tests, made through the Win32 file functions alone so that
// the same test runs against the simulated machine and under Wine: a scratch directory on C:
// that the fixture makes empty before each test and takes away after it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"

namespace files_tree {

// Makes the directories on the way too. A read-only file gets the bit when it is made.
void MakeFile(const std::string& path, bool readOnly = false);
void MakeDirectory(const std::string& path);
bool Exists(const std::string& path);

class ScratchTree : public ::testing::Test {
  protected:
    static constexpr const char* kRoot = "C:\\UninstlibFiles";

    void SetUp() override;
    void TearDown() override;

    // The Windows path of a file or directory below the scratch directory.
    static std::string PathOf(const std::string& relative) {
        return std::string(kRoot) + "\\" + relative;
    }
};

}  // namespace files_tree
