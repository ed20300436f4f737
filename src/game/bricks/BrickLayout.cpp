#include "game/bricks/BrickLayout.h"

#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/FloatingBrick.h"
#include "game/ship/PowerUpKind.h"
#include "graphics/FrameProperty.h"
#include "objects/ArrayProperty.h"
#include "objects/BoolProperty.h"
#include "objects/ClassRecord.h"
#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/IntProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/UIntProperty.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kDefaultWeights[kPowerUpKindCount] = {0, 20, 20, 15, 10, 15, 4, 10, 5, 8, 3, 20, 20, 20, 20, 10};

const CArrayProperty& FindArray(const char* label)
{
    return *static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty(label));
}

} // namespace

IMPLEMENT_CLASS_RECORD(CBrickLayout, CObject, 1.0f)
void CBrickLayout::AddProperties(CClassRecord* record)
{
    record->AddProperty(
        CSharedStringPropertyDescriptor::ConstructLocalizable("Display Name", &CBrickLayout::m_displayName, 0, ""));
    record->AddProperty(new CSharedStringPropertyDescriptor("Author", &CBrickLayout::m_author, 0, ""));
    record->AddProperty(new CFixedListChoiceProperty("Background Type", &CBrickLayout::m_backgroundType,
                                                     &CBackgroundCollection::GetInstance(), 0, "Space"));
    record->AddProperty(new CArrayProperty(
        "Brick Palette", &CBrickLayout::m_paletteCount, &CBrickLayout::m_palette, &CBrickLayout::m_paletteCapacity,
        false,
        new CFixedListChoiceProperty("Brick Type", 0, &CBrickInfoCollection::GetInstance(), 0, nullptr, nullptr),
        nullptr, 0));
    record->AddProperty(new CArrayProperty("Rows Offsets", &CBrickLayout::m_rowOffsetCount,
                                           &CBrickLayout::m_rowOffsets, &CBrickLayout::m_rowOffsetCapacity, false,
                                           new CIntProperty("X Offset", nullptr, 0, 0, 0, nullptr, 0, 0), nullptr, 0));
    record->AddProperty(
        new CBoolProperty("Use Default Power Up Weights", &CBrickLayout::m_useDefaultWeights, 0, true));
    record->AddProperty(new CSharedStringPropertyDescriptor("Weighting Comment", &CBrickLayout::m_weightComment, 0, ""));
    record->AddProperty(new CArrayProperty("Power Up Weights", &CBrickLayout::m_weightCount, &CBrickLayout::m_weights,
                                           &CBrickLayout::m_weightCapacity, false,
                                           new CUIntProperty("Weight", nullptr, 0, 0, 20, nullptr, 0, 0),
                                           &GetPowerUpKindTable(), 0));
    record->AddProperty(new CFrameProperty("Layout", &CBrickLayout::m_layout, 0, kColumns, kRows, 8, kMaxGridSide));
    record->AddProperty(new CArrayProperty(
        "Floating Bricks", &CBrickLayout::m_floatingCount, &CBrickLayout::m_floating,
        &CBrickLayout::m_floatingCapacity, false,
        new CObjectPointerProperty("Brick", 0, sizeof(CFloatingBrick*), 0, CFloatingBrick::GetStaticClassRecord(),
                                   CFloatingBrick::GetStaticClassRecord(), nullptr),
        nullptr, 0));
}

CBrickLayout::CBrickLayout()
{
    InitOwnProperties();
}

CBrickLayout::~CBrickLayout()
{
    DestroyOwnProperties();
}

void CBrickLayout::SetPropertiesToDefaults()
{
    CObject::SetPropertiesToDefaults();
    const CArrayProperty& palette = FindArray("Brick Palette");
    palette.Resize(this, 1);
    m_palette[0] = 0;
    // The frame property fills new pictures with index 1; an empty grid holds 0.
    for (uint32_t row = 0; row < m_layout.GetHeight(); ++row)
        std::memset(m_layout.GetPixels() + m_layout.GetRowOffsets()[row], 0, m_layout.GetWidth());
    SetDefaultPowerUpWeights();
}

void CBrickLayout::SetDefaultPowerUpWeights()
{
    FindArray("Power Up Weights").Resize(this, kPowerUpKindCount);
    std::copy(std::begin(kDefaultWeights), std::end(kDefaultWeights), m_weights);
}

uint32_t CBrickLayout::GetTotalPowerUpWeight() const
{
    uint64_t total = 0;
    for (uint32_t kind = 1; kind < m_weightCount && kind < kPowerUpKindCount; ++kind)
        total += m_weights[kind];
    return static_cast<uint32_t>(std::min<uint64_t>(total, UINT32_MAX));
}

uint32_t CBrickLayout::PickPowerUp(uint32_t r) const
{
    uint64_t sum = 0;
    for (uint32_t kind = 1; kind < m_weightCount && kind < kPowerUpKindCount; ++kind) {
        sum += m_weights[kind];
        if (sum > r)
            return kind;
    }
    return kNoPowerUp;
}

CBrickInfo* CBrickLayout::GetPaletteBrick(uint32_t paletteIndex) const
{
    if (paletteIndex >= m_paletteCount)
        return nullptr;
    const uint32_t brick = m_palette[paletteIndex];
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    if (brick == 0 || brick >= bricks.GetCount())
        return nullptr;
    return bricks.GetBrickInfo(brick);
}

uint32_t CBrickLayout::GetCell(uint32_t column, uint32_t row) const
{
    if (column >= m_layout.GetWidth() || row >= m_layout.GetHeight() || m_layout.GetBytesPerPixel() != 1)
        return 0;
    return m_layout.GetPixels()[m_layout.GetRowOffsets()[row] + column];
}

int32_t CBrickLayout::GetRowOffset(uint32_t row) const
{
    return row < m_rowOffsetCount ? m_rowOffsets[row] : 0;
}

CIntPoint CBrickLayout::GetCellPosition(uint32_t column, uint32_t row) const
{
    // A row offset is any number the file holds: a position past the coordinates' range stops at
    // its end.
    const auto saturate = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {saturate(int64_t{kOriginX} + GetRowOffset(row) + int64_t{kCellWidth} * column),
            saturate(int64_t{kOriginY} + int64_t{kCellHeight} * row)};
}

CIntPoint CBrickLayout::PlaceFloatingBrick(CFloatingBrick& brick)
{
    brick.m_positionX = std::clamp(brick.m_positionX, kMinFloatingX, kMaxFloatingX);
    brick.m_positionY = std::clamp(brick.m_positionY, kMinFloatingY, kMaxFloatingY);
    return {static_cast<int32_t>(brick.m_positionX + static_cast<float>(kOriginX)),
            static_cast<int32_t>(brick.m_positionY + static_cast<float>(kOriginY))};
}
