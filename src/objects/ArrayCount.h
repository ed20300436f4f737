#pragma once
// Item counts that array blocks announce in text, and item counts read from binary data. Both come
// from files: a binary count is held to what the rest of the data can carry before anything is
// allocated for it, and the items a text count makes beyond those the text lists are drawn from
// the reading stream's budget (CObjectTextStream::TakeDefaultItems).
#include <cstdint>

class CVirtualFile;

// The bytes between the stream's position and its end (0 when the position is past the end).
uint32_t GetBytesLeft(CVirtualFile& stream);

// The decimal count of a "...Count=" line: negative counts read as 0, counts past the u32 range
// as its largest value.
uint32_t ParseAnnouncedCount(const char* text);
