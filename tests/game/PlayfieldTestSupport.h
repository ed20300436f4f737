#pragma once
// Helpers of the playfield's tests: a font of plain blocks, a host that records what the playfield
// asks of the game, and a fixture that gives every test a fresh field with its round sets and
// layouts, a message display, and a way to step it.
#include "../graphics/FrameTestSupport.h"
#include "SpriteTestSupport.h"
#include "app/WindowProc.h"
#include "foundation/TextSubstitutionList.h"
#include "game/Playfield.h"
#include "game/PlayfieldHost.h"
#include "BrickTestSupport.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "game/ship/MessageDisplay.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/sprites/Sprite.h"
#include "objects/ArrayProperty.h"
#include "objects/ClassRecord.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace playfieldtest {

// A font whose printable glyphs (codes 32 to 126) are all width pixels wide (one of them a gap)
// and height pixels of ink tall; the blank is as wide and empty.
inline std::unique_ptr<CFont> MakeBlockFont(uint32_t width, uint32_t height)
{
    const uint32_t rows = height + 2;
    constexpr int first = 32, last = 126;
    CFrame strip;
    strip.Create(2 + width * (last - first + 1), rows + 1, 32);
    std::memset(strip.GetPixels(), 0, static_cast<size_t>(strip.GetPitch()) * strip.GetHeight() * 4);
    uint32_t x = 1;
    for (int c = first; c <= last; ++c) {
        if (c > first)
            frametest::WritePixel(strip, x, rows, 0xFFFFFFFFu);
        for (uint32_t column = 0; c > first && column + 1 < width; ++column)
            for (uint32_t row = 1; row <= height; ++row)
                frametest::WritePixel(strip, x + column, row, 0xFFF0E6B4u);
        x += width;
    }
    frametest::WritePixel(strip, x, rows, 0xFFFFFFFFu);
    frametest::WritePixel(strip, 0, 1, 0xFFFFFFFFu);
    frametest::WritePixel(strip, 0, rows - 1, 0xFFFFFFFFu);
    SetDisplayBitsPerPixel(16);
    auto font = std::make_unique<CFont>();
    font->SetPropertiesToDefaults();
    font->SetLoadFlags(0);
    font->SetCodeRange(first, last);
    font->SetBlitTypeByName("Transparent Mask");
    CFrameLoadStage stages;
    font->GetLoadStages(stages, nullptr);
    font->BuildGlyphsFromStrip(strip, &stages);
    return font;
}

// Keeps the current game's record and logs the game object's and the dialogs' calls.
class CRecordingHost : public CPlayfieldHost
{
public:
    void InvalidateScoreArea() override { ++m_scoreAreaRefreshes; }
    void SetRoundTitle(const char* title) override { m_roundTitle = title; }
    void GoToMainMenu() override { m_calls.push_back("GoToMainMenu"); }
    void ClearMode() override { m_calls.push_back("ClearMode"); }
    CPlayerControls* GetPlayerControls() override { return m_controls; }
    bool CheatsCount() const override { return m_cheatsCount; }
    bool IsDeveloperMode() const override { return m_developerMode; }
    const char* GetDifficultyName(uint32_t difficulty) const override
    {
        static const char* const names[] = {"Easy", "Normal", "Hard", "Insane"};
        return difficulty < 4 ? names[difficulty] : "";
    }
    void ShowPictureScreen(const char* name, const CTextSubstitutionList& substitutions, float seconds) override
    {
        m_calls.push_back(std::string("Picture ") + name);
        m_pictureText = substitutions.Apply(CSharedString("%name/%difficulty/%score")).CStr();
        m_pictureSeconds = seconds;
    }
    void ShowTimedMessage(const char* text) override { m_timedMessages.push_back(text); }
    void StartForceFeedback(const char* effect, const CPlayerControls*) override { m_forceEffects.push_back(effect); }
    void SetForceEffectFlags(uint32_t bits) override { m_forceBits |= bits; }
    void ClearForceEffectFlags(uint32_t bits) override { m_forceBits &= ~bits; }

