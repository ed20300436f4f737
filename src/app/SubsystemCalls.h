#pragma once
// The application's calls into the display surface, the archive set, the class and resource
// registries, frames and the localisation table. Each is one small function so that the
// start-up sequence reads as a list. Where the layer underneath does not exist yet, the function
// does the least the program needs to run, as its comment says.
class CScreenFrame;

// Sorts the class registry by name, once, before objects are created by class name.
void SortClassRegistry();

// Mounts the archives of the program and the data folder "Data" (the base folder becomes "Data");
// unmounts them.
void MountDataArchives();
void UnmountDataArchives();

// The compressed frame and sequence caches ("/NoCompression" turns them off).
void SetFrameCacheCompression(bool enabled);

// Whether the file exists in the data (relative to the base folder).
bool DataFileExists(const char* name);
// Deletes a disk file named as given (no base folder, no archives); true on success.
bool RemoveVerbatimFile(const char* name);

// The display surface (null: none).
CScreenFrame* NewScreenFrame();
void DeleteScreenFrame(CScreenFrame* display);
bool HasDisplayPage(const CScreenFrame* display);
bool IsDisplayFullScreen(const CScreenFrame* display);
int GetDisplayWidth(const CScreenFrame* display);
int GetDisplayHeight(const CScreenFrame* display);
bool PresentDisplayPage(CScreenFrame* display);
void UpdateDisplayFade(CScreenFrame* display, float seconds);
// Sets the display mode from the settings and the command line; a depth, width or height of 0
// takes the setting.
void SetUpDisplayMode(int depth, int width, int height);

// Unloads every registered resource collection; clears their usage marks.
void UnloadAllResources();
void ClearAllResourceUsageMarks();

// Loads the localisation table and translates the registered texts; a missing table leaves them.
void LoadLocalizationTable(const char* fileName);
