#pragma once
// The application's calls into the display surface, the archive set, the class and resource
// registries, frames, fonts and the localisation table. Each is one small function so that the
// start-up sequence reads as a list. Where the layer underneath does not exist yet, the function
// does the least the program needs to run, as its comment says.
#include "graphics/IntRect.h"

class CFont;
class CFrame;
class CFrameInterface;
class CFrameOverlayOptions;
class CScreenFrame;
class CSequence;

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

// Draws the text overlays of the options on the frame (no overlays yet: nothing).
void DrawTextOverlays(CFrameOverlayOptions* overlays, CFrame* frame);

// Unloads every registered resource collection; clears their usage marks.
void UnloadAllResources();
void ClearAllResourceUsageMarks();

// Loads the localisation table and translates the registered texts; a missing table leaves them.
void LoadLocalizationTable(const char* fileName);

// The frame-statistics line. Until fonts exist the line is written to the terminal, at most once
// a second, instead of being drawn, and no font is needed for it.
bool CanShowStatistics(const CFont* font);
void DrawStatisticsLine(CScreenFrame* display, CFont* font, int line, const char* text, int red, int green,
                        int blue);

// Animation sequences, as the drawn mouse cursor uses them. No sequences yet: none has frames.
int GetSequenceFrameCount(const CSequence* sequence);
// Frames per second.
float GetSequenceFrameRate(const CSequence* sequence);
// Draws frame index with its hot spot at (x, y) through the sequence's blitter.
void DrawSequenceFrameAt(CFrameInterface* target, CSequence* sequence, int index, int x, int y);
// The frame's rectangle relative to its hot spot; false when the sequence has no such frame.
bool GetSequenceFrameRect(const CSequence* sequence, int index, CIntRect& rect);
