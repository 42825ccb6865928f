#include <gtest/gtest.h>

#include "app/align_worker.h"

TEST(ReadOsVersion, ReportsThePrefixsWindows11Build) {
    const taskwing::OsVersion v = taskwing::ReadOsVersion();
    EXPECT_EQ(v.major, 10u);
    EXPECT_EQ(v.minor, 0u);
    EXPECT_EQ(v.build, 22631u);
    EXPECT_TRUE(v.workstation);
}

TEST(IsSupportedSystem, AcceptsTheWindows11Prefix) {
    // Wine's WMIC cannot answer the probe, so this passes only through the build number.
    CAlignWorker worker;
    EXPECT_TRUE(worker.IsSupportedSystem());
}
