#pragma once
// The frame list: the stand-alone pictures of the folder "Resources", loaded by name on first
// use. Each loads through CreateFrameFromFolder with the list's default load stages (the frames'
// default list as it is at the load, unless the list was given stages of its own), from its cache
// or source image.
#include "graphics/FrameLoadStage.h"
#include "objects/ResourceCollection.h"

class CClassRecord;
class CFrame;

class CFrameCollection : public CResourceCollection
{
public:
    CFrameCollection();
    ~CFrameCollection() override;

    // The process's frame list, registered as "Frames" by the start-up.
    static CFrameCollection& GetInstance();
    // The start-up's set-up: SetUpFolder("Frames", "Resources").
    void SetUpAtStartUp();
    // Registers the list under the display name (once), makes the folder its folder and takes one
    // entry per picture: the TGA files under the folder (sub-folders beginning with '-' skipped)
    // or, when there are none, the frame files of "Cache/<folder>". Other lists of pictures (the
    // interface textures) are made this way.
    void SetUpFolder(const char* displayName, const char* folder);

    // Copies the list into the default stages used from now on.
    void SetDefaultLoadStages(const CFrameLoadStage& stages);
    // The stages given last (a list with no stages before any).
    const CFrameLoadStage& GetDefaultLoadStages() const { return m_defaultStages; }

    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;
    // "<folder>/<name>.txt": the picture's property file.
    void GetItemFilePath(uint32_t i, CSharedString& path) override;

private:
    CFrameLoadStage m_defaultStages;
    bool m_defaultStagesSet = false;
};

// The picture "<folder>/<name>": an object read from "<folder>/<name>.txt" when that file exists
// (a CFrame or a class derived from it), else a new object of the class (CFrame when null) with
// default properties; then its LoadCached. The object is returned whether or not it loaded.
CFrame* CreateFrameFromFolder(const char* folder, const char* name, CFrameLoadStage* stages, bool useCacheFolder,
                              uint32_t openMode, CClassRecord* record);
