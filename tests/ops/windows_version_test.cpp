// The Windows 11 decision over version numbers and probe text.
#include "ops/windows_version.h"

#include <gtest/gtest.h>

using taskwing::ClassifyVersion;
using taskwing::OsVersion;
using taskwing::ProbeNamesWindows11;
using taskwing::VersionVerdict;

TEST(ClassifyVersion, OldSystemsAreRefusedWithoutAProbe) {
    const OsVersion old[] = {{5, 0, 2195}, {5, 1, 2600}, {5, 2, 3790}, {6, 0, 6002},
                             {6, 1, 7601}, {6, 2, 9200}, {6, 3, 9600}};
    for (const OsVersion& v : old) {
        EXPECT_EQ(ClassifyVersion(v), VersionVerdict::Refuse) << v.major << "." << v.minor;
    }
    // A server of an old version is refused just the same.
    EXPECT_EQ(ClassifyVersion({6, 3, 9600, false}), VersionVerdict::Refuse);
}

TEST(ClassifyVersion, Windows11BuildsOnAWorkstationNeedNoProbe) {
    EXPECT_EQ(ClassifyVersion({10, 0, 22000, true}), VersionVerdict::Accept);
    EXPECT_EQ(ClassifyVersion({10, 0, 22631, true}), VersionVerdict::Accept);
    EXPECT_EQ(ClassifyVersion({10, 0, 26100, true}), VersionVerdict::Accept);
    EXPECT_EQ(ClassifyVersion({10, 0, 21999, true}), VersionVerdict::Probe);  // last Windows 10 side
    EXPECT_EQ(ClassifyVersion({10, 0, 19045, true}), VersionVerdict::Probe);
}

TEST(ClassifyVersion, ServersAndUnknownPairsAreLeftToTheProbe) {
    EXPECT_EQ(ClassifyVersion({10, 0, 26100, false}), VersionVerdict::Probe);  // Server 2025
    EXPECT_EQ(ClassifyVersion({10, 0, 20348, false}), VersionVerdict::Probe);  // Server 2022
    EXPECT_EQ(ClassifyVersion({11, 0, 30000, true}), VersionVerdict::Probe);
    EXPECT_EQ(ClassifyVersion({6, 4, 9841, true}), VersionVerdict::Probe);
    EXPECT_EQ(ClassifyVersion({4, 0, 1381, true}), VersionVerdict::Probe);
}

TEST(ProbeNamesWindows11, NeedsTheRunAndTheMarker) {
    EXPECT_TRUE(ProbeNamesWindows11(1, L"Status  \r\nMicrosoft Windows 11 专业版|C:\\WINDOWS|\\Device\\Harddisk0\r\n"));
    EXPECT_TRUE(ProbeNamesWindows11(1, L"Windows 11"));
    EXPECT_FALSE(ProbeNamesWindows11(1, L"Microsoft Windows 10 专业版"));
    EXPECT_FALSE(ProbeNamesWindows11(1, L"'WMIC' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n"));
    EXPECT_FALSE(ProbeNamesWindows11(1, L"windows 11"));  // case matters
    EXPECT_FALSE(ProbeNamesWindows11(1, L""));
    EXPECT_FALSE(ProbeNamesWindows11(0, L"Windows 11"));  // text left over from a run that never started
}
