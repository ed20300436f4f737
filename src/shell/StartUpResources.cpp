#include "shell/StartUpResources.h"

#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/SequenceCollection.h"
#include "ui/SkinThemeList.h"

void SetUpWindowTextures(CFrameCollection& textures, uint32_t displayDepth)
{
    CFrameLoadStage stages;
    stages.AddStage(displayDepth == 8 ? kStageDepthConvert : kRequestDitheredDepthConvert);
    textures.SetDefaultLoadStages(stages);
    textures.SetUpFolder("User Interface Textures", "Interface/Textures");
}

void RegisterTypedResourceGroups()
{
    CSequenceCollection::GetInstance().SetUpAtStartUp();
    CBrickInfoCollection::GetInstance().SetUpAtStartUp();
    CBackgroundCollection::GetInstance().SetUpAtStartUp();
    CBrickLayoutCollection::GetInstance().SetUpAtStartUp();
    GetSkinThemeList().SetUp();
    CRoundSetCollection::GetInstance().SetUpAtStartUp();
    CParticleGeneratorCollection::GetInstance().SetUpAtStartUp();
}
