// The Windows side of the Windows 11 decision on the test prefix, which reports Windows 11's build.
#include <gtest/gtest.h>

#include "ops/align_worker.h"
#include "ops/windows_version.h"

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
