#pragma once
// The drawable, movable object of the game world: every ball, brick, power-up, shot, the ship,
// every spark and decoration is a sprite kept in a sprite list. A sprite owns a chain of
// behaviours (CSpriteAI) that decide what it does each step; the sprite itself integrates its
// motion, draws the current frame of its sequence and its shadow, and answers collision questions.
//
// The rule a caller must know: a sprite dies by its dead flag and is deleted by its list at the end
// of the list's update pass, never during its own update. Positions are floats with a rounded
// integer copy (the drawing position); code that moves a sprite by hand sets both (SetPosition).
#include "graphics/IntRect.h"
#include "objects/Point.h"

#include <cstddef>
#include <cstdint>

class CBlitter;
class CCollisionSweep;
class CFrame;
class CFrameInterface;
class CPolygon2D;
class CSequence;
class CSpriteAI;
class CSpriteList;
struct CSweepResult;

class CSprite
{
public:
    // Flags.
    static constexpr uint32_t kActive = 0x1;      // updated, drawn and collided
    static constexpr uint32_t kSolid = 0x2;       // blocks others; without it a sprite passes through all
    static constexpr uint32_t kDead = 0x4;        // its list deletes it at the end of the update pass
    static constexpr uint32_t kFrozen = 0x8;      // behaviours run, the motion is not integrated
    static constexpr uint32_t kNotRecorded = 0x10; // its draws stay out of a demo being recorded
    static constexpr uint32_t kInitialFlags = kActive | kSolid;
    // The part flag of a part that takes part in the pixel test.
    static constexpr uint32_t kPartCollidable = 0x2;

    CSprite();
    // Deletes the behaviour chain.
    virtual ~CSprite();
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    // Sprites are small and many: they live in the small-block allocator.
    static void* operator new(size_t size);
    static void operator delete(void* block, size_t size);

    // Draws the current frame at the integer position through the sprite's blitter (recording the
    // draw when a demo is being recorded), then the first behaviour's overlay; nothing at all
    // unless active.
    virtual void Draw(CFrameInterface* target);
    // The current frame at the integer position plus the shadow offset through "Blit As Shadow",
    // then the first behaviour's shadow overlay; nothing unless active. Never recorded.
    virtual void DrawShadow(CFrameInterface* target);
    virtual void DrawDebug(CFrameInterface* target);
    // Fetches the current frame so that it is loaded.
    virtual void TouchCurrentFrame();
    // One step: the lifetime, the behaviours, then (unless frozen) velocity += acceleration,
    // velocity *= damping, position += velocity, rounded (ties to even). Nothing unless active;
    // a sprite whose lifetime has run out is set dead without running its behaviours.
    virtual void Update();

    // Fills the sweep: from the collision origin to the position, the sprite's velocity, bounce
    // 1, rest thresholds 0.1, friction 0.
    virtual void BeginSweep(CCollisionSweep& sweep);
    virtual void ApplySweepVelocity(const CSweepResult& result);
    // True for a sprite that is not solid; otherwise the behaviours decide (false without any).
    virtual bool PassesThrough(CSprite* other, CSweepResult* hit);
    // The current frame's bounds relative to the hot spot; empty (all 0) without a frame.
    virtual void GetBoundingRect(CIntRect& out) const;
    // Where this step's motion started: the position, for a plain sprite.
    virtual CFloatPoint GetCollisionOrigin() const;
    // Writes the sprite's state words to the state check, then the behaviours' state.
    virtual void SyncState();
    // Both alive for collisions, and this sprite's point grown by 8 meets the brick-sized box
    // (16 by 9 either side) round the other's position.
    virtual bool OverlapsBox(const CSprite* other) const;
    // Pixel-exact: both alive for collisions and some collidable part of each has a pixel set at
    // one place of the screen.
    virtual bool CollidesWith(const CSprite* other) const;
    // Asks the behaviours; null without any.
    virtual const CPolygon2D* GetCollisionPolygon();
    // The parts of the sprite: a plain sprite has one, its current frame at offset (0, 0), whose
    // flags are the sprite's.
    virtual CFrame* GetPartFrame(uint32_t part) const;
    // The sequence's frame at the frame index; null without a sequence or past its last frame.
    virtual CFrame* GetCurrentFrame() const;
    virtual uint32_t GetPartCount() const;
    virtual CIntPoint GetPartOffset(uint32_t part) const;
    virtual bool IsPartFlagSet(uint32_t part, uint32_t mask) const;
    virtual void SetActive(bool active);

