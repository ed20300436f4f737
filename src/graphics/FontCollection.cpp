#include "graphics/FontCollection.h"

#include "graphics/Font.h"
#include "graphics/FrameLoadStage.h"

CFontCollection::CFontCollection() : CSequenceCollection(CFont::GetStaticClassRecord())
{
}

CFontCollection::~CFontCollection()
{
    delete m_loadStages;
}

CFontCollection& CFontCollection::GetInstance()
{
    static CFontCollection s_fonts;
    return s_fonts;
}

void CFontCollection::SetUpAtStartUp()
{
    SetUp("Fonts", "Fonts");
}

void CFontCollection::SetLoadStages(const CFrameLoadStage* stages)
{
    delete m_loadStages;
    m_loadStages = nullptr;
    if (stages) {
        m_loadStages = new CFrameLoadStage;
        m_loadStages->SetPreferredDepth(stages->GetPreferredDepth());
        m_loadStages->AddStagesFrom(*stages);
    }
}

CObject* CFontCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    auto* font = new CFont;
    if (out)
        *out = font;
    font->Load(folder, fileName, m_loadStages);
    return font;
}

CFont* CFontCollection::FindFont(const char* name)
{
    return dynamic_cast<CFont*>(FindSequence(name));
}
