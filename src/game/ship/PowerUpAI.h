#pragma once
// A power-up capsule's behaviour: it falls from a destroyed brick (the bomb twice as fast, with its
// falling sound), and when the ship collects it its effect applies at once (a message, 100 points,
// the effect on the ship or every ball, force feedback). A bomb old enough is shot down by a ball.
//
// The rule a caller must know: a capsule below the field, collected or shot down sets its own dead
// flag; the playfield removes it.
#include "game/sprites/SpriteAI.h"

class CSoundBuffer;

class CPowerUpAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CPowerUpAI)

    // The kinds, by value (the names of a layout's weights).
    enum Kind : uint32_t {
        kNone, kSlow, kExpandPaddle, kCatch, kFireBall, kMultiply3, kMultiply8, kGun, kBigGun, kExtraBall,
        kRailBall, kNormalBall, kSmallBall, kShrinkPaddle, kFast, kBomb, kKindCount
    };

    // The fall (the bomb's faster, with "Bomb Dropped.wav" looping), damping 1, and on an animated
    // sprite the kind's capsule as slot 0 (none for kind 0 or a missing sequence).
    CPowerUpAI(CSprite* sprite, uint32_t kind);
    // Stops and gives back the falling sound.
    ~CPowerUpAI() override;

    // Ages, animates the capsule, and dies below y 500.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    // The ship touched the capsule: it goes, and its message, points, effect and force feedback
    // come. Kind 0 only starts the force feedback.
    void OnCollect(CSprite* powerUp, CSprite* ship);
    // A ball touched the capsule: only a bomb older than 12 updates is destroyed (1,000 points).
    void OnHitByBall(CSprite* powerUp);

    uint32_t GetKind() const { return m_kind; }
    uint32_t GetAge() const { return m_age; }
    // The capsule's sequence name of a kind ("" for none or an unknown kind).
    static const char* GetCapsuleName(uint32_t kind);

    static constexpr float kFallSpeed = 100.0f / 60.0f;
    static constexpr float kBombFallSpeed = 200.0f / 60.0f;
    static constexpr int32_t kPoints = 100;
    static constexpr int32_t kBombPoints = 1000;
    // A bomb younger than this many updates and one is not shot down.
    static constexpr uint32_t kBombArmedAfter = 12;

private:
    // The effect of the kind on the ship and the balls.
    void ApplyEffect(CSprite* ship);
    void ExplodeShip(CSprite* ship);

    uint32_t m_kind;
    CSoundBuffer* m_fallingSound = nullptr;
    uint32_t m_age = 0;
};
