#pragma once
// A round layout ("<name>.Vantorel"): the grid picture of palette indices, the palette of brick
// types, per-row offsets, floating bricks, the power-up weights and the background. The playfield
// keeps a current layout, builds its round's bricks from it (BuildRound) and draws power-up kinds
// from its weights (PickPowerUp).
//
// The rule a caller must know: cell (c, r) of the grid lies at (30 + row offset + 32 c, 20 + 18 r);
// a pixel value is a palette index, and palette entry 0 (the "!None" brick) or an index past the
// palette leaves the cell empty.
#include "foundation/LocalizedString.h"
#include "foundation/SharedString.h"
#include "graphics/Frame.h"
#include "objects/Object.h"
#include "objects/Point.h"

#include <cstdint>

class CBrickInfo;
class CFloatingBrick;

class CBrickLayout : public CObject
{
    DECLARE_CLASS_RECORD(CBrickLayout)
    static constexpr uint32_t kColumns = 16;
    static constexpr uint32_t kRows = 22;
    // The most columns or rows a file may give the grid: the field shows 16 columns and about 26
    // rows, and a round walks every cell.
    static constexpr uint32_t kMaxGridSide = 64;
    static constexpr int32_t kOriginX = 30;
    static constexpr int32_t kOriginY = 20;
    static constexpr int32_t kCellWidth = 32;
    static constexpr int32_t kCellHeight = 18;
    // A floating brick's position (relative to the origin) is clamped into these.
    static constexpr float kMinFloatingX = -14.4f;
    static constexpr float kMaxFloatingX = 472.4f;
    static constexpr float kMinFloatingY = -8.099999f;
    static constexpr float kMaxFloatingY = 460.1f;

    CBrickLayout();
    // Deletes the floating bricks.
    ~CBrickLayout() override;

    // The base defaults, then a palette of one entry (no brick), an empty grid and the default
    // weights.
    void SetPropertiesToDefaults() override;
    // Everything back to its defaults.
    void ResetToDefaults() { SetPropertiesToDefaults(); }
    // Reads the layout file (after resetting to the defaults); false, with the defaults, when it
    // cannot be read.
    bool Load(const char* path) { return LoadFromFile(path, 0); }
    // Writes the layout file, rewriting it only when its text differs; false when it cannot.
    bool Save(const char* path) const { return SaveToFile(path, 0); }
    // The round's shown name (translated).
    const CSharedString& GetDisplayName() const { return m_displayName.GetDisplayText(); }
    void SetDisplayName(const char* name) { m_displayName.SetSourceText(CSharedString(name)); }
    // Weights of kinds 0..15: 0, 20, 20, 15, 10, 15, 4, 10, 5, 8, 3, 20, 20, 20, 20, 10.
    void SetDefaultPowerUpWeights();
    // The sum of the weights of kinds 1..15 (kind 0 never takes part), saturated.
    uint32_t GetTotalPowerUpWeight() const;
    // The first kind of 1..15 whose running sum of weights exceeds r; 0 when none does. The
    // caller draws r uniformly below the total.
    uint32_t PickPowerUp(uint32_t r) const;

    // The brick type of a palette index: null for index 0 of the collection, an index past the
    // palette, or an entry past the brick collection.
    CBrickInfo* GetPaletteBrick(uint32_t paletteIndex) const;
    // The palette index in grid cell (c, r); 0 outside the grid.
    uint32_t GetCell(uint32_t column, uint32_t row) const;
    // The offset of the row: its "Rows Offsets" item, 0 past the array.
    int32_t GetRowOffset(uint32_t row) const;
    // Where the brick of cell (c, r) lies.
    CIntPoint GetCellPosition(uint32_t column, uint32_t row) const;
    // Builds the round's bricks in the playfield (nothing without one): empties its bricks,
    // background sprites and foreground, lays a brick in every grid cell whose palette entry names
    // a brick type and one per floating brick whose palette entry does, then applies the
    // background. With hide the bricks start inactive, for the brick layer to reveal, except
    // floating obstacles, which it never visits.
    void BuildRound(bool hide);
    // Makes the background of the index (entry 0 past the end) the playfield's and, at the
    // playfield's background detail level 2, adds its decorations to the foreground and
    // background-sprite lists; the call is recorded while a demo is being recorded.
    static void ApplyBackgroundTheme(uint32_t background);

    // Clamps the floating brick's position into the field (writing it back into the record) and
    // answers where the brick lies: the position plus the origin, truncated.
    static CIntPoint PlaceFloatingBrick(CFloatingBrick& brick);

    CLocalizableText m_displayName; // "Display Name"
    CSharedString m_author;         // "Author"
    uint32_t m_backgroundType;      // "Background Type": an index into the background collection
    uint32_t m_paletteCount;
    uint32_t* m_palette; // "Brick Palette": indices into the brick collection
    uint32_t m_paletteCapacity;
    uint32_t m_rowOffsetCount;
    int32_t* m_rowOffsets; // "Rows Offsets"
    uint32_t m_rowOffsetCapacity;
    bool m_useDefaultWeights;       // "Use Default Power Up Weights"
    CSharedString m_weightComment;  // "Weighting Comment"
    uint32_t m_weightCount;
    uint32_t* m_weights; // "Power Up Weights", one per power-up kind
    uint32_t m_weightCapacity;
    CFrame m_layout; // "Layout": 16 x 22, 8 bits per pixel
    uint32_t m_floatingCount;
    CFloatingBrick** m_floating; // "Floating Bricks"
    uint32_t m_floatingCapacity;
};
