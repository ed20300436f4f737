#pragma once
// Item counts that array blocks announce in text, and item counts read from binary data. Both come
// from files, so both are bounded before anything is allocated for them.
#include <cstdint>

class CVirtualFile;

// The bytes between the stream's position and its end (0 when the position is past the end).
uint32_t GetBytesLeft(CVirtualFile& stream);

// The decimal count of a "...Count=" line (negative counts read as 0), at most 65536 items or, when
// the stream holds more, one item per byte left: a real file never announces more items than that,
// and a damaged count must not make an array of absurd size.
uint32_t ParseAnnouncedCount(const char* text, CVirtualFile& stream);