    // Stores the sequence (not owned) and sets the angle step to 2 pi / frame count (0 without
    // frames).
    void SetSequence(CSequence* sequence);
    // acceleration := magnitude * (cos angle, sin angle), from the sine table.
    void SetAccelerationFromAngle(float angle, float magnitude);
    // Stores the lifetime in steps (0: unlimited) and, when a list is given, appends the sprite
    // to it.
    void SetLifetime(CSpriteList* list, uint32_t steps);
    // Appends the behaviour (taken over) at the end of the chain and calls its OnAttach.
    void AddAI(CSpriteAI* behaviour);
    float DistanceSquared(const CSprite& other) const;

    // The offset of every sprite's shadow; (10, 10) until set.
    static void SetShadowOffset(const CIntPoint& offset);
    static CIntPoint GetShadowOffset();

    CSpriteAI* GetBehaviours() const { return m_behaviours; }
    CBlitter* GetBlitter() const { return m_blitter; }
    void SetBlitter(CBlitter* blitter) { m_blitter = blitter; }
    const CFloatPoint& GetVelocity() const { return m_velocity; }
    void SetVelocity(const CFloatPoint& velocity) { m_velocity = velocity; }
    const CFloatPoint& GetAcceleration() const { return m_acceleration; }
    void SetAcceleration(const CFloatPoint& acceleration) { m_acceleration = acceleration; }
    CSprite* GetNext() const { return m_next; }
    CSprite* GetPrevious() const { return m_previous; }
    float GetAnimationTime() const { return m_animationTime; }
    void SetAnimationTime(float time) { m_animationTime = time; }
    uint32_t GetFrameIndex() const { return m_frameIndex; }
    void SetFrameIndex(uint32_t index) { m_frameIndex = index; }
    const CFloatPoint& GetPosition() const { return m_position; }
    // The float position and its rounded copy.
    void SetPosition(const CFloatPoint& position);
    const CIntPoint& GetIntPosition() const { return m_intPosition; }
    void SetIntPosition(const CIntPoint& position) { m_intPosition = position; }
    // The integer position moved by the offset, saturated, so a sprite flung far off the field
    // does not overflow.
    CIntPoint GetIntPositionMovedBy(const CIntPoint& offset) const;
    CSequence* GetSequence() const { return m_sequence; }
    float GetDamping() const { return m_damping; }
    void SetDamping(float damping) { m_damping = damping; }
    float GetAngleStep() const { return m_angleStep; }
    uint32_t GetFlags() const { return m_flags; }
    void SetFlag(uint32_t mask, bool on) { m_flags = on ? (m_flags | mask) : (m_flags & ~mask); }
    bool IsActive() const { return (m_flags & kActive) != 0; }
    bool IsDead() const { return (m_flags & kDead) != 0; }
    // Active, solid and not dead.
    bool IsAliveForCollisions() const { return ((m_flags ^ kInitialFlags) & (kActive | kSolid | kDead)) == 0; }
    uint32_t GetLifetime() const { return m_lifetime; }
    uint32_t GetAge() const { return m_age; }

private:
    friend class CSpriteList; // keeps the links

    CSpriteAI* m_behaviours = nullptr;
    CBlitter* m_blitter;
    // Three words that only the state check reads.
    float m_spareA = 0.0f;
    float m_spareB = 0.0f;
    int32_t m_spareC = 0;
    CFloatPoint m_velocity;
    CFloatPoint m_acceleration;
    CSprite* m_next = nullptr;
    CSprite* m_previous = nullptr;
    // The list the sprite is in, told when the sprite moves (its swept-test grid goes stale).
    CSpriteList* m_list = nullptr;
    float m_animationTime = 0.0f;
    uint32_t m_frameIndex = 0;
    CFloatPoint m_position;
    CIntPoint m_intPosition;
    CSequence* m_sequence = nullptr;
    float m_damping = 0.95f;
    float m_angleStep = 0.0f;
    uint32_t m_flags = kInitialFlags;
    uint32_t m_lifetime = 0;
    uint32_t m_age = 0;
};
