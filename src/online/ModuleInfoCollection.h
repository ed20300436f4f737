#pragma once
// The installed modules, "Module Info": the files "<module>.modinfo" under "Resources" (sub-folders
// not beginning with '-' included), each read as a CModuleInfo the first time it is asked for. The
// entry "TheGame" is the game itself; the start-up stamps the running program's build and version
// into it, so that the version check compares what actually runs.
#include "objects/ResourceCollection.h"

class CModuleInfo;

class CModuleInfoCollection : public CResourceCollection
{
public:
    // The entry name of the game's own module.
    static constexpr const char* kGameModuleName = "TheGame";

    CModuleInfoCollection();
    ~CModuleInfoCollection() override;

    // The process's module library.
    static CModuleInfoCollection& GetInstance();
    // The start-up's set-up: registers the library as the typed group "Module Info" of the
    // "modinfo" files under "Resources".
    void SetUpAtStartUp();
    // Stores the program's build number and its version text ("1.4 Build 75") into "TheGame".
    // False when the library has no such module.
    bool StoreProgramVersion();

    // The installed module of that entry name (compared without regard to case); null when none
    // is installed or its file cannot be read. Never ends the program.
    CModuleInfo* FindModule(const char* moduleName);
    // The module at index i; null when its file cannot be read.
    CModuleInfo* GetModule(uint32_t i);

    // Reads "<folder>/<file name>.modinfo" (not saved back); null when it cannot be read or holds
    // an object of another class.
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;
};
