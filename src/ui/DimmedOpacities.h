#pragma once
// The disabled look of text and controls: the default blend mode drawn at 0.4 opacity and the
// black-bias blend at 0.6 for the life of the object, both set back to what they were however the
// drawing ends.
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"

class CDimmedOpacities
{
public:
    explicit CDimmedOpacities(bool dim) : m_dim(dim)
    {
        if (!m_dim)
            return;
        m_mask = g_transparentMaskBlitter.GetOpacity();
        m_blend = g_blackBiasBlitter.GetOpacity();
        g_transparentMaskBlitter.SetOpacity(0.4f);
        g_blackBiasBlitter.SetOpacity(0.6f);
    }
    ~CDimmedOpacities()
    {
        if (!m_dim)
            return;
        g_transparentMaskBlitter.SetOpacity(m_mask);
        g_blackBiasBlitter.SetOpacity(m_blend);
    }
    CDimmedOpacities(const CDimmedOpacities&) = delete;
    CDimmedOpacities& operator=(const CDimmedOpacities&) = delete;

private:
    bool m_dim;
    float m_mask = 1.0f;
    float m_blend = 1.0f;
};
