#include "foundation/VersionText.h"

#include "foundation/LocalizedString.h"

namespace {

constexpr const char* kProductName = "Vantorel";
constexpr const char* kVersionNumber = "1.4";
constexpr int kBuildNumber = 75;

} // namespace

CLocalizedString g_versionWord("Version", "As in \"Orvex Demo VERSION 1.0 Build 345\"");
CLocalizedString g_buildWord("Build", "As in \"Orvex Demo Version 1.0 BUILD 345\"");

void GetProductName(CSharedString& name)
{
    name.SetText(kProductName);
}

int GetBuildNumber()
{
    return kBuildNumber;
}

void FormatVersionAndBuild(CSharedString& text)
{
    text.Format("%s %s %d", kVersionNumber, g_buildWord.CStr(), GetBuildNumber());
}

CSharedString FormatVersionAndBuild()
{
    CSharedString text;
    FormatVersionAndBuild(text);
    return text;
}

void FormatProductVersionText(CSharedString& text)
{
    CSharedString name;
    GetProductName(name);
    const CSharedString versionAndBuild = FormatVersionAndBuild();
    text.Format("%s %s %s", name.CStr(), g_versionWord.CStr(), versionAndBuild.CStr());
}

CSharedString FormatProductVersionText()
{
    CSharedString text;
    FormatProductVersionText(text);
    return text;
}
