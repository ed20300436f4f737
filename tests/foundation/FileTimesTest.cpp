#include "FileTestHelpers.h"
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "platform/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>

namespace {

using filetest::WorkFolder;
using testsupport::RunCommand;
using testsupport::WriteFileBytes;

// 2001-02-03 04:05:06 UTC.
constexpr uint64_t kFileTime20010203 = 126256467060000000ull;

// Sets the TZ variable for the scope of a test.
class TimeZone
{
public:
    explicit TimeZone(const char* zone)
    {
        const char* old = std::getenv("TZ");
        m_hadOld = old != nullptr;
        if (old)
            m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZone()
    {
        if (m_hadOld)
            ::setenv("TZ", m_old.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    bool m_hadOld = false;
    std::string m_old;
};

TEST(FileTimes, FileTimeCountsTenthsOfMicrosecondsSince1601)
{
    EXPECT_EQ(UnixTimeToFileTime(0, 0), kFileTimeOfUnixEpoch);
    EXPECT_EQ(UnixTimeToFileTime(981173106, 0), kFileTime20010203);
    EXPECT_EQ(UnixTimeToFileTime(981173106, 123456789), kFileTime20010203 + 1234567);
    EXPECT_EQ(UnixTimeToFileTime(-11644473600, 0), 0u);
    EXPECT_EQ(UnixTimeToFileTime(-11644473601, 0), 0u);

    int64_t seconds = 0;
    int32_t nanoseconds = 0;
    FileTimeToUnixTime(kFileTime20010203 + 1234567, seconds, nanoseconds);
    EXPECT_EQ(seconds, 981173106);
    EXPECT_EQ(nanoseconds, 123456700);

    const uint64_t now = GetCurrentFileTime();
    const uint64_t expected = UnixTimeToFileTime(std::time(nullptr), 0);
    EXPECT_LE(now > expected ? now - expected : expected - now, 20000000u);
}

TEST(FileTimes, FixedWallClockGivesRepeatableTimes)
{
    platform::FixWallClock(1700000000, 123456789);
    const uint64_t fixed = GetCurrentFileTime();
    const uint64_t again = GetCurrentFileTime();
    platform::FixWallClock(-1, 999999999); // just before 1970
    const uint64_t beforeEpoch = GetCurrentFileTime();
    platform::UnfixWallClock();
    EXPECT_EQ(fixed, (1700000000ull + 11644473600ull) * 10000000ull + 1234567);
    EXPECT_EQ(again, fixed);
    EXPECT_EQ(beforeEpoch, kFileTimeOfUnixEpoch - 1);
    const uint64_t now = GetCurrentFileTime();
    const uint64_t expected = UnixTimeToFileTime(std::time(nullptr), 0);
    EXPECT_LE(now > expected ? now - expected : expected - now, 20000000u);
}

TEST(FileTimes, TouchedFileReadsBackAsItsFileTime)
{
    WorkFolder work;
    WriteFileBytes("Stats.dat", "x");
    ASSERT_EQ(0, RunCommand("touch -d '2001-02-03 04:05:06 UTC' Stats.dat"));
    EXPECT_EQ(GetDiskFileTime("Stats.dat", FILE_TIME_LAST_WRITE), kFileTime20010203);
    EXPECT_EQ(GetDiskFileTime("STATS.DAT", 0), kFileTime20010203) << "any other value means the last write";
    EXPECT_EQ(CFileSystem::GetFileTimeStamp("stats.dat", 0, FILE_TIME_LAST_WRITE), kFileTime20010203);

    ASSERT_EQ(0, RunCommand("touch -a -d '2001-02-03 04:05:06.5 UTC' Stats.dat"));
    EXPECT_EQ(GetDiskFileTime("Stats.dat", FILE_TIME_LAST_ACCESS), kFileTime20010203 + 5000000);

    EXPECT_EQ(GetDiskFileTime("missing.dat", FILE_TIME_LAST_WRITE), 0u);
    ASSERT_EQ(0, ::mkdir("Folder", 0777));
    EXPECT_EQ(GetDiskFileTime("Folder", FILE_TIME_LAST_WRITE), 0u) << "a folder is no file";
}

TEST(FileTimes, CreationTimeIsTheBirthTimeWhereKept)
{
    WorkFolder work;
    WriteFileBytes("f.bin", "x");
    ASSERT_EQ(0, RunCommand("touch -d '2001-02-03 04:05:06 UTC' f.bin"));
    // stat prints 0 (or '-') when the file system keeps no birth time.
    ASSERT_EQ(0, RunCommand("stat -c %W f.bin > birth.txt"));
    const long long birth = std::atoll(testsupport::ReadFileBytes(work / "birth.txt").c_str());
    const uint64_t created = GetDiskFileTime("f.bin", FILE_TIME_CREATION);
    if (birth > 0) {
        const uint64_t expected = UnixTimeToFileTime(birth, 0);
        EXPECT_GE(created, expected);
        EXPECT_LT(created, expected + 10000000);
    } else {
        EXPECT_EQ(created, kFileTime20010203);
    }
}

TEST(FileTimes, SetTimesReadBackExactly)
{
    WorkFolder work;
    WriteFileBytes("f.bin", "x");
    const uint64_t time = kFileTime20010203 + 1234567; // to the 100 ns
    EXPECT_TRUE(SetDiskFileTime("F.BIN", time, FILE_TIME_LAST_WRITE));
    EXPECT_EQ(GetDiskFileTime("f.bin", FILE_TIME_LAST_WRITE), time);

    const uint64_t access = time + 10000000;
    EXPECT_TRUE(CFileSystem::SetFileTimeStamp("f.bin", access, 0, FILE_TIME_LAST_ACCESS));
    EXPECT_EQ(CFileSystem::GetFileTimeStamp("f.bin", 0, FILE_TIME_LAST_ACCESS), access);
    EXPECT_EQ(CFileSystem::GetFileTimeStamp("f.bin", 0, FILE_TIME_LAST_WRITE), time) << "write time untouched";

    EXPECT_TRUE(SetDiskFileTime("f.bin", kFileTime20010203, FILE_TIME_LAST_WRITE | FILE_TIME_LAST_ACCESS));
    EXPECT_EQ(GetDiskFileTime("f.bin", FILE_TIME_LAST_ACCESS), kFileTime20010203);
    EXPECT_EQ(GetDiskFileTime("f.bin", FILE_TIME_LAST_WRITE), kFileTime20010203);

    // The creation time cannot be set; asking for it alone changes nothing.
    const uint64_t created = GetDiskFileTime("f.bin", FILE_TIME_CREATION);
    EXPECT_TRUE(SetDiskFileTime("f.bin", time, FILE_TIME_CREATION));
    EXPECT_EQ(GetDiskFileTime("f.bin", FILE_TIME_CREATION), created);
    EXPECT_EQ(GetDiskFileTime("f.bin", FILE_TIME_LAST_WRITE), kFileTime20010203);

    EXPECT_FALSE(SetDiskFileTime("missing.bin", time, FILE_TIME_LAST_WRITE));
    ASSERT_EQ(0, ::chmod("f.bin", 0444));
    EXPECT_FALSE(SetDiskFileTime("f.bin", time, FILE_TIME_LAST_WRITE)) << "a read-only file does not open for writing";
    EXPECT_EQ(GetDiskFileTime("f.bin", FILE_TIME_LAST_WRITE), kFileTime20010203);
}

TEST(FileTimes, DosDateAndTimeAreLocalTimeBothWays)
{
    TimeZone zone("XST-5:30"); // 5 h 30 min east of UTC, no daylight saving
    // 2001-02-03 04:05:06 local is 2001-02-02 22:35:06 UTC.
    const uint16_t date = ((2001 - 1980) << 9) | (2 << 5) | 3;
    const uint16_t time = (4 << 11) | (5 << 5) | (6 / 2);
    EXPECT_EQ(DosDateTimeToUtcFileTime(date, time), kFileTime20010203 - 19800ull * 10000000);

    // What is written now reads back as now (to the 2-second step), not shifted by the zone.
    uint16_t nowDate = 0;
    uint16_t nowTime = 0;
    const uint64_t before = GetCurrentFileTime();
    GetCurrentDosDateTime(nowDate, nowTime);
    const uint64_t read = DosDateTimeToUtcFileTime(nowDate, nowTime);
    EXPECT_LE(read, before + 10000000);
    EXPECT_GE(read + 30000000, before);
}

TEST(FileTimes, DosTimesFollowTheDaylightSavingOfTheirDate)
{
    TimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    // 2001-07-01 12:00:00 local summer time is 10:00:00 UTC; 2001-01-01 12:00 winter is 11:00 UTC.
    const uint16_t summer = ((2001 - 1980) << 9) | (7 << 5) | 1;
    const uint16_t winter = ((2001 - 1980) << 9) | (1 << 5) | 1;
    const uint16_t noon = 12 << 11;
    EXPECT_EQ(DosDateTimeToUtcFileTime(summer, noon), UnixTimeToFileTime(993981600, 0));
    EXPECT_EQ(DosDateTimeToUtcFileTime(winter, noon), UnixTimeToFileTime(978346800, 0));
}

TEST(FileTimes, ImpossibleDosValuesGiveNoTime)
{
    EXPECT_EQ(DosDateTimeToUtcFileTime(0, 0), 0u) << "month and day 0";
    const uint16_t date = ((2001 - 1980) << 9) | (13 << 5) | 1;
    EXPECT_EQ(DosDateTimeToUtcFileTime(date, 0), 0u);
    const uint16_t good = ((2001 - 1980) << 9) | (1 << 5) | 1;
    EXPECT_EQ(DosDateTimeToUtcFileTime(good, 24 << 11), 0u);
    EXPECT_EQ(DosDateTimeToUtcFileTime(good, 60 << 5), 0u);
    EXPECT_EQ(DosDateTimeToUtcFileTime(good, 30), 0u) << "60 seconds";
    EXPECT_NE(DosDateTimeToUtcFileTime(good, 0), 0u);
}

} // namespace
