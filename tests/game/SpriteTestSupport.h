#pragma once
// Helpers of the game-world tests: frames drawn by hand, sequences made of them, a behaviour that
// records what the sprite asks of it, a sprite whose step began elsewhere (for swept tests), and
// the polygons of a brick and a ball.
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteAI.h"
#include "game/sprites/SpriteList.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"
#include "objects/Polygon2D.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace spritetest {

// A plain frame of the depth from rows of pixel values ('.' is 0, any other character its code),
// with its hot spot at (hotX, hotY) inside it.
inline CFrame* MakeFrame(uint32_t depth, const std::vector<std::string>& rows, int16_t hotX = 0, int16_t hotY = 0,
                         uint32_t value = 0x1234)
{
    auto* frame = new CFrame;
    const uint32_t width = rows.empty() ? 0 : static_cast<uint32_t>(rows[0].size());
    frame->Create(width, static_cast<uint32_t>(rows.size()), depth);
    const uint32_t bytes = frame->GetBytesPerPixel();
    for (uint32_t r = 0; r < rows.size(); ++r)
        for (uint32_t c = 0; c < width; ++c) {
            const uint32_t v = rows[r][c] == '.' ? 0 : value;
            std::memcpy(frame->GetPixels() + (static_cast<size_t>(frame->GetRowOffsets()[r]) + c) * bytes, &v, bytes);
        }
    frame->SetOrigin(static_cast<int16_t>(-hotX), static_cast<int16_t>(-hotY));
    return frame;
}

// A solid square of side n with its hot spot at its top-left corner.
inline CFrame* MakeSquare(uint32_t depth, uint32_t n)
{
    return MakeFrame(depth, std::vector<std::string>(n, std::string(n, '#')));
}

// A sequence that owns the frames (null entries stand for missing frames).
inline std::unique_ptr<CSequence> MakeSequence(const std::vector<CFrame*>& frames)
{
    auto sequence = std::make_unique<CSequence>();
    for (CFrame* frame : frames)
        sequence->AddFrame(frame);
    return sequence;
}

inline std::unique_ptr<CSequence> MakeEmptySequence(uint32_t frames)
{
    std::vector<CFrame*> none;
    for (uint32_t i = 0; i < frames; ++i)
        none.push_back(MakeSquare(16, 1));
    return MakeSequence(none);
}

// What a behaviour was asked, in order.
struct CallLog
{
    std::vector<std::string> m_calls;
    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : m_calls)
            n += c == call;
        return n;
    }
};

// A behaviour that logs its calls, may run an action on update, answers a polygon and whether the
// sprite passes through another.
class CProbeAI : public CSpriteAI
{
public:
    explicit CProbeAI(CallLog* log = nullptr, std::string name = "probe") : m_log(log), m_name(std::move(name)) {}
    ~CProbeAI() override { Log("deleted"); }

    void OnAttach(CSprite* sprite) override
    {
        m_sprite = sprite;
        Log("attach");
    }
    void Update(CSprite* sprite, uint32_t arg) override
    {
        Log("update");
        if (m_onUpdate)
            m_onUpdate(sprite);
        if (CSpriteAI* next = GetNext())
            next->Update(sprite, arg);
    }
    void DrawOverlay(CSprite*, CFrameInterface*) override { Log("overlay"); }
    void DrawShadowOverlay(CSprite*, CFrameInterface*) override { Log("shadow overlay"); }
    void SyncState() override { SyncNext(); }
    bool PassesThrough(CSprite* sprite, CSprite* other, CSweepResult* hit) override
    {
        if (m_passes && m_passes(other))
            return true;
        return CSpriteAI::PassesThrough(sprite, other, hit);
    }
    const CPolygon2D* GetCollisionPolygon(CSprite* sprite) override
    {
        return m_polygon ? m_polygon : CSpriteAI::GetCollisionPolygon(sprite);
    }

    CSprite* m_sprite = nullptr;
    std::function<void(CSprite*)> m_onUpdate;
    std::function<bool(CSprite*)> m_passes;
    const CPolygon2D* m_polygon = nullptr;

private:
    void Log(const std::string& what)
    {
        if (m_log)
            m_log->m_calls.push_back(m_name + " " + what);
    }
    CallLog* m_log;
    std::string m_name;
};

// A sprite whose step began at an origin of its own, as a sprite that keeps its previous
// position does.
class CMovingSprite : public CSprite
{
public:
    CFloatPoint GetCollisionOrigin() const override { return m_origin; }
    CFloatPoint m_origin;
};

inline CPolygon2D MakePolygon(const std::vector<CFloatPoint>& points)
{
    CPolygon2D polygon;
    for (const CFloatPoint& p : points)
        polygon.InsertPoint(p.m_x, p.m_y, UINT32_MAX);
    polygon.Close();
    return polygon;
}

// The default brick quad, wound clockwise on screen.
inline CPolygon2D BrickQuad()
{
    return MakePolygon({{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}});
}

// A ball: a 12-gon of radius 9, clockwise on screen.
inline CPolygon2D Ball()
{
    std::vector<CFloatPoint> points;
    for (int k = 0; k < 12; ++k) {
        const double angle = std::numbers::pi * k / 6;
        points.push_back({static_cast<float>(9 * std::cos(angle)), static_cast<float>(9 * std::sin(angle))});
    }
    return MakePolygon(points);
}

// A sprite with a probe behaviour answering the polygon, at a position, appended to the list.
inline CSprite* AddProbed(CSpriteList& list, CFloatPoint at = {}, const CPolygon2D* polygon = nullptr,
                          CProbeAI** probe = nullptr)
{
    auto* sprite = new CSprite;
    auto* behaviour = new CProbeAI;
    behaviour->m_polygon = polygon;
    sprite->AddAI(behaviour);
    sprite->SetPosition(at);
    list.Append(sprite);
    if (probe)
        *probe = behaviour;
    return sprite;
}

} // namespace spritetest
