#pragma once
// A fresh headless display, a settings file of its own and an empty command line for each test of
// the screen frame, the back buffer and the mode set-up.
#include "TestSupport.h"
#include "foundation/ConfigFile.h"
#include "foundation/Win32Services.h"
#include "graphics/ScreenMode.h"
#include "platform/headless/HeadlessBackend.h"

#include <gtest/gtest.h>
#include <string>

class DisplayFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::GetHeadlessBackend().Reset();
        m_oldConfig = g_configFile.GetPath();
        g_configFile.SetPath(m_configPath.c_str());
        SetCommandLine("");
        SetDisplayBitsPerPixel(8);
    }
    void TearDown() override
    {
        g_configFile.SetPath(m_oldConfig.c_str());
        SetCommandLine("");
        platform::GetHeadlessBackend().Reset();
    }

    platform::MemoryDisplay& Device() { return platform::GetHeadlessBackend().GetMemoryDisplay(); }

    testsupport::TempDir m_dir;
    std::string m_configPath = m_dir / "Settings.ini";
    std::string m_oldConfig;
};
