#include "game/Playfield.h"

#include "game/bricks/BrickLayer.h"
#include "game/bricks/BrickLayout.h"

#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "blit/modes/CopyBlitter.h"
#include "game/sprites/WorldRecordFields.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"

namespace {

constexpr uint32_t kListIdBits = 4;
constexpr int kMidLayerDetailLevel = 2;

CPlayfield* s_playfield = nullptr;
// The host of a field that belongs to no game.
CPlayfieldHost s_noHost;

void DrawSpriteListFromStream(CReplayStream& stream)
{
    const uint32_t id = stream.ReadBits(kListIdBits);
    CPlayfield* playfield = GetPlayfield();
    CFrameInterface* target = worldrecord::GetReplayTarget();
    // An id past the nine lists draws nothing, and is not recorded again as list 0.
    CSpriteList* list = playfield ? playfield->GetListById(id) : nullptr;
    if (list && target)
        playfield->DrawSpriteList(list, target);
}

void AdjustClippingRectFromStream(CReplayStream& stream)
{
    const bool clip = stream.ReadBool();
    CPlayfield* playfield = GetPlayfield();
    CFrameInterface* target = worldrecord::GetReplayTarget();
    if (playfield && target)
        playfield->SetClipToField(target, clip);
}

void DrawMidLayerFromStream(CReplayStream&)
{
    CPlayfield* playfield = GetPlayfield();
    CFrameInterface* target = worldrecord::GetReplayTarget();
    if (playfield && target)
        playfield->DrawMidLayer(target);
}

CReplayCallback s_drawSpriteList(&DrawSpriteListFromStream, "CPlayfield::DrawSpriteListFromStream", 3);
CReplayCallback s_adjustClippingRect(&AdjustClippingRectFromStream, "CPlayfield::AdjustClippingRectFromStream", 3);
CReplayCallback s_drawMidLayer(&DrawMidLayerFromStream, "CPlayfield::DrawMidLayerFromStream", 3);

} // namespace

CPlayfield::CPlayfield() : m_layout(std::make_unique<CBrickLayout>()), m_host(&s_noHost)
{
}

CPlayfield::~CPlayfield()
{
    DeleteAllSprites();
    if (s_playfield == this)
        s_playfield = nullptr;
}

CSpriteList CPlayfield::* const CPlayfield::s_listsById[kListCount] = {
    &CPlayfield::m_backgroundSprites, &CPlayfield::m_lowEffects, &CPlayfield::m_foreground,
    &CPlayfield::m_powerUps,          &CPlayfield::m_shots,      &CPlayfield::m_bricks,
    &CPlayfield::m_freedBalls,        &CPlayfield::m_ship,       &CPlayfield::m_balls};

void CPlayfield::SetHost(CPlayfieldHost* host)
{
    m_host = host ? host : &s_noHost;
}

CSpriteList* CPlayfield::GetListById(uint32_t id)
{
    return id < kListCount ? &(this->*s_listsById[id]) : nullptr;
}

uint32_t CPlayfield::GetListId(const CSpriteList* list) const
{
    for (uint32_t id = 0; list && id < kListCount; ++id)
        if (&(this->*s_listsById[id]) == list)
            return id;
    return kBackgroundSpritesId;
}

void CPlayfield::DrawSpriteList(CSpriteList* list, CFrameInterface* target)
{
    if (CReplayStream* stream = worldrecord::GetRecordingStream()) {
        stream->BeginRecord(&s_drawSpriteList, CReplayStream::kDrawRecord);
        stream->WriteBits(GetListId(list), kListIdBits);
    }
    if (list && target)
        list->DrawAll(target);
}

void CPlayfield::SetClipToField(CFrameInterface* target, bool clip)
{
    if (CReplayStream* stream = worldrecord::GetRecordingStream()) {
        stream->BeginRecord(&s_adjustClippingRect, CReplayStream::kDrawRecord);
        stream->WriteBool(clip);
    }
    if (auto* backBuffer = dynamic_cast<CDirtyRectFrame*>(target))
        backBuffer->SetBoundsOverride(clip ? &m_fieldRect : nullptr);
}

void CPlayfield::DrawMidLayer(CFrameInterface* target)
{
    if (CReplayStream* stream = worldrecord::GetRecordingStream())
        stream->BeginRecord(&s_drawMidLayer, CReplayStream::kDrawRecord);
    if (m_backgroundDetailLevel != kMidLayerDetailLevel || !m_midground || !target)
        return;
    CFrame* frame = m_midground->GetCurrentFrame();
    if (!frame)
        return;
    auto* backBuffer = dynamic_cast<CDirtyRectFrame*>(target);
    // A still layer changes nothing by itself: it is only redrawn where something else was.
    if (backBuffer && m_midground->GetFrameCount() < 2)
        backBuffer->SetBlitMode(CDirtyRectFrame::kBlitInsideDirtyCells);
    target->DrawFrameAt(frame, 0, 0, &g_copyBlitter);
    if (backBuffer)
        backBuffer->SetBlitMode(CDirtyRectFrame::kBlitAndMark);
}

CPlayfield* GetPlayfield()
{
    return s_playfield;
}

void SetPlayfield(CPlayfield* playfield)
{
    s_playfield = playfield;
}
