#pragma once
// A behaviour: the logic attached to a sprite (ball, brick, ship, power-up, shot, creatures,
// one-shot animations). A sprite holds a singly linked chain of behaviours and calls only the
// first; each behaviour decides whether a call goes on to the next one.
//
// The rule a caller must know: a behaviour owns the rest of its chain, and the sprite that took it
// through CSprite::AddAI owns the chain; deleting a behaviour deletes every behaviour after it.
#include "objects/Object.h"

#include <cstdint>

class CFrameInterface;
class CPolygon2D;
class CSprite;
struct CSweepResult;

class CSpriteAI : public CObject
{
    DECLARE_CLASS_RECORD(CSpriteAI)

    // The two values are the behaviour's own; every behaviour of the game passes 1 and 1.
    CSpriteAI(uint32_t first = 1, uint32_t second = 1);
    // Deletes the rest of the chain.
    ~CSpriteAI() override;

    // The behaviour has joined the sprite's chain.
    virtual void OnAttach(CSprite* sprite);
    // Whether the sprite passes through other instead of stopping at the contact hit. The base
    // asks the next behaviour; false at the end of the chain.
    virtual bool PassesThrough(CSprite* sprite, CSprite* other, CSweepResult* hit);
    // One update step of the sprite (the sprite passes 0 as arg).
    virtual void Update(CSprite* sprite, uint32_t arg) = 0;
    // Drawing over the sprite and over its shadow, and the developer's debug view; nothing here.
    virtual void DrawOverlay(CSprite* sprite, CFrameInterface* target);
    virtual void DrawShadowOverlay(CSprite* sprite, CFrameInterface* target);
    virtual void DrawDebug(CSprite* sprite, CFrameInterface* target);
    // Writes the behaviour's state to the state check (StateCheck.h), then the next one's.
    virtual void SyncState() = 0;
    // The sprite's collision polygon. The base asks the next behaviour; null at the end.
    virtual const CPolygon2D* GetCollisionPolygon(CSprite* sprite);

    CSpriteAI* GetNext() const { return m_next; }
    uint32_t GetFirstParameter() const { return m_first; }
    uint32_t GetSecondParameter() const { return m_second; }

protected:
    // Passes SyncState on to the next behaviour, when there is one.
    void SyncNext();

private:
    friend class CSprite; // links the chain in AddAI

    CSpriteAI* m_next = nullptr;
    uint32_t m_first;
    uint32_t m_second;
};
