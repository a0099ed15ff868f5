// Starting a program that the machine does not have, on whichever machine the tests run.
#include <gtest/gtest.h>

#include "system/programs.h"

namespace {

TEST(RunAndWait, ProgramThatDoesNotExistGivesFileNotFound) {
    char missingFile[] = "C:\\WINDOWS\\uninstlib-no-such-program.exe /q";
    EXPECT_EQ(RunAndWait(missingFile), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    char missingFolder[] = "C:\\UninstlibNoSuchFolder\\ovconcmd \"t ovagent q\" MAIL01";
    EXPECT_EQ(RunAndWait(missingFolder), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
