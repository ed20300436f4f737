#pragma once
// Pictures of the drawn content for people to look at: PAM files (netpbm's RGB_ALPHA, which
// ImageMagick's convert turns into PNG), and a sheet per font showing every glyph and a line of
// text set with them.
#include "DefaultContent.h"

#include <filesystem>
#include <string>

// Bytes of a PAM file of the picture (rows top first, R, G, B, A).
std::vector<uint8_t> EncodePam(const CImage& image);

// Every glyph in rows of 32 codes, then a sample line set glyph after glyph as the program sets
// text, on a dark background.
CImage MakeFontSheet(const FontImages& font);

// Writes the logo, the cursor, the end pictures, a sheet of the brick looks and a sheet per font
// into the folder. False, with error set, when
// a file cannot be written.
bool WritePreviews(const DrawnContent& drawn, const std::filesystem::path& folder, std::string& error);
