#pragma once
// The start-up status display: the archive mounting hands it progress texts ("Enumerating Zip
// Files"); it shows nothing.
class CStartupStatusDisplay
{
public:
    int ShowText(const char* text, int a, int b);
};

CStartupStatusDisplay& GetStartupStatusDisplay();
