#pragma once
// The resource groups the game registers at start-up, shared with the window gallery so that both
// find the same pictures, sequences and skins in the same way.
//
// The rule a caller must know: register before asking any of these collections for an item.
#include <cstdint>

class CFrameCollection;

// Where the windows keep their positions and sizes between runs.
constexpr const char* kWindowStateFile = "Vantorel Editor.ini";

// Gives the window textures one load stage for the display, a plain conversion to the palette on
// an 8-bit display and a dithered one on any other, and lists them as "User Interface Textures"
// from "Interface/Textures".
void SetUpWindowTextures(CFrameCollection& textures, uint32_t displayDepth);
// Registers the typed groups of "Resources" in the start-up's order: "Sequences", "Brick Info",
// "Background Definition", "Rounds", "Skin Themes", "Round Sets", "Particle Generators".
void RegisterTypedResourceGroups();
