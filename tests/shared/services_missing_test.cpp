// The service operations on a service that is not installed, on whichever machine the tests run.
#include <gtest/gtest.h>

#include "system/services.h"

namespace {

constexpr const char* kMissing = "UninstlibTest Not Installed";

TEST(MissingService, EveryOperationFindsNothingToDo) {
    EXPECT_FALSE(ServiceExists(kMissing));
    EXPECT_FALSE(IsServiceActive(kMissing));
    EXPECT_FALSE(StopServiceAndWait(kMissing));
    EXPECT_FALSE(DeleteStoppedService(kMissing));
    EXPECT_EQ(StartServiceIfStopped(kMissing), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    // Nothing had to be stopped, so nothing failed.
    EXPECT_TRUE(StopAndDeleteService(kMissing));
}

TEST(MissingService, NamesTheManagerRefusesCountAsMissing) {
    EXPECT_FALSE(ServiceExists(""));
    EXPECT_FALSE(ServiceExists("Orvanta\\Paging Server"));
    EXPECT_EQ(StartServiceIfStopped(""), static_cast<DWORD>(ERROR_INVALID_NAME));
}

}  // namespace
