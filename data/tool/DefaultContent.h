#pragma once
// The project's default data set: what each archive of the folder "Data" holds and where it
// comes from. Adding content is adding a line to one of the steps in DefaultContent.cpp.
#include "CompanyLogo.h"
#include "ContentSet.h"
#include "FontPainter.h"
#include "Image.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

struct ContentSources
{
    std::filesystem::path sourceFolder; // the project's data/ folder
    std::string fontFolder;             // the folder of Debian's DejaVu faces
};

// Everything drawn for the data set, kept for the previews; all of it is in the archives too.
struct DrawnContent
{
    CImage companyLogo; // the frame "CompanyLogo"
    CImage mouseCursor; // the one frame of the sequence "MouseCursor"
    CImage mainMenu;    // the frame "Main Menu Pluvex"
    CImage scoreBoard;  // the frame "Score Board Frame"
    CImage gameOver;    // the frame "Game Over"
    CImage completedGame; // the frame "Completed Game"
    std::vector<std::pair<std::string, CImage>> advertisements; // frames named "Advertisement ..."
    std::vector<FontImages> fonts;
};

// Builds the whole data set. False, with error set, when a source cannot be read.
bool BuildDefaultContent(const ContentSources& sources, CContentSet& set, DrawnContent& drawn, std::string& error);
