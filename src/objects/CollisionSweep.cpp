#include "objects/CollisionSweep.h"

#include "objects/Vector2D.h"

CCollisionSweep::CCollisionSweep(const CFloatPoint& start, const CFloatPoint& end, uint32_t owner, uint8_t flag)
    : m_owner(owner)
    , m_flag(flag)
{
    SetMotion(start, end);
}

CCollisionSweep::~CCollisionSweep() = default;

bool CCollisionSweep::SetMotion(const CFloatPoint& start, const CFloatPoint& end)
{
    return SetMotionVector(CVector2D::Difference(end, start));
}

bool CCollisionSweep::SetMotionVector(const CFloatPoint& motion)
{
    m_motion = motion;
    m_length = CVector2D::Length(motion);
    if (m_length > 0.0f)
        m_direction = CVector2D::Scaled(motion, 1.0f / m_length);
    return m_length > 0.0f;
}

void CCollisionSweep::SetResponse(const CFloatPoint& velocity, float bounce, float normalRest, float friction,
                                  float tangentialRest)
{
    m_velocity = velocity;
    m_bounce = bounce;
    m_normalRest = normalRest;
    m_friction = friction;
    m_tangentialRest = tangentialRest;
}

CFloatPoint CCollisionSweep::Deflect(const CFloatPoint& v, const CFloatPoint& n) const
{
    const float into = CVector2D::Dot(v, n);
    if (!(into < 0.0f))
        return v;
    const CFloatPoint normalPart = CVector2D::Scaled(n, into);
    CFloatPoint tangential = CVector2D::Scaled(CVector2D::Difference(v, normalPart), 1.0f - m_friction);
    if (CVector2D::LengthSquared(tangential) < m_tangentialRest * m_tangentialRest)
        tangential = CFloatPoint();
    const CFloatPoint bounced = CVector2D::Scaled(normalPart, m_bounce);
    if (CVector2D::LengthSquared(bounced) > m_normalRest * m_normalRest)
        return CVector2D::Difference(tangential, bounced);
    return tangential;
}
