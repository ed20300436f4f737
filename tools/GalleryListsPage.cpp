#include "GalleryListsPage.h"

#include "GalleryWindows.h"
#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "objects/FolderTree.h"
#include "objects/ItemListTreeAdapter.h"
#include "objects/ValueNameList.h"
#include "ui/JDropDownBox.h"
#include "ui/JHeader.h"
#include "ui/JListBox.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The models the lists show; they live as long as the program.
struct GalleryModels
{
    CValueNameList scores;
    CItemListTreeAdapter scoreRows{&scores};
    CValueNameList files;
    std::unique_ptr<CFolderTree> folders;
    CValueNameList difficulties;
    CItemListTreeAdapter difficultyRows{&difficulties};
    CValueNameList rounds;
    CItemListTreeAdapter roundRows{&rounds};
};

GalleryModels& Models()
{
    static GalleryModels models;
    if (models.scores.GetCount())
        return models;
    const struct
    {
        const char* name;
        int rounds;
        int score;
    } players[] = {{"Ada", 12, 48200},  {"Brick Baron", 9, 9150},  {"Cora", 30, 1203400}, {"Dex", 3, 800},
                   {"Elin", 21, 310050}, {"Fenwick", 10, 10000}, {"Gus", 15, 99999},    {"Hana", 27, 880120},
                   {"Ivo", 1, 50},       {"Juno", 18, 150000},   {"Kit", 6, 4600},      {"Lumen", 24, 512000}};
    for (const auto& player : players) {
        const std::string row =
            std::string(player.name) + "\t" + std::to_string(player.rounds) + "\t" + std::to_string(player.score);
        models.scores.Add(row.c_str(), 0);
    }
    for (const char* path : {"Rounds/Classic/Round 01.txt", "Rounds/Classic/Round 02.txt", "Rounds/Bonus/Warp.txt",
                             "Sounds/Ball Hit.wav", "Sounds/Player Error.wav", "Vantorel.ini"})
        models.files.Add(path, 0);
    models.folders = std::make_unique<CFolderTree>(&models.files);
    for (const char* name : {"Easy", "Normal", "Hard", "Insane"})
        models.difficulties.Add(name, 0);
    for (int i = 1; i <= 30; ++i)
        models.rounds.Add(("Round " + std::to_string(i)).c_str(), 0);
    return models;
}

// The page: the window texture over the whole screen, the title, and a line naming the choices.
class CGalleryListsPage : public CGalleryPage
{
public:
    explicit CGalleryListsPage(CJWindow* screen) : CGalleryPage(screen, "Lists") {}
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        CGalleryPage::Draw(frame);
        if (CFont* font = GetFont())
            font->DrawText(frame, 12, GetHeight() - 2 * GalleryLineHeight(this), m_status.c_str(), kJustifyLeft);
    }
    void OnCommand(CJWindow* sender, int32_t code) override
    {
        if (auto* box = dynamic_cast<CJDropDownBox*>(sender))
            m_status = std::string(code ? "Shown: " : "Chosen: ") + box->GetSelectedText();
        else if (auto* list = dynamic_cast<CJListBox*>(sender))
            m_status = std::string(code ? "Selected: " : "Double-clicked: ") + list->GetSelectedText();
        CJWindow::OnCommand(sender, code);
    }

private:
    std::string m_status = "Click a title to sort; F4, Up or Down open the focused drop-down box.";
};

// A label drawn in the window font at its top-left corner.
class CGalleryCaption : public CJWindow
{
public:
    CGalleryCaption(CJWindow* parent, const char* text) : CJWindow(parent, text)
    {
        SetRect({0, 0, 200, GalleryLineHeight(this) + 2});
    }
    void Draw(COffsetClippedProxyFrame* frame) override { DrawText(frame, 0, 0, kJustifyLeft); }
};

} // namespace

void OpenGalleryListsPage(CJWindow* screen)
{
    GalleryModels& models = Models();
    auto* page = new CGalleryListsPage(screen);
    OpenGalleryPage(screen, page);
    const int32_t line = GalleryLineHeight(page), top = 3 * line;

    auto* scoresCaption = new CGalleryCaption(page, "High scores");
    scoresCaption->SetPosition(20, top);
    page->AddChild(scoresCaption, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* header = new CJHeader(page);
    header->AddColumn(120, nullptr, kJustifyLeft, 1, 0, "Player");
    header->AddColumn(60, nullptr, kJustifyRight, 0, 0, "Rounds");
    header->AddColumn(80, nullptr, kJustifyRight, 0, 1, "Score");
    header->SetRect({20, top + line + 4, 300, top + 2 * line + 12});
    page->AddChild(header, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* scores = new CJListBox(page, &models.scoreRows, 60, 1);
    page->AddChild(scores, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    scores->SetRect({20, header->GetRect().m_bottom, 300, header->GetRect().m_bottom + 8 * line});
    scores->AttachHeader(header);
    scores->SortAllRows();
    scores->SelectRow(2, true);

    auto* treeCaption = new CGalleryCaption(page, "Data files");
    treeCaption->SetPosition(340, top);
    page->AddChild(treeCaption, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* tree = new CJListBox(page, models.folders.get(), 60, 0);
    page->AddChild(tree, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    tree->SetRect({340, top + line + 4, 620, header->GetRect().m_bottom + 8 * line});
    tree->OnKey('*');
    tree->SelectRow(3, true);

    const int32_t boxesTop = scores->GetRect().m_bottom + 2 * line;
    auto addBox = [&](const char* caption, CTreeModel* model, int32_t x, uint32_t selected) {
        auto* label = new CGalleryCaption(page, caption);
        label->SetPosition(x, boxesTop);
        page->AddChild(label, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        auto* box = new CJDropDownBox(page, model, 30);
        page->AddChild(box, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        box->SetRect({x, boxesTop + line + 4, x + 180, boxesTop + line + 4 + box->GetHeight()});
        box->SelectItemById(selected, true);
        return box;
    };
    CJDropDownBox* roundBox = addBox("Start at round", &models.roundRows, 20, 11);
    addBox("Difficulty", &models.difficultyRows, 340, 1);

    screen->ActivateChild(page);
    page->ActivateChild(roundBox);
}
