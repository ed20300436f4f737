#include "game/bricks/BrickLayout.h"

#include <map>
#include <string>

namespace {

struct StandIns
{
    std::map<std::string, CBrickLayout> m_layouts;
    uint32_t m_saves = 0;
};

StandIns& GetStandIns()
{
    static StandIns s_standIns;
    return s_standIns;
}

} // namespace

void CBrickLayout::ResetToDefaults()
{
    m_displayName.AssignText("");
    m_bricks.clear();
    m_powerUpWeights.clear();
}

bool CBrickLayout::Load(const char* path)
{
    ResetToDefaults();
    auto& layouts = GetStandIns().m_layouts;
    const auto found = layouts.find(path ? path : "");
    if (found == layouts.end())
        return false;
    *this = found->second;
    return true;
}

bool CBrickLayout::Save(const char* path) const
{
    ++GetStandIns().m_saves;
    RegisterStandIn(path, *this);
    return true;
}

uint32_t CBrickLayout::GetTotalPowerUpWeight() const
{
    uint32_t total = 0;
    for (uint32_t weight : m_powerUpWeights)
        total += weight;
    return total;
}

uint32_t CBrickLayout::PickPowerUp(uint32_t r) const
{
    for (uint32_t kind = 0; kind < m_powerUpWeights.size(); ++kind) {
        if (r < m_powerUpWeights[kind])
            return kind + 1;
        r -= m_powerUpWeights[kind];
    }
    return 0;
}

void CBrickLayout::RegisterStandIn(const char* path, const CBrickLayout& layout)
{
    GetStandIns().m_layouts[path ? path : ""] = layout;
}

void CBrickLayout::ClearStandIns()
{
    GetStandIns().m_layouts.clear();
    GetStandIns().m_saves = 0;
}

uint32_t CBrickLayout::GetSaveCount()
{
    return GetStandIns().m_saves;
}
