#include "foundation/FileTimes.h"

#include "platform/Files.h"
#include "platform/Time.h"

#include <ctime>

namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr uint64_t kTicksPerSecond = 10000000;

platform::FileTime ToPlatformTime(uint64_t fileTime)
{
    platform::FileTime out;
    FileTimeToUnixTime(fileTime, out.seconds, out.nanoseconds);
    return out;
}

uint64_t FromPlatformTime(const platform::FileTime& time)
{
    return UnixTimeToFileTime(time.seconds, time.nanoseconds);
}

} // namespace

uint64_t UnixTimeToFileTime(int64_t seconds, int32_t nanoseconds)
{
    if (seconds < -kSecondsFrom1601To1970)
        return 0;
    return static_cast<uint64_t>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond +
           static_cast<uint64_t>(nanoseconds) / 100;
}

void FileTimeToUnixTime(uint64_t fileTime, int64_t& seconds, int32_t& nanoseconds)
{
    seconds = static_cast<int64_t>(fileTime / kTicksPerSecond) - kSecondsFrom1601To1970;
    nanoseconds = static_cast<int32_t>(fileTime % kTicksPerSecond) * 100;
}

uint64_t GetCurrentFileTime()
{
    int64_t seconds = 0;
    int32_t nanoseconds = 0;
    platform::GetWallClock(seconds, nanoseconds);
    return UnixTimeToFileTime(seconds, nanoseconds);
}

void GetCurrentDosDateTime(uint16_t& date, uint16_t& time)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    platform::ToLocalCalendarTime(static_cast<int64_t>(now), local);
    int year = local.tm_year + 1900;
    if (year < 1980) {
        date = (1 << 5) | 1;
        time = 0;
        return;
    }
    if (year > 2107) {
        date = static_cast<uint16_t>((127 << 9) | (12 << 5) | 31);
        time = static_cast<uint16_t>((23 << 11) | (59 << 5) | 29);
        return;
    }
    date = static_cast<uint16_t>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    time = static_cast<uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
}

uint64_t DosDateTimeToUtcFileTime(uint16_t date, uint16_t time)
{
    const int day = date & 31;
    const int month = (date >> 5) & 15;
    const int year = 1980 + (date >> 9);
    const int seconds = (time & 31) * 2;
    const int minutes = (time >> 5) & 63;
    const int hours = time >> 11;
    if (day < 1 || month < 1 || month > 12 || hours > 23 || minutes > 59 || seconds > 59)
        return 0;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hours;
    local.tm_min = minutes;
    local.tm_sec = seconds;
    local.tm_isdst = -1; // the offset in force on that date
    const std::time_t utc = std::mktime(&local);
    if (utc == static_cast<std::time_t>(-1))
        return 0;
    return UnixTimeToFileTime(utc, 0);
}

uint64_t GetDiskFileTime(const char* path, uint32_t which)
{
    platform::FileInfo info;
    if (!path || !platform::GetFileInfo(path, info) || info.isDirectory)
        return 0;
    if (which == FILE_TIME_CREATION)
        return FromPlatformTime(info.created);
    if (which == FILE_TIME_LAST_ACCESS)
        return FromPlatformTime(info.accessed);
    return FromPlatformTime(info.modified);
}

bool SetDiskFileTime(const char* path, uint64_t time, uint32_t whichBits)
{
    platform::FileInfo info;
    // The file must be one that could be opened for writing.
    if (!path || !platform::GetFileInfo(path, info) || info.isDirectory || info.readOnly)
        return false;
    const platform::FileTime value = ToPlatformTime(time);
    const bool access = (whichBits & FILE_TIME_LAST_ACCESS) != 0;
    const bool write = (whichBits & FILE_TIME_LAST_WRITE) != 0;
    if (!access && !write)
        return true;
    return platform::SetFileTimes(path, access ? &value : nullptr, write ? &value : nullptr);
}
