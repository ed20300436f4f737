#include "game/sprites/SpriteList.h"

#include "game/sprites/Sprite.h"
#include "objects/Polygon2D.h"

CSpriteList::~CSpriteList()
{
    DeleteAll();
}

void CSpriteList::Append(CSprite* sprite)
{
    if (!sprite)
        return;
    // Links left over from a list the sprite was removed from must not lead anywhere.
    sprite->m_next = nullptr;
    sprite->m_previous = m_tail;
    sprite->m_list = this;
    NoteChange();
    if (m_tail)
        m_tail->m_next = sprite;
    else
        m_head = sprite;
    m_tail = sprite;
}

void CSpriteList::Remove(CSprite* sprite)
{
    for (CSprite* s = m_head; s; s = s->m_next)
        if (s == sprite) {
            Unlink(sprite);
            return;
        }
}

void CSpriteList::Unlink(CSprite* sprite)
{
    sprite->m_list = nullptr;
    NoteChange();
    if (sprite->m_previous)
        sprite->m_previous->m_next = sprite->m_next;
    else
        m_head = sprite->m_next;
    if (sprite->m_next)
        sprite->m_next->m_previous = sprite->m_previous;
    else
        m_tail = sprite->m_previous;
}

void CSpriteList::DeleteAll()
{
    while (CSprite* head = m_head) {
        Unlink(head);
        delete head;
    }
}

uint32_t CSpriteList::Count() const
{
    uint32_t count = 0;
    for (const CSprite* s = m_head; s; s = s->m_next)
        ++count;
    return count;
}

void CSpriteList::DrawAll(CFrameInterface* target)
{
    for (CSprite* s = m_head; s; s = s->m_next)
        s->Draw(target);
}

void CSpriteList::DrawShadows(CFrameInterface* target)
{
    for (CSprite* s = m_head; s; s = s->m_next)
        s->DrawShadow(target);
}

void CSpriteList::UpdateAll()
{
    for (CSprite* s = m_head; s;) {
        CSprite* next = s->m_next;
        s->Update();
        s = next;
    }
    for (CSprite* s = m_head; s;) {
        CSprite* next = s->m_next;
        if (s->IsDead()) {
            Unlink(s);
            delete s;
        }
        s = next;
    }
}

bool CSpriteList::CollideWithList(Callback callbackA, uint32_t contextA, CSpriteList* other, Callback callbackB,
                                  uint32_t contextB)
{
    if (!other)
        return false;
    bool collided = false;
    for (CSprite* a = m_head; a;) {
        // Read first, as in UpdateAll: a callback may move the sprite to another list.
        CSprite* nextA = a->m_next;
        if (a->IsActive()) {
            for (CSprite* b = other == this ? a->m_next : other->m_head; b;) {
                CSprite* nextB = b->m_next;
                if (b != a && a->CollidesWith(b)) {
                    collided = true;
                    if (callbackA)
                        callbackA(a, b, contextA);
                    if (callbackB)
                        callbackB(b, a, contextB);
                }
                b = nextB;
            }
        }
        a = nextA;
    }
    return collided;
}

CSprite* CSpriteList::FindNearestCrossing(const CFloatPoint& start, const CFloatPoint& end, float* fraction) const
{
    CSprite* nearest = nullptr;
    float best = 0.0f;
    for (CSprite* s = m_head; s; s = s->m_next) {
        if (!s->IsActive() || s->IsDead())
            continue;
        const CPolygon2D* polygon = s->GetCollisionPolygon();
        float at = 0.0f;
        if (polygon && polygon->FindSegmentCrossing(s->GetPosition(), start, end, &at) && (!nearest || at < best)) {
            nearest = s;
            best = at;
        }
    }
    if (nearest && fraction)
        *fraction = best;
    return nearest;
}
