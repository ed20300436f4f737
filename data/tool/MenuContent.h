#pragma once
// The main menu's looks and its commercials in the files the program loads them from: the
// sequence "Menu Ball" (a shaded ball turning through eight frames), the menu button's arm and
// panel sequences "Interface/Menu Button/{Arm Normal, Arm Hover, Panel Flip, Panel Pressed,
// Panel Normal, Panel Hover}" (each frame the button's full 291 x 54 with its hot spot at the
// centre), and the commercials "Resources/1 Intro.Commercial" and "Resources/Highlights.Commercial"
// in the object text format.
//
// The rule a caller must know: the sequences are written through a staging folder of their own,
// so no other staging folder may live while AddMenuContent runs.
#include "ContentSet.h"

#include <string>

// False, with error set, when one cannot be drawn, written or added.
bool AddMenuContent(CContentSet& set, std::string& error);
