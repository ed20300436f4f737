#include "foundation/LocalizedString.h"

#include "foundation/VersionText.h"
#include "StringPrinters.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

int FindRegistration(const CLocalizedString* text)
{
    for (int i = 0; i < CLocalizedString::GetRegisteredCount(); ++i)
        if (CLocalizedString::GetRegisteredText(i) == text)
            return i;
    return -1;
}

TEST(LocalizedString, RegistersNonEmptyTextsAndUnregistersOnDestruction)
{
    const int before = CLocalizedString::GetRegisteredCount();
    {
        CLocalizedString play("Play", nullptr);
        CLocalizedString empty("", "never registered");
        CLocalizedString quit("Quit", "main menu button");
        EXPECT_EQ(CLocalizedString::GetRegisteredCount(), before + 2);
        EXPECT_EQ(play, "Play");
        EXPECT_STREQ(play.GetEnglishText(), "Play");
        const int at = FindRegistration(&quit);
        ASSERT_GE(at, 0);
        EXPECT_STREQ(CLocalizedString::GetRegisteredComment(at), "main menu button");
        EXPECT_EQ(FindRegistration(&empty), -1);
    }
    EXPECT_EQ(CLocalizedString::GetRegisteredCount(), before);
}

TEST(LocalizationTable, KeysCarryTheirComments)
{
    CLocalizationTable table;
    CSharedString untouched("Play");
    table.Translate(untouched); // a table that never held pairs leaves texts alone
    EXPECT_EQ(untouched, "Play");

    table.AddPair(CSharedString("Play"), CSharedString("Spielen"));
    table.AddPair(CSharedString("Play[END] (menu button)"), CSharedString("Los"));
    table.AddPair(CSharedString("Line one\nLine two"), CSharedString("Zeilen"));
    CSharedString plain("Play");
    table.Translate(plain);
    EXPECT_EQ(plain, "Spielen");
    CSharedString commented("Play");
    table.Translate(commented, "menu button");
    EXPECT_EQ(commented, "Los");
    CSharedString otherComment("Play");
    table.Translate(otherComment, "something else");
    EXPECT_EQ(otherComment, "Play");
    CSharedString twoLines("Line one\nLine two");
    table.Translate(twoLines);
    EXPECT_EQ(twoLines, "Zeilen");
    CSharedString joined("Line one Line two");
    table.Translate(joined);
    EXPECT_EQ(joined, "Line one Line two");
    CSharedString empty;
    table.Translate(empty);
    EXPECT_TRUE(empty.IsEmpty());
    CSharedString emptyComment("Play");
    table.Translate(emptyComment, "");
    EXPECT_EQ(emptyComment, "Spielen"); // an empty comment adds nothing to the key
}

TEST(LocalizationTable, ManyPairsSortedOnceAndFound)
{
    CLocalizationTable table;
    for (int i = 99; i >= 0; --i)
        table.AddPair(CSharedString(("key " + std::to_string(i)).c_str()), CSharedString(("value " + std::to_string(i)).c_str()));
    table.SortPairs();
    for (int i = 1; i < table.GetCount(); ++i)
        EXPECT_LT(table.GetKey(i - 1).Compare(table.GetKey(i)), 0);
    table.AddPair(CSharedString("late"), CSharedString("added after sorting"));
    for (int i = 0; i < 100; ++i) {
        CSharedString text(("key " + std::to_string(i)).c_str());
        table.Translate(text);
        EXPECT_EQ(text, ("value " + std::to_string(i)).c_str());
    }
    CSharedString late("late");
    table.Translate(late); // pairs added after a sort are sorted in before the next lookup
    EXPECT_EQ(late, "added after sorting");

    table.RemoveAllPairs();
    EXPECT_EQ(table.GetCount(), 0);
    CSharedString gone("late");
    table.Translate(gone);
    EXPECT_EQ(gone, "late");
}

TEST(LocalizationTable, TranslatesRegisteredTextsAndLocalizableTexts)
{
    auto bomb = std::make_unique<CLocalizedString>("Bomb", "power-up name");
    auto shield = std::make_unique<CLocalizedString>("Shield");
    CLocalizationTable table;
    table.AddPair(CSharedString("Bomb[END] (power-up name)"), CSharedString("Bombe"));
    table.AddPair(CSharedString("Shield[END] (wrong comment)"), CSharedString("Schild"));
    table.TranslateRegisteredTexts();
    EXPECT_EQ(*bomb, "Bombe");
    EXPECT_STREQ(bomb->GetEnglishText(), "Bomb");
    EXPECT_EQ(*shield, "Shield");
    // The program's own registered texts without pairs stay English.
    EXPECT_EQ(FormatProductVersionText(), "Vantorel Version 1.4 Build 75");

    CLocalizationTable::GetInstance().AddPair(CSharedString("Round Set"), CSharedString("Rundensatz"));
    CLocalizableText text;
    EXPECT_TRUE(text.GetDisplayText().IsEmpty());
    text.SetSourceText(CSharedString("Round Set"));
    EXPECT_EQ(text.GetSourceText(), "Round Set");
    EXPECT_EQ(text.GetDisplayText(), "Rundensatz");
    text.SetSourceText(CSharedString("Unknown"));
    EXPECT_EQ(text.GetDisplayText(), "Unknown");
}

} // namespace