    void ResetCurrentGame() override
    {
        m_score = 7;
        m_cheated = true;
        m_gameTime = 9.0f;
    }
    uint32_t GetScore() const override { return m_score; }
    void SetScore(uint32_t score) override { m_score = score; }
    uint32_t GetDifficulty() const override { return m_difficulty; }
    void SetDifficulty(uint32_t difficulty) override { m_difficulty = difficulty; }
    void SetStartRound(uint32_t round) override { m_startRound = round; }
    void SetLastRound(uint32_t round) override { m_lastRound = round; }
    void SetStartTime(uint64_t time) override { m_startTime = time; }
    float GetGameTime() const override { return m_gameTime; }
    void SetGameTime(float seconds) override { m_gameTime = seconds; }
    bool IsCheated() const override { return m_cheated; }
    void SetCheated(bool cheated) override { m_cheated = cheated; }
    const char* GetPlayerName() const override { return "Ann"; }
    bool HasReachedCheckPoint(uint32_t set, uint32_t checkPoint) const override
    {
        return m_checkPoints.count({set, checkPoint}) > 0;
    }
    void SetCheckPointReached(uint32_t set, uint32_t checkPoint) override { m_checkPoints.insert({set, checkPoint}); }
    void RecordFinishedGame() override { m_calls.push_back("RecordFinishedGame"); }
    uint32_t CountHigherScores(uint32_t, uint32_t) const override { return m_higher; }
    uint32_t CountPersonalHigherScores(uint32_t, uint32_t) const override { return m_personalHigher; }
    void ArchiveCurrentGame() override { m_calls.push_back("ArchiveCurrentGame"); }
    void SaveFinishedGame() override { m_calls.push_back("SaveFinishedGame"); }
    void ShowVerdict(const char* text) override
    {
        m_calls.push_back("ShowVerdict");
        m_verdicts.push_back(text);
    }

    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : m_calls)
            n += c == call;
        return n;
    }

    std::vector<std::string> m_calls;
    std::vector<std::string> m_verdicts;
    std::vector<std::string> m_timedMessages;
    std::string m_roundTitle;
    std::string m_pictureText;
    float m_pictureSeconds = 0.0f;
    int m_scoreAreaRefreshes = 0;
    CPlayerControls* m_controls = nullptr;
    bool m_cheatsCount = true;
    bool m_developerMode = false;
    uint32_t m_score = 0;
    uint32_t m_difficulty = 1;
    uint32_t m_startRound = 0;
    uint32_t m_lastRound = 0;
    uint64_t m_startTime = 0;
    float m_gameTime = 0.0f;
    bool m_cheated = false;
    uint32_t m_higher = 0;
    uint32_t m_personalHigher = 0;
    uint32_t m_forceBits = 0;
    std::vector<std::string> m_forceEffects;
    std::set<std::pair<uint32_t, uint32_t>> m_checkPoints;
};

// A field of two round sets: the first of roundsInFirst rounds with checkpoints at rounds 0, 2 and
// 4, the second of two rounds without checkpoints. Every round lays three needed bricks and one
// that is not.
class PlayfieldTest : public ::testing::Test
{
protected:
    static constexpr float kStep = 1.0f / 60.0f;
    static constexpr uint32_t kRoundsInFirst = 6;

    void SetUp() override
    {
        // An active window: clearing the keyboard then pumps events without waiting for focus.
        SetMainWindowState(true, false);
        m_oldFolder = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
        SetBaseFolder(".");
        bricktest::LoadBrickSounds();
        WriteResource("!None.Brick", "CBrickInfo\r\n{\r\n}\r\n");
        WriteResource("Needed.Brick", "CBrickInfo\r\n{\r\n}\r\n");
        WriteResource("Wall.Brick", "CBrickInfo\r\n{\r\n\tBrick Type=Obstacle\r\n}\r\n");
        WriteResource("!None.Background", "CBackgroundDefinition\r\n{\r\n}\r\n");
        WriteResource("Space.Background", "CBackgroundDefinition\r\n{\r\n}\r\n");
        CBrickInfoCollection::GetInstance().SetUpAtStartUp();
        CBackgroundCollection::GetInstance().SetUpAtStartUp();
        WriteResource("!None.Vantorel", "CBrickLayout\r\n{\r\n}\r\n");
        for (uint32_t round = 0; round < kRoundsInFirst + 2; ++round)
            WriteLayout(round);
        CBrickLayoutCollection::GetInstance().SetUpAtStartUp();
        std::vector<std::string> first, second;
        for (uint32_t round = 0; round < kRoundsInFirst + 2; ++round)
            (round < kRoundsInFirst ? first : second).push_back(LayoutName(round));
        WriteResource("First.RoundSet", bricktest::RoundSetText(first, {0, 2, 4}));
        WriteResource("Second.RoundSet", bricktest::RoundSetText(second, {}));
        CRoundSetCollection::GetInstance().SetUpAtStartUp();

        m_small = MakeBlockFont(4, 6);
        m_large = MakeBlockFont(4, 10);
        m_display = std::make_unique<CMessageDisplay>(m_small.get(), m_large.get(), m_small.get(), 531, 35, 88, 93);
        SetMessageDisplay(m_display.get());
        m_field = std::make_unique<CPlayfield>();
        m_field->SetHost(&m_host);
        SetPlayfield(m_field.get());
    }

