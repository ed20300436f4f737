#pragma once
// The font list "Fonts": the bitmap fonts of the folder "Fonts", each in its item folder
// "-<name>", created as a CFont the first time it is asked for and kept until the list unloads.
#include "graphics/SequenceCollection.h"

class CFont;
class CFrameLoadStage;

class CFontCollection : public CSequenceCollection
{
public:
    CFontCollection();
    ~CFontCollection() override;

    // The process's font list.
    static CFontCollection& GetInstance();
    // The start-up's set-up: registers the list under "Fonts" (once), makes "Fonts" its folder and
    // takes one entry per item folder there (or per source image of the cache).
    void SetUpAtStartUp();
    // The stage list the fonts load through from now on (copied; null: each font's own).
    void SetLoadStages(const CFrameLoadStage* stages);

    // A new CFont, handed out before it loads; returned whether or not it loaded.
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;

    // The loaded font of that name; null when the list has no such name (no report).
    CFont* FindFont(const char* name);

private:
    CFrameLoadStage* m_loadStages = nullptr;
};
