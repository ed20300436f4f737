#pragma once
// The three small icons of tree lists in the frame list: "Folder Open Icon", "Folder Closed Icon"
// and "File Icon", drawn here on a transparent background.
//
// The rule a caller must know: all three are the same size, so rows line up whichever shows.
#include "ContentSet.h"
#include "Image.h"

#include <string>
#include <vector>

struct ListIcon
{
    const char* name;
    CImage image;
};

std::vector<ListIcon> PaintListIcons();

// Adds the icons as the frame list's source images ("Cache/Resources/<name>.Frame"). False, with
// error set, when one cannot be encoded or is there twice.
bool AddListIcons(CContentSet& set, std::string& error);
