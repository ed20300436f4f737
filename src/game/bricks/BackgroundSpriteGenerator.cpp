#include "game/bricks/BackgroundSpriteGenerator.h"

#include "game/creatures/FishAI.h"
#include "game/creatures/PlanktonAI.h"
#include "game/creatures/RandomDebrisAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/SpriteAI.h"
#include "game/sprites/SpriteList.h"
#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/UIntProperty.h"

namespace {

constexpr CEnumTableEntry kLayers[] = {
    {0, "Foreground Sprites", nullptr},
    {1, "Background Sprites", nullptr},
    {0, nullptr, nullptr},
};

} // namespace

IMPLEMENT_CLASS_RECORD(CBackgroundSpriteGenerator, CObject, 1.0f)
void CBackgroundSpriteGenerator::AddProperties(CClassRecord* record)
{
    // Backgrounds name their creatures by class: their records must be known before one is read.
    CFishAI::GetStaticClassRecord();
    CPlanktonAI::GetStaticClassRecord();
    CRandomDebrisAI::GetStaticClassRecord();
    record->AddProperty(new CObjectPointerProperty("Type", &CBackgroundSpriteGenerator::m_type, 0,
                                                   CSpriteAI::GetStaticClassRecord(), nullptr));
    record->AddProperty(new CUIntProperty("Count", &CBackgroundSpriteGenerator::m_count, 0, 0u));
    record->AddProperty(
        new CFixedListChoiceProperty("Layer", &CBackgroundSpriteGenerator::m_layer, &GetLayerTable(), 0, nullptr));
}

CEnumTable& CBackgroundSpriteGenerator::GetLayerTable()
{
    static CEnumTable s_layers(kLayers);
    return s_layers;
}

CBackgroundSpriteGenerator::CBackgroundSpriteGenerator()
{
    InitOwnProperties();
    SetPropertiesToDefaults();
}

CBackgroundSpriteGenerator::~CBackgroundSpriteGenerator()
{
    DestroyOwnProperties();
}

uint32_t CBackgroundSpriteGenerator::Generate(CSpriteList& foreground, CSpriteList& background) const
{
    CSpriteList* list = m_layer == kForegroundLayer ? &foreground : m_layer == kBackgroundLayer ? &background : nullptr;
    if (!m_type || !list)
        return 0;
    uint32_t made = 0;
    for (; made < m_count; ++made) {
        CObject* clone = m_type->Clone();
        auto* behaviour = dynamic_cast<CSpriteAI*>(clone);
        if (!behaviour) {
            delete clone;
            break;
        }
        auto* sprite = new CAnimatedSprite;
        sprite->SetFlag(CSprite::kNotRecorded, true);
        sprite->AddAI(behaviour);
        list->Append(sprite);
    }
    return made;
}
