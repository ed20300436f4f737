#pragma once
// The options dialogs' tests: a screen window with headless input, a settings file of the test's
// own, and the dialog opened the way the options menu opens it.
#include "../ui/InputTestSupport.h"
#include "foundation/ConfigFile.h"

#include <string>

class OptionsDialogTest : public uitest::ScreenInputTest
{
protected:
    void SetUp() override
    {
        ScreenInputTest::SetUp();
        m_oldConfig = g_configFile.GetPath();
        g_configFile.SetPath((m_dir / "Vantorel.CFG").c_str());
    }
    void TearDown() override
    {
        g_configFile.SetPath(m_oldConfig.c_str());
        ScreenInputTest::TearDown();
    }
    void WriteSettings(const std::string& lines)
    {
        testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG", "[Options]\r\n" + lines);
    }
    std::string Stored(const char* key)
    {
        char text[64] = "(missing)";
        ReadConfigString(g_configFile.GetPath(), "Options", key, text, sizeof text);
        return text;
    }
    void Click(CJWindow* window)
    {
        const CIntRect& r = window->GetScreenRect();
        Step({uitest::MoveTo((r.m_left + r.m_right) / 2, (r.m_top + r.m_bottom) / 2)});
        Step({uitest::kPress});
        Step({uitest::kRelease});
    }

    testsupport::TempDir m_dir;
    std::string m_oldConfig;
};
