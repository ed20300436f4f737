// Loads arbitrary bytes as the localisation table "Local.txt" the way the start-up does: by name
// through the file layer, every registered text translated in place. The texts of the program are
// then used as it uses them: formats are filled through GetFormat with the arguments their English
// text takes (a translation whose conversions differ must give way to the English text, which the
// sanitizers would otherwise catch reading arguments that were never passed), and data texts are
// translated as they are set.
//
// The seed corpus is made by the table's own format: run the corpus runner with
// VANTOREL_WRITE_SEEDS naming the folder (fuzz/corpus/fuzz_local_table) and it writes the seeds
// there first.
#include "FuzzSupport.h"
#include "foundation/LocalizedString.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using fuzzsupport::Check;

// Texts of this program's kind: formats with the arguments they take, one with a comment.
CLocalizedString s_score("Your score of %s ranks number %d", "verdict");
CLocalizedString s_saved("Saved %u of %u files to \"%s\".");
CLocalizedString s_percent("%d%% done");
CLocalizedString s_plain("Play Game", "main menu button");

constexpr const char* kTable = "Local.txt";

void WriteSeeds(const std::string& folder)
{
    const std::string entries[] = {
        // Translations that keep the conversions, and ones that change them.
        "ENGLISH: Your score of %s ranks number %d[END] (verdict)\r\nLOCALIZED: Punkte %s, Rang %d[END]\r\n",
        "ENGLISH: Saved %u of %u files to \"%s\".[END]\r\nLOCALIZED: %s: %u/%u %n[END]\r\n",
        "ENGLISH: %d%% done[END]\r\nLOCALIZED: %d%%\r\nfertig %[END]\r\n",
        "ENGLISH: Play Game[END] (main menu button)\r\nLOCALIZED: Spielen[END]\r\n",
        "ENGLISH: Play Game[END]\r\nLOCALIZED: %s%s%s%s[END]\r\n",
    };
    std::string all;
    for (const std::string& entry : entries)
        all += entry;
    std::ofstream(folder + "/table.txt", std::ios::binary) << "; translator's notes\r\n\r\n" + all;
    std::ofstream(folder + "/lf-only.txt", std::ios::binary) << "ENGLISH: Play Game[END] (main menu button)\n"
                                                                "LOCALIZED: Jouer\n[END]\n";
    std::ofstream(folder + "/open-entry.txt", std::ios::binary) << all + "ENGLISH: Your score of %s ranks";
}

void UseTexts()
{
    char line[512];
    std::snprintf(line, sizeof line, s_score.GetFormat(), "1,234", 7);
    std::snprintf(line, sizeof line, s_saved.GetFormat(), 3u, 4u, "Stats.dat");
    std::snprintf(line, sizeof line, s_percent.GetFormat(), 50);
    // Texts without conversions pass as formats with no arguments.
    for (int i = 0; i < CLocalizedString::GetRegisteredCount(); ++i) {
        const CLocalizedString* text = CLocalizedString::GetRegisteredText(i);
        const char* format = text->GetFormat();
        if (std::string(text->GetEnglishText()).find('%') == std::string::npos) {
            // A text read from a table is the format here, as the game uses it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
            std::snprintf(line, sizeof line, format);
#pragma GCC diagnostic pop
        }
    }
    CLocalizableText data;
    data.SetSourceText(CSharedString("Play Game"));
    Check(!data.GetSourceText().IsEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    if (size > (1u << 20))
        return 0;
    // Every input starts from the English texts, as a start of the program does.
    for (int i = 0; i < CLocalizedString::GetRegisteredCount(); ++i) {
        CLocalizedString* text = CLocalizedString::GetRegisteredText(i);
        text->AssignText(text->GetEnglishText());
    }
    fuzzsupport::WriteInput(kTable, data, size);
    fuzzsupport::FatalScope fatal;
    try {
        Check(CLocalizationTable::GetInstance().Load(kTable));
        UseTexts();
    } catch (const fuzzsupport::FatalEnd&) {
        std::abort(); // no table ends the program
    }
    return 0;
}
