#pragma once
// User-visible texts. Every text the player sees is written in English in the program and
// replaced by its translation from the localisation table once that is loaded.
#include "foundation/SharedString.h"

#include <cstdint>

class CVirtualFile;

// A global text created by a static initialiser with its English text and a comment for
// translators. It registers itself so that loading the table translates it in place.
class CLocalizedString : public CSharedString
{
public:
    CLocalizedString(const char* english, const char* comment = nullptr, int unused = 0);
    ~CLocalizedString();
    CLocalizedString(const CLocalizedString&) = delete;
    CLocalizedString& operator=(const CLocalizedString&) = delete;

    const char* GetEnglishText() const { return m_english; }
    // The text for use as a printf format: the translation when its conversions are those of
    // the English text, else the English text, so that a translation can never make a format
    // read arguments that were not passed.
    const char* GetFormat() const;

    // The registered texts in order of registration (only texts non-empty at construction).
    static int GetRegisteredCount();
    static CLocalizedString* GetRegisteredText(int index);
    static const char* GetRegisteredComment(int index);

private:
    const char* m_english;
    bool m_registered = false;
};

// A text that belongs to a data object: translated when it is set.
class CLocalizableText
{
public:
    CLocalizableText() = default;

    void SetSourceText(const CSharedString& text)
    {
        m_source = text;
        Localize();
    }
    void Localize();
    const CSharedString& GetSourceText() const { return m_source; }
    const CSharedString& GetDisplayText() const { return m_display; }

private:
    CSharedString m_source;
    CSharedString m_display;
};

// The table of (key, translation) pairs. A key is the English text, or for a text registered with
// a comment the English text, "[END]" and the comment as " (%s)".
class CLocalizationTable
{
public:
    static CLocalizationTable& GetInstance();

    // A table file larger than this is not read (a whole game's texts take a few hundred KB).
    static constexpr uint32_t kMaxFileBytes = 4u << 20;

    // Reads the table file ("Local.txt") through the virtual file system: whole into memory by
    // its name as given, else by a plain read (base folder, archives). The old pairs are
    // replaced, then every registered text is translated. False when the file cannot be opened
    // or is larger than kMaxFileBytes: the texts stay as they are (English unless a table was
    // read before).
    bool Load(const char* path);
    // Reads the entries of an open table file and adds their pairs. Lines of 4095 characters
    // or more are passed over; an entry cut short by the end of the file keeps what was read.
    void ReadEntries(CVirtualFile& file);
    const char* GetPath() const { return m_path; }
    // 0 when the file was read whole into memory, 1 when by the plain read.
    uint8_t GetOpenFlag() const { return m_openFlag; }
    // Whether a table has been read.
    bool IsLoaded() const { return m_loaded; }

    // Replaces the text by its translation when the table holds its key. An empty text, or a table
    // that never held pairs, leaves it alone.
    void Translate(CSharedString& text, const char* comment = nullptr, int unused = 0);
    // Appends a pair. Pairs are sorted once, by SortPairs or by the first lookup after additions,
    // not after every insert.
    void AddPair(const CSharedString& key, const CSharedString& translation);
    void SortPairs();
    void RemoveAllPairs();
    // Translates every registered CLocalizedString with its comment.
    void TranslateRegisteredTexts();

    int GetCount() const { return m_count; }
    const CSharedString& GetKey(int index) const { return m_pairs[index].m_key; }
    const CSharedString& GetTranslation(int index) const { return m_pairs[index].m_translation; }

    CLocalizationTable() = default;
    ~CLocalizationTable();
    CLocalizationTable(const CLocalizationTable&) = delete;
    CLocalizationTable& operator=(const CLocalizationTable&) = delete;

private:
    struct Pair
    {
        CSharedString m_key;
        CSharedString m_translation;
    };

    Pair* m_pairs = nullptr;
    int m_count = 0;
    int m_capacity = 0;
    bool m_sorted = true;
    char m_path[256] = {};
    uint8_t m_openFlag = 0;
    bool m_loaded = false;
};
