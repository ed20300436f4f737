#include "FileTestHelpers.h"
#include "StringPrinters.h"
#include "foundation/FileBuf.h"
#include "foundation/LocalizedString.h"
#include "foundation/VirtualFile.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace {

using filetest::WorkFolder;
using testsupport::WriteFileBytes;

// Reads table text from memory.
void ReadTable(CLocalizationTable& table, const std::string& text)
{
    auto* stream = new CFileBuf();
    stream->Write(text.data(), static_cast<uint32_t>(text.size()));
    stream->Seek(0);
    CVirtualFile file;
    ASSERT_TRUE(file.AttachStream(stream, VF_READ));
    table.ReadEntries(file);
    table.SortPairs();
}

std::string Translated(CLocalizationTable& table, const char* text, const char* comment = nullptr)
{
    CSharedString string(text);
    table.Translate(string, comment);
    return string.CStr();
}

// The table of the tests below: a commented key, a multi-line key, a translation whose lines run
// on to its "[END]", overlong lines before and inside entries, CR LF line ends.
std::string SampleTable()
{
    const std::string overlong(5000, 'x');
    std::string text;
    text += "Vantorel localisation table\r\n";
    text += "ENGLISH: Play[END]\r\n";
    text += "LOCALIZED: Jouer[END]\r\n";
    text += "\r\n";
    text += "ENGLISH: Play[END] (Menu button)\r\n";
    text += "LOCALIZED: Lancer[END]\r\n";
    text += overlong + "\r\n";
    text += "ENGLISH: Line one\r\n";
    text += "Line two[END]\r\n";
    text += "LOCALIZED: Ligne un\r\n";
    text += "Ligne deux[END]\r\n";
    text += "ENGLISH: Long story[END]\r\n";
    text += "LOCALIZED: Il etait\r\n";
    text += overlong + "\r\n";
    text += "une fois[END] ignored\r\n";
    text += "ENGLISH: Quit[END]\n";
    text += "LOCALIZED: Quitter[END]\n";
    return text;
}

TEST(LocalizationFile, EntriesWithCommentsLinesAndOverlongLines)
{
    CLocalizationTable table;
    ReadTable(table, SampleTable());
    EXPECT_EQ(table.GetCount(), 5);
    EXPECT_EQ(Translated(table, "Play"), "Jouer");
    EXPECT_EQ(Translated(table, "Play", "Menu button"), "Lancer");
    EXPECT_EQ(Translated(table, "Play", "Other"), "Play");
    EXPECT_EQ(Translated(table, "Line one\nLine two"), "Ligne un\nLigne deux");
    EXPECT_EQ(Translated(table, "Line one Line two"), "Line one Line two");
    EXPECT_EQ(Translated(table, "Long story"), "Il etait\nune fois") << "the overlong line is passed over";
    EXPECT_EQ(Translated(table, "Quit"), "Quitter") << "entries after overlong lines are read";
}

TEST(LocalizationFile, LinesUpTo4094CharactersAreKept)
{
    const std::string kept(4094 - 16, 'k');     // "LOCALIZED: " + text + "[END]" = 4094
    const std::string skipped(4095 - 16, 's');  // one more: passed over
    std::string text;
    text += "ENGLISH: Kept[END]\n";
    text += "LOCALIZED: " + kept + "[END]\n";
    text += "ENGLISH: Skipped[END]\n";
    text += "LOCALIZED: " + skipped + "[END]\n";
    text += "LOCALIZED: Second[END]\n";
    text += std::string(4095, 'z'); // overlong last line without a line end
    CLocalizationTable table;
    ReadTable(table, text);
    EXPECT_EQ(table.GetCount(), 2);
    EXPECT_EQ(Translated(table, "Kept"), kept);
    EXPECT_EQ(Translated(table, "Skipped"), "Second");
}

