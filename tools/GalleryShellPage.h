#pragma once
// The gallery's shell pages: the statistics dialog over sample profiles and games, on its "High
// Scores" tab, and the scrolling credits of the data set's "Credits.txt".
#include "ui/JWindow.h"

void OpenGalleryStatisticsPage(CJWindow* screen);
void OpenGalleryCreditsPage(CJWindow* screen);