    void TearDown() override
    {
        m_field.reset();
        m_display.reset();
        CRoundSetCollection::GetInstance().FreeEntries();
        CSequenceCollection::GetInstance().FreeEntries();
        bricktest::FreeBrickCollections();
        std::filesystem::current_path(m_oldFolder);
        SetBaseFolder(".");
    }

    // Looks named as the game asks for them ("TX Ship", "Ball"): each one opaque block of the size
    // with its hot spot at (hotX, hotY), written undithered into the data and listed, since the
    // ship and the ball take their looks from the sequence list alone.
    struct BlockLook
    {
        const char* name;
        uint32_t width, height;
        int16_t hotX, hotY;
    };
    static void SaveBlockLooks(const std::vector<BlockLook>& looks)
    {
        for (const BlockLook& look : looks) {
            CSequence sequence;
            sequence.SetPropertiesToDefaults();
            sequence.SetLoadFlags(sequence.GetLoadFlags() & ~CSequence::kDoDither);
            ASSERT_TRUE(sequence.SetBlitTypeByName("Transparent Mask"));
            const std::vector<std::string> rows(look.height, std::string(look.width, '#'));
            sequence.AddFrame(spritetest::MakeFrame(32, rows, look.hotX, look.hotY, 0xFFC8C8C8u));
            ASSERT_TRUE(sequence.SaveProperties("Resources", look.name));
            ASSERT_TRUE(sequence.SaveSourceImage("Resources", look.name, CSequenceSourceOptions()));
        }
        CSequenceCollection::GetInstance().SetUpAtStartUp();
    }

    // The behaviour of a needed brick of the default outline (the brick type "Needed").
    static CBrickAI* NewNeededBrickAI()
    {
        CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
        CBrickInfo* info = bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName("Needed", -1)));
        return new CBrickAI(nullptr, info, nullptr, -1, -1);
    }

    static std::string LayoutName(uint32_t round) { return "Rounds/Round " + std::to_string(round); }
    static std::string LayoutPath(uint32_t round) { return "Resources/" + LayoutName(round) + ".Vantorel"; }
    static void WriteResource(const std::string& name, const std::string& text) { bricktest::WriteResource(name, text); }
    // Every round lays three needed bricks in a row and an obstacle after them, and picks
    // power-ups of kind 2 three times as often as kind 3, and no others.
    static void WriteLayout(uint32_t round)
    {
        CBrickLayout layout;
        layout.SetPropertiesToDefaults();
        layout.SetDisplayName(("Layout " + std::to_string(round)).c_str());
        auto array = [](const char* label) {
            return static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty(label));
        };
        array("Brick Palette")->Resize(&layout, 3);
        CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
        layout.m_palette[1] = static_cast<uint32_t>(bricks.FindIndexByName("Needed", -1));
        layout.m_palette[2] = static_cast<uint32_t>(bricks.FindIndexByName("Wall", -1));
        const uint8_t cells[] = {1, 1, 1, 2};
        for (uint32_t column = 0; column < 4; ++column)
            layout.m_layout.GetPixels()[layout.m_layout.GetRowOffsets()[2] + 2 + column] = cells[column];
        layout.m_useDefaultWeights = false;
        std::fill(layout.m_weights, layout.m_weights + layout.m_weightCount, 0u);
        layout.m_weights[2] = 3;
        layout.m_weights[3] = 1;
        std::filesystem::create_directories("Resources/Rounds");
        ASSERT_TRUE(layout.Save(LayoutPath(round).c_str()));
    }

    void Step(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            m_field->Update(kStep);
    }

    // A new game whose bricks lie and whose ball sits on the ship.
    void StartLaidGame(uint32_t round = 0, uint32_t difficulty = 1)
    {
        m_field->StartNewGame(round, difficulty, false);
        ASSERT_TRUE(m_field->HandleSkipKey(CPlayfield::kEnterKey));
    }

    void KillBricks()
    {
        for (CSprite* brick = m_field->GetBricks().GetHead(); brick; brick = brick->GetNext())
            brick->SetFlag(CSprite::kDead, true);
    }

    std::vector<std::string> MessageLines() const
    {
        std::vector<std::string> lines;
        for (uint32_t i = 0; i < m_display->GetLineCount(); ++i)
            lines.push_back(m_display->GetLine(i));
        return lines;
    }

    testsupport::TempDir m_dir;
    std::filesystem::path m_oldFolder;
    CRecordingHost m_host;
    std::unique_ptr<CFont> m_small;
    std::unique_ptr<CFont> m_large;
    std::unique_ptr<CMessageDisplay> m_display;
    std::unique_ptr<CPlayfield> m_field;
};

} // namespace playfieldtest