TEST(LocalizationFile, EntriesCutShortByTheEndOfTheFile)
{
    CLocalizationTable table;
    ReadTable(table, "ENGLISH: One[END]\nLOCALIZED: Un[END]\nENGLISH: Two[END]\nLOCALIZED: Deux\nand more");
    EXPECT_EQ(Translated(table, "One"), "Un");
    EXPECT_EQ(Translated(table, "Two"), "Deux\nand more") << "an entry keeps what was read";

    CLocalizationTable keyOnly;
    ReadTable(keyOnly, "ENGLISH: One[END]\nLOCALIZED: Un[END]\nENGLISH: Three[END]\n");
    EXPECT_EQ(keyOnly.GetCount(), 2);
    EXPECT_EQ(Translated(keyOnly, "Three"), "") << "a key without its translation line";

    CLocalizationTable openKey;
    ReadTable(openKey, "ENGLISH: One[END]\nLOCALIZED: Un[END]\nENGLISH: Four\nrest");
    EXPECT_EQ(Translated(openKey, "One"), "Un");
    EXPECT_EQ(Translated(openKey, "Four\nrest"), "");
}

TEST(LocalizationFile, TranslationLinesAndTags)
{
    CLocalizationTable table;
    ReadTable(table, "ENGLISH: Short[END]\n"
                     "LOCAL[END]\n"                  // shorter than the 11-character prefix
                     "ENGLISH: Any prefix[END]\n"
                     "Whatever:  Texte[END]\n"       // the prefix is not tested
                     "ENGLISH: Cut[END]\n"
                     "LOCALIZED: Coupe[END]apres\n"  // cut at the tag
                     "ENGLISH: Empty text[END]\n"
                     "LOCALIZED: [END]\n"
                     "ENGLISH:Missing space[END]\n"  // no entry: skipped like a comment
                     "LOCALIZED: Nothing[END]\n");
    EXPECT_EQ(table.GetCount(), 4);
    EXPECT_EQ(Translated(table, "Short"), "");
    EXPECT_EQ(Translated(table, "Any prefix"), "Texte");
    EXPECT_EQ(Translated(table, "Cut"), "Coupe");
    EXPECT_EQ(Translated(table, "Empty text"), "");
    EXPECT_EQ(Translated(table, "Missing space"), "Missing space");
    EXPECT_EQ(Translated(table, ""), "") << "an empty text is never looked up";
}

TEST(LocalizationFile, LoadTranslatesTheRegisteredTexts)
{
    WorkFolder work;
    WriteFileBytes(work / "Local.txt", SampleTable());
    CLocalizedString play("Play");
    CLocalizedString button("Play", "Menu button");
    CLocalizedString lines("Line one\nLine two");
    CLocalizedString story("Long story", "");
    CLocalizedString untranslated("Options");

    CLocalizationTable table;
    EXPECT_FALSE(table.IsLoaded());
    ASSERT_TRUE(table.Load("local.TXT"));
    EXPECT_TRUE(table.IsLoaded());
    EXPECT_STREQ(table.GetPath(), "local.TXT");
    EXPECT_EQ(table.GetOpenFlag(), 0) << "read whole into memory";
    EXPECT_EQ(play, "Jouer");
    EXPECT_EQ(button, "Lancer");
    EXPECT_EQ(lines, "Ligne un\nLigne deux");
    EXPECT_EQ(story, "Il etait\nune fois");
    EXPECT_EQ(untranslated, "Options");
    EXPECT_STREQ(play.GetEnglishText(), "Play");
}

TEST(LocalizationFile, TheTableMayLieInTheBaseFolder)
{
    WorkFolder work;
    ASSERT_EQ(0, ::mkdir("Data", 0777));
    WriteFileBytes(work / "Data/Local.txt", SampleTable());
    SetBaseFolder("Data");
    CLocalizedString quit("Quit");
    CLocalizedString story("Long story");
    CLocalizationTable table;
    ASSERT_TRUE(table.Load("Local.txt"));
    EXPECT_EQ(table.GetOpenFlag(), 1) << "found by the plain read";
    EXPECT_EQ(quit, "Quitter");
    EXPECT_EQ(story, "Il etait\nune fois") << "the disk stream passes over overlong lines too";
}

