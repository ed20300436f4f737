// Building a round from a layout: the grid and floating bricks, and the background.
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "game/Playfield.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BackgroundDefinition.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/FloatingBrick.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/WorldRecordFields.h"

namespace {

// The background becomes the playfield's, and its generators make their decorations (at the
// playfield's detail level).
void ShowBackground(uint32_t index)
{
    CPlayfield* playfield = GetPlayfield();
    if (!playfield)
        return;
    CBackgroundDefinition* background = CBackgroundCollection::GetInstance().GetBackground(index);
    playfield->SetBackground(background);
    if (background)
        background->CreateDecorations(playfield->GetForeground(), playfield->GetBackgroundSprites(),
                                      playfield->GetBackgroundDetailLevel());
}

void ApplyBackgroundThemeFromStream(CReplayStream& stream)
{
    const int32_t background = stream.ReadObjectReference(&CBackgroundCollection::GetInstance());
    if (background >= 0)
        ShowBackground(static_cast<uint32_t>(background));
}

CReplayCallback s_applyBackgroundTheme(&ApplyBackgroundThemeFromStream,
                                       "CBrickLayout::ApplyBackgroundThemeFromStream", 3);

void AddBrick(CSpriteList& bricks, const CIntPoint& position, CBrickInfo* info, CFloatingBrick* floating,
              int32_t column, int32_t row, bool hide)
{
    auto* sprite = new CAnimatedSprite;
    sprite->SetPosition({static_cast<float>(position.m_x), static_cast<float>(position.m_y)});
    sprite->AddAI(new CBrickAI(sprite, info, floating, column, row));
    if (hide)
        sprite->SetActive(false);
    bricks.Append(sprite);
}

} // namespace

void CBrickLayout::BuildRound(bool hide)
{
    CPlayfield* playfield = GetPlayfield();
    if (!playfield)
        return;
    if (m_useDefaultWeights)
        SetDefaultPowerUpWeights();
    CSpriteList& bricks = playfield->GetBricks();
    bricks.DeleteAll();
    playfield->GetBackgroundSprites().DeleteAll();
    playfield->GetForeground().DeleteAll();
    for (uint32_t row = 0; row < m_layout.GetHeight(); ++row)
        for (uint32_t column = 0; column < m_layout.GetWidth(); ++column)
            if (CBrickInfo* info = GetPaletteBrick(GetCell(column, row)))
                AddBrick(bricks, GetCellPosition(column, row), info, nullptr, static_cast<int32_t>(column),
                         static_cast<int32_t>(row), hide);
    for (uint32_t i = 0; i < m_floatingCount; ++i) {
        CFloatingBrick* floating = m_floating[i];
        CBrickInfo* info = floating ? GetPaletteBrick(floating->m_paletteIndex) : nullptr;
        if (info)
            AddBrick(bricks, PlaceFloatingBrick(*floating), info, floating, -1, -1,
                     hide && info->GetBrickType() != kBrickObstacle);
    }
    ApplyBackgroundTheme(m_backgroundType);
}

void CBrickLayout::ApplyBackgroundTheme(uint32_t background)
{
    CBackgroundCollection& backgrounds = CBackgroundCollection::GetInstance();
    if (CReplayStream* stream = worldrecord::GetRecordingStream()) {
        stream->BeginRecord(&s_applyBackgroundTheme, CReplayStream::kDrawRecord);
        stream->WriteObjectReference(static_cast<int32_t>(background), &backgrounds);
    }
    ShowBackground(background);
}
