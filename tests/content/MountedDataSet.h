#pragma once
// The built data set copied into a work folder of the test and mounted as the program mounts it
// beside itself; the archives are unmounted again after the test.
#include "ContentTestSupport.h"
#include "../foundation/ZipTestHelpers.h"
#include "foundation/MountArchives.h"

#include <gtest/gtest.h>

#include <filesystem>

class MountedDataSet : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::copy(contenttest::BuiltDataFolder() / "Data", m_work.Path() / "Data",
                              std::filesystem::copy_options::recursive);
        MountArchivesWithProgramFile(nullptr, "Data", true, false);
    }

    filetest::WorkFolder m_work;
    ziptest::MountGuard m_unmount;
};
