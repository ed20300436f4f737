#pragma once
// One motion of a swept collision test (its vector, unit direction and length) together with the
// velocity a contact deflects and the four factors of that deflection. The direction keeps its
// last value when the motion becomes zero, so set a non-zero motion before sweeping with it.
#include "objects/Point.h"

#include <cstdint>

class CCollisionSweep
{
public:
    CCollisionSweep() = default;
    // owner and flag are the caller's own values; the polygon tests do not read them.
    CCollisionSweep(const CFloatPoint& start, const CFloatPoint& end, uint32_t owner, uint8_t flag);
    virtual ~CCollisionSweep();

    // The motion from start to end; false when it is zero (the direction is then unchanged).
    bool SetMotion(const CFloatPoint& start, const CFloatPoint& end);
    // The same for a motion vector.
    bool SetMotionVector(const CFloatPoint& motion);
    void SetResponse(const CFloatPoint& velocity, float bounce, float normalRest, float friction,
                     float tangentialRest);
    void SetVelocity(const CFloatPoint& velocity) { m_velocity = velocity; }

    // v deflected off a contact with unit normal n by this sweep's factors. Unchanged when it does
    // not move into the contact (v.n >= 0); otherwise its tangential part, scaled by 1 - friction
    // and dropped below the tangential rest threshold, minus its normal part scaled by the bounce
    // (dropped when not longer than the normal rest threshold).
    CFloatPoint Deflect(const CFloatPoint& v, const CFloatPoint& n) const;

    uint32_t GetOwner() const { return m_owner; }
    uint8_t GetFlag() const { return m_flag; }
    const CFloatPoint& GetMotion() const { return m_motion; }
    const CFloatPoint& GetDirection() const { return m_direction; }
    float GetLength() const { return m_length; }
    const CFloatPoint& GetVelocity() const { return m_velocity; }
    float GetBounce() const { return m_bounce; }
    float GetNormalRest() const { return m_normalRest; }
    float GetFriction() const { return m_friction; }
    float GetTangentialRest() const { return m_tangentialRest; }

private:
    uint32_t m_owner = 0;
    CFloatPoint m_motion;
    CFloatPoint m_direction;
    float m_length = 0.0f;
    uint8_t m_flag = 0;
    CFloatPoint m_velocity;
    float m_bounce = 1.0f;
    float m_normalRest = 0.0f;
    float m_friction = 0.0f;
    float m_tangentialRest = 0.0f;
};
