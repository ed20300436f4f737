#pragma once
// The starting points the new-game dialog offers: every checkpoint of every round set, set by set
// in the collection's order, checkpoint by checkpoint.
#include <cstdint>
#include <vector>

class CFrame;

struct CheckPointEntry
{
    uint32_t set = 0;
    uint32_t checkPoint = 0;
    // The round within the set, from 0.
    uint32_t roundNumber = 0;
    // The first frame of the checkpoint's picture; null for none.
    CFrame* image = nullptr;
};

std::vector<CheckPointEntry> ListCheckPoints();