TEST(LocalizationFile, MissingTableLeavesTheTextsEnglish)
{
    WorkFolder work;
    CLocalizedString play("Play");
    CLocalizationTable table;
    EXPECT_FALSE(table.Load("Local.txt"));
    EXPECT_FALSE(table.IsLoaded());
    EXPECT_EQ(play, "Play");
    const std::string overlong(300, 'n');
    EXPECT_FALSE(table.Load(overlong.c_str()));
    EXPECT_FALSE(table.Load(nullptr));

    // A second load replaces the pairs of the first.
    WriteFileBytes(work / "Local.txt", "ENGLISH: Play[END]\nLOCALIZED: Jouer[END]\n");
    ASSERT_TRUE(table.Load("Local.txt"));
    EXPECT_EQ(play, "Jouer");
    WriteFileBytes(work / "Other.txt", "ENGLISH: Quit[END]\nLOCALIZED: Quitter[END]\n");
    ASSERT_TRUE(table.Load("Other.txt"));
    EXPECT_EQ(table.GetCount(), 1);
    EXPECT_EQ(Translated(table, "Play"), "Play");
    EXPECT_TRUE(table.Load(table.GetPath())) << "a reload by the table's own path";
    EXPECT_STREQ(table.GetPath(), "Other.txt");
}

TEST(LocalizedString, FormatsFallBackToEnglishWhenConversionsDiffer)
{
    CLocalizedString message("\"%s\" is more than %d characters long", "file name, count");
    CLocalizationTable table;
    table.AddPair(CSharedString("\"%s\" is more than %d characters long[END] (file name, count)"),
                  CSharedString("\"%s\" a plus de %d caracteres"));
    table.TranslateRegisteredTexts();
    EXPECT_STREQ(message.GetFormat(), "\"%s\" a plus de %d caracteres");

    CLocalizedString swapped("%s has %d", nullptr);
    CLocalizedString extra("%d%%", nullptr);
    CLocalizedString star("%*d", nullptr);
    CLocalizationTable bad;
    bad.AddPair(CSharedString("%s has %d"), CSharedString("%d a %s"));
    bad.AddPair(CSharedString("%d%%"), CSharedString("%d%% %s"));
    bad.AddPair(CSharedString("%*d"), CSharedString("%5d"));
    bad.TranslateRegisteredTexts();
    EXPECT_EQ(swapped, "%d a %s");
    EXPECT_STREQ(swapped.GetFormat(), "%s has %d");
    EXPECT_STREQ(extra.GetFormat(), "%d%%");
    EXPECT_STREQ(star.GetFormat(), "%*d");

    // Translations that end inside a conversion, which printf would read an argument for.
    const std::pair<const char*, const char*> cut[] = {{"Play Game", "Jouer %"}, {"Play Game", "Jouer %."},
        {"%d left", "reste %d %-"}, {"%d left", "reste %d %l"}, {"%s", "%5"}};
    for (const auto& [english, translation] : cut) {
        CLocalizedString text(english, nullptr);
        CLocalizationTable cutTable;
        cutTable.AddPair(CSharedString(english), CSharedString(translation));
        cutTable.TranslateRegisteredTexts();
        EXPECT_EQ(text, translation);
        EXPECT_STREQ(text.GetFormat(), english) << translation;
    }

    CLocalizedString widths("%5.2f left", nullptr);
    CLocalizationTable good;
    good.AddPair(CSharedString("%5.2f left"), CSharedString("reste %.1f"));
    good.TranslateRegisteredTexts();
    EXPECT_STREQ(widths.GetFormat(), "reste %.1f");
}

} // namespace
