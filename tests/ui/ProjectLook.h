#pragma once
// The look of the game for golden images: the data set the build made, mounted from a work
// folder, with its window font and window textures given to the toolkit. Tests that use it are
// skipped where the build has no data set.
#include "../foundation/FileTestHelpers.h"
#include "../foundation/ZipTestHelpers.h"
#include "foundation/MountArchives.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameCollection.h"
#include "ui/JWindow.h"

#include <filesystem>

namespace uitest {

class ProjectLook
{
public:
    ProjectLook()
    {
#ifdef VANTOREL_DATA_DIR
        std::error_code error;
        std::filesystem::copy(VANTOREL_DATA_DIR, m_work.Path() / "Data", std::filesystem::copy_options::recursive,
                              error);
        if (error)
            return;
        MountArchivesWithProgramFile(nullptr, "Data", true, false);
        CFontCollection::GetInstance().SetUpAtStartUp();
        m_font = CFontCollection::GetInstance().FindFont("OCR Monospaced Numbers");
        m_textures.SetUpFolder("User Interface Textures", "Interface/Textures");
        CJWindow::SetDefaultFont(m_font);
        CJWindow::SetSkinResources(nullptr, &m_textures);
#endif
    }
    ~ProjectLook()
    {
        CJWindow::SetSkinResources(nullptr, nullptr);
        m_textures.FreeEntries();
        CFontCollection::GetInstance().FreeEntries();
    }
    ProjectLook(const ProjectLook&) = delete;
    ProjectLook& operator=(const ProjectLook&) = delete;

    // Null without a data set.
    CFont* GetFont() const { return m_font; }

private:
    filetest::WorkFolder m_work;
    ziptest::MountGuard m_unmount;
    CFrameCollection m_textures;
    CFont* m_font = nullptr;
};

} // namespace uitest
