#pragma once
// File times: 64-bit FILETIME values (100-ns intervals since 1601-01-01 UTC), the DOS date and
// time words of zip entries, and the times of disk files. DOS words hold local time, both when
// they are made and when they are read, so a rewritten entry keeps the time it was given.
#include <cstdint>

// The FILETIME of the Unix epoch, 1970-01-01 UTC.
constexpr uint64_t kFileTimeOfUnixEpoch = 116444736000000000ull;

// Which time of a disk file: the 'which' value of GetDiskFileTime and the bits of SetDiskFileTime.
enum : uint32_t
{
    FILE_TIME_CREATION = 1,
    FILE_TIME_LAST_ACCESS = 2,
    FILE_TIME_LAST_WRITE = 4,
};

// (seconds + 11644473600) x 10^7 + nanoseconds / 100; 0 for times before 1601.
uint64_t UnixTimeToFileTime(int64_t seconds, int32_t nanoseconds);
void FileTimeToUnixTime(uint64_t fileTime, int64_t& seconds, int32_t& nanoseconds);

// The platform's wall clock (which a test may fix) as a FILETIME.
uint64_t GetCurrentFileTime();
// The current local time as DOS date and time words (2-second steps, years 1980 to 2107).
void GetCurrentDosDateTime(uint16_t& date, uint16_t& time);
// The DOS date and time taken as local time, as a UTC FILETIME; 0 for an impossible date or time.
uint64_t DosDateTimeToUtcFileTime(uint16_t date, uint16_t time);

// The creation (which = 1), last-access (2) or last-write (any other value) time of an existing
// file; 0 when it is missing or no file. The creation time is the birth time where the file
// system keeps one, else the last-write time.
uint64_t GetDiskFileTime(const char* path, uint32_t which);
// Sets the last-access (bit 2) and last-write (bit 4) times of an existing, writable file to the
// one value; the creation time (bit 1) cannot be set and is left alone. True on success.
bool SetDiskFileTime(const char* path, uint64_t time, uint32_t whichBits);
