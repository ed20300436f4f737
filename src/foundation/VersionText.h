#pragma once
// The product's name and version text.
#include "foundation/SharedString.h"

void GetProductName(CSharedString& name);
int GetBuildNumber();
// "1.4 Build 75" with the localised word for "Build".
void FormatVersionAndBuild(CSharedString& text);
CSharedString FormatVersionAndBuild();
// "Vantorel Version 1.4 Build 75" with the localised word for "Version"; the agent text of
// internet requests.
void FormatProductVersionText(CSharedString& text);
CSharedString FormatProductVersionText();
