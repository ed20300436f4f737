#include "game/bricks/BackgroundDefinition.h"

#include "game/bricks/BackgroundSpriteGenerator.h"
#include "graphics/FrameCollection.h"
#include "graphics/SequenceCollection.h"
#include "objects/ArrayProperty.h"
#include "objects/BoolProperty.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/IntPointProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "sound/MusicMixerData.h"

IMPLEMENT_CLASS_RECORD(CBackgroundDefinition, CObject, 1.0f)
void CBackgroundDefinition::AddProperties(CClassRecord* record)
{
    using C = CBackgroundDefinition;
    CSequenceCollection* sequences = &CSequenceCollection::GetInstance();
    record->AddProperty(new CBoolProperty("Draw Shadows", &C::m_hasShadows, 0, false));
    record->AddProperty(CIntPointProperty::ConstructFromValues("Shadow Offset", &C::m_shadowOffset, 0, 10, 10));
    auto* foreground = new CFixedListChoiceProperty("Layers/Foreground Image", &C::m_foregroundSequence, sequences, 0,
                                                    nullptr);
    foreground->SetHelpText("This image is infront of everything including the playfield and the ship");
    record->AddProperty(foreground);
    record->AddProperty(new CBoolProperty("Layers/Playfield", &C::m_playfieldLayer, 0, false));
    record->AddProperty(new CBoolProperty("Layers/Foreground Sprites", &C::m_foregroundSpritesLayer, 0, false));
    auto* midground = new CFixedListChoiceProperty("Layers/Midground Image", &C::m_midgroundSequence, sequences, 0,
                                                   nullptr);
    midground->SetHelpText("This image is behind the playfield but in front of the background sprites");
    record->AddProperty(midground);
    record->AddProperty(new CBoolProperty("Layers/Background Sprites", &C::m_backgroundSpritesLayer, 0, false));
    auto* background = new CFixedListChoiceProperty("Layers/Background Image", &C::m_backgroundFrame,
                                                    &CFrameCollection::GetInstance(), 0, nullptr);
    background->SetHelpText("This image is behind everything including the background sprites");
    record->AddProperty(background);
    record->AddProperty(new CObjectPointerProperty("Music Tracks", &C::m_music, 0, CMusicMixerData::GetStaticClassRecord(),
                                                   nullptr));
    record->AddProperty(new CArrayProperty(
        "Sprites/Sprite Generators", &C::m_generatorCount, &C::m_generators, &C::m_generatorCapacity, false,
        new CObjectPointerProperty("Generator", 0, sizeof(CBackgroundSpriteGenerator*), 0,
                                   CBackgroundSpriteGenerator::GetStaticClassRecord(),
                                   CBackgroundSpriteGenerator::GetStaticClassRecord(), nullptr),
        nullptr, 0));
}

CBackgroundDefinition::CBackgroundDefinition()
{
    InitOwnProperties();
    SetPropertiesToDefaults();
}

CBackgroundDefinition::~CBackgroundDefinition()
{
    DestroyOwnProperties();
}

CBackgroundSpriteGenerator* CBackgroundDefinition::GetGenerator(uint32_t i) const
{
    return i < m_generatorCount && m_generators ? m_generators[i] : nullptr;
}

uint32_t CBackgroundDefinition::CreateDecorations(CSpriteList& foreground, CSpriteList& background,
                                                  int detailLevel) const
{
    if (detailLevel != kDecorationDetailLevel)
        return 0;
    uint32_t made = 0;
    for (uint32_t i = 0; i < m_generatorCount; ++i)
        if (const CBackgroundSpriteGenerator* generator = GetGenerator(i))
            made += generator->Generate(foreground, background);
    return made;
}
