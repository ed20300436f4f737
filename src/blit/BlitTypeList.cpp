#include "blit/BlitTypeList.h"

#include "blit/Blitter.h"
#include "blit/modes/AmplifyLightBlitter.h"
#include "blit/modes/NormalScaleBlitter.h"
#include "blit/modes/ShadowBlitter.h"
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"

int CBlitTypeList::Add(const char* name, CBlitter* blitter)
{
    m_items.push_back(Item{CSharedString(name), blitter});
    return static_cast<int>(m_items.size()) - 1;
}

const char* CBlitTypeList::GetItemName(uint32_t i) const
{
    return i < m_items.size() ? m_items[i].m_name.CStr() : nullptr;
}

uint32_t CBlitTypeList::GetCount() const
{
    return static_cast<uint32_t>(m_items.size());
}

CBlitter* CBlitTypeList::GetValue(uint32_t i) const
{
    return i < m_items.size() ? m_items[i].m_blitter : nullptr;
}

int CBlitTypeList::FindValue(const CBlitter* blitter) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].m_blitter == blitter)
            return static_cast<int>(i);
    return -1;
}

CBlitTypeList& CBlitter::GetRegistry()
{
    // Sequence files store the index of their blit type, so the order is written down here once
    // instead of following the order in which the blend modes' initialisers happen to run. Only
    // the addresses of the blend modes are taken, which is safe before they are constructed.
    static CBlitTypeList s_list;
    static const bool s_filled = [] {
        s_list.Add("Blend Amplify Light", &g_amplifyLightBlitter);
        s_list.Add("Blit As Shadow", &g_shadowBlitter);
        s_list.Add("Blend Black Bias", &g_blackBiasBlitter);
        s_list.Add("Blend Test Light", &g_testLightBlitter);
        s_list.Add("Normal Scale", &g_normalScaleBlitter);
        s_list.Add("Transparent Mask", &g_transparentMaskBlitter);
        return true;
    }();
    (void)s_filled;
    return s_list;
}
