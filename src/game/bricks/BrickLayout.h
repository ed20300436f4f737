#pragma once
// A round's layout as the playfield needs it until the layouts arrive: a display name, the bricks
// to lay (position and whether the round needs it cleared) and the power-up weights. Loading
// copies the layout registered under the path (RegisterStandIn); there is no file format yet.
//
// The rule a caller must know: Load resets the layout first, so a path nobody registered leaves
// the defaults (no name, no bricks).
#include "foundation/SharedString.h"

#include <cstdint>
#include <vector>

class CBrickLayout
{
public:
    struct Brick
    {
        float m_x = 0.0f;
        float m_y = 0.0f;
        bool m_needed = true;
    };

    void ResetToDefaults();
    // False when no layout is registered under the path.
    bool Load(const char* path);
    // Registers a copy of the layout under the path (as its file would be); always true.
    bool Save(const char* path) const;

    const CSharedString& GetDisplayName() const { return m_displayName; }
    void SetDisplayName(const char* name) { m_displayName.AssignText(name); }
    // The sum of the power-up weights; the kind (counted from 1) whose share of the sum holds r
    // (counted from 0), or 0 when r is past the sum.
    uint32_t GetTotalPowerUpWeight() const;
    uint32_t PickPowerUp(uint32_t r) const;

    std::vector<Brick> m_bricks;
    std::vector<uint32_t> m_powerUpWeights;

    // The registry Load and Save use; how many times Save was called.
    static void RegisterStandIn(const char* path, const CBrickLayout& layout);
    static void ClearStandIns();
    static uint32_t GetSaveCount();

private:
    CSharedString m_displayName;
};
