#pragma once
// The overlay options list "Frame Overlay Options": the files "<name>.FOO" of the folder
// "Resources" (and its sub-folders not beginning with '-'), each read as a CFrameOverlayOptions
// the first time it is asked for (GetByName: a name the list lacks ends the program). A file that
// holds another class is not taken.
#include "objects/ResourceCollection.h"

class CFrameOverlayOptionsCollection : public CResourceCollection
{
public:
    CFrameOverlayOptionsCollection();
    ~CFrameOverlayOptionsCollection() override;

    // The process's overlay options list.
    static CFrameOverlayOptionsCollection& GetInstance();
    // The start-up's set-up: registers the list under "Frame Overlay Options" (once), makes
    // "Resources" its folder and takes one entry per "FOO" file there.
    void SetUpAtStartUp();

    // Reads "<folder>/<file name>.FOO" (not saved back); null when it cannot be read or holds an
    // object of another class.
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;
};
