#pragma once
// The company logo the program shows first ("CompanyLogo"): the name "Vantorel" in bevelled gold
// under an orb with its orbit ring, on a night sky, filling the 640 x 480 screen.
#include "Image.h"

#include <string>

constexpr int kLogoWidth = 640;
constexpr int kLogoHeight = 480;

// The logo, lettered with the DejaVu faces of fontFolder. An empty picture, with error set, when
// the face does not open.
CImage PaintCompanyLogo(const std::string& fontFolder, std::string& error);
