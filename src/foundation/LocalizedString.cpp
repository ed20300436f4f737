#include "foundation/LocalizedString.h"

#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Registration
{
    CLocalizedString* m_text;
    const char* m_comment;
};

// Created by the first registration and never destroyed: texts that outlive the static
// destructors (or are destroyed by them in any order) may still unregister.
std::vector<Registration>& GetRegistrations()
{
    static auto* s_registrations = new std::vector<Registration>();
    return *s_registrations;
}

// The argument-taking parts of a format's conversions, in order: a '*' width or precision, and
// each conversion's length modifiers with its letter. Flags and digits do not matter.
std::string FormatSignature(const char* format)
{
    std::string signature;
    for (const char* p = format; p && *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p && std::strchr("-+ #0123456789.*", *p)) {
            if (*p == '*')
                signature += "*,";
            ++p;
        }
        while (*p && std::strchr("hlLqjztIw0123456789", *p))
            signature += *p++;
        // A conversion cut off by the end of the text matches none: printf would take it whole.
        if (!*p) {
            signature += '?';
            break;
        }
        signature += *p;
        signature += ',';
    }
    return signature;
}

const char s_englishPrefix[] = "ENGLISH: ";
const char s_endTag[] = "[END]";
constexpr size_t s_englishPrefixLength = sizeof s_englishPrefix - 1;
constexpr size_t s_endTagLength = sizeof s_endTag - 1;
constexpr size_t s_localizedPrefixLength = 11; // "LOCALIZED: ", never tested

// Lines of a table file. A line too long for the buffer is passed over, not taken as the end.
class CTableLineReader
{
public:
    explicit CTableLineReader(CVirtualFile& file) : m_file(file) {}

    // The next line, or null at the end of the file.
    const char* Next()
    {
        for (;;) {
            if (m_file.ReadLine(m_line, sizeof m_line))
                return m_line;
            if (!SkipLine())
                return nullptr;
        }
    }

private:
    // Moves past the line at the position; false when no line end is left.
    bool SkipLine()
    {
        const int32_t start = m_file.GetPosition();
        const uint32_t size = m_file.GetSize();
        if (start < 0 || static_cast<uint32_t>(start) >= size)
            return false;
        uint32_t offset = static_cast<uint32_t>(start);
        char chunk[4096];
        for (;;) {
            const uint32_t got = m_file.Read(chunk, sizeof chunk);
            if (got == 0) {
                m_file.Seek(size);
                return false;
            }
            for (uint32_t i = 0; i < got; ++i) {
                if (chunk[i] == '\r' || chunk[i] == '\n') {
                    // The line end is read as an empty line, so it is taken exactly as the
                    // stream's own line reading takes it.
                    m_file.Seek(offset + i);
                    return m_file.ReadLine(m_line, sizeof m_line) && m_file.GetPosition() > start;
                }
            }
            offset += got;
        }
    }

    CVirtualFile& m_file;
    char m_line[4096];
};

bool HasEndTag(const char* text)
{
    return std::strstr(text, s_endTag) != nullptr;
}

// Appends the following lines, each after a line feed, up to and including the first that holds
// the end tag, or up to the end of the file.
void AppendLinesToEndTag(CTableLineReader& reader, std::string& text)
{
    while (const char* line = reader.Next()) {
        text += '\n';
        text += line;
        if (HasEndTag(line))
            return;
    }
}

} // namespace

CLocalizedString::CLocalizedString(const char* english, const char* comment, int)
    : CSharedString(english), m_english(english)
{
    if (english && *english) {
        GetRegistrations().push_back({this, comment});
        m_registered = true;
    }
}

CLocalizedString::~CLocalizedString()
{
    if (!m_registered)
        return;
    // Static texts die in reverse order of construction, so the search from the back is short.
    std::vector<Registration>& registrations = GetRegistrations();
    for (size_t i = registrations.size(); i-- > 0;) {
        if (registrations[i].m_text == this) {
            registrations.erase(registrations.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

const char* CLocalizedString::GetFormat() const
{
    if (IsWide() || !m_english)
        return m_english ? m_english : "";
    if (FormatSignature(CStr()) != FormatSignature(m_english))
        return m_english;
    return CStr();
}

int CLocalizedString::GetRegisteredCount()
{
    return static_cast<int>(GetRegistrations().size());
}

CLocalizedString* CLocalizedString::GetRegisteredText(int index)
{
    return GetRegistrations()[static_cast<size_t>(index)].m_text;
}

const char* CLocalizedString::GetRegisteredComment(int index)
{
    return GetRegistrations()[static_cast<size_t>(index)].m_comment;
}

void CLocalizableText::Localize()
{
    m_display = m_source;
    CLocalizationTable::GetInstance().Translate(m_display);
}

CLocalizationTable& CLocalizationTable::GetInstance()
{
    static CLocalizationTable* s_table = new CLocalizationTable();
    return *s_table;
}

CLocalizationTable::~CLocalizationTable()
{
    delete[] m_pairs;
}

void CLocalizationTable::AddPair(const CSharedString& key, const CSharedString& translation)
{
    if (m_count == m_capacity) {
        const int capacity = m_capacity + 10;
        Pair* pairs = new Pair[static_cast<size_t>(capacity)];
        for (int i = 0; i < m_count; ++i)
            pairs[i] = std::move(m_pairs[i]);
        delete[] m_pairs;
        m_pairs = pairs;
        m_capacity = capacity;
    }
    m_pairs[m_count].m_key = key;
    m_pairs[m_count].m_translation = translation;
    ++m_count;
    m_sorted = false;
}

void CLocalizationTable::SortPairs()
{
    // Stable, so pairs with the same key keep the order in which they were added.
    std::stable_sort(m_pairs, m_pairs + m_count,
                     [](const Pair& a, const Pair& b) { return a.m_key.Compare(b.m_key) < 0; });
    m_sorted = true;
}

void CLocalizationTable::RemoveAllPairs()
{
    for (int i = 0; i < m_count; ++i)
        m_pairs[i] = Pair();
    m_count = 0;
    m_sorted = true;
}

void CLocalizationTable::Translate(CSharedString& text, const char* comment, int)
{
    if (text.IsEmpty() || !m_pairs)
        return;
    if (!m_sorted)
        SortPairs();
    CSharedString key(text);
    if (comment && *comment) {
        key.AppendText("[END]");
        key.AppendFormat(" (%s)", comment);
    }
    int low = 0;
    int high = m_count - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = key.Compare(m_pairs[middle].m_key);
        if (order == 0) {
            text = m_pairs[middle].m_translation;
            return;
        }
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
}

void CLocalizationTable::TranslateRegisteredTexts()
{
    std::vector<Registration>& registrations = GetRegistrations();
    for (const Registration& registration : registrations)
        Translate(*registration.m_text, registration.m_comment);
}

bool CLocalizationTable::Load(const char* path)
{
    // A copy, since the path may be this table's own (a reload of GetPath()).
    const std::string name = path ? path : "";
    m_path[0] = '\0';
    CVirtualFile file;
    // A name too long for the path is not found.
    if (!name.empty() && name.size() < sizeof m_path) {
        std::memcpy(m_path, name.c_str(), name.size() + 1);
        m_openFlag = 0;
        if (!file.Open(m_path, VF_IN_MEMORY | VF_VERBATIM | VF_READ, kMaxFileBytes)) {
            m_openFlag = 1;
            if (file.Open(m_path, VF_READ) && file.GetSize() > kMaxFileBytes)
                file.Close();
        }
    }
    if (!file.IsOpen()) {
        TranslateRegisteredTexts();
        return false;
    }

    RemoveAllPairs();
    ReadEntries(file);
    file.Close();
    SortPairs();
    TranslateRegisteredTexts();
    m_loaded = true;
    return true;
}

void CLocalizationTable::ReadEntries(CVirtualFile& file)
{
    if (!m_pairs) {
        m_pairs = new Pair[10];
        m_capacity = 10;
    }
    CTableLineReader reader(file);
    while (const char* line = reader.Next()) {
        if (std::strncmp(line, s_englishPrefix, s_englishPrefixLength) != 0)
            continue;

        // At the end of the file an entry keeps what was read: an open key or translation ends
        // there, and a key without its translation line gets an empty translation.
        std::string key = line + s_englishPrefixLength;
        if (!HasEndTag(line))
            AppendLinesToEndTag(reader, key);
        // A key ending with the tag loses it; one whose tag is followed by a comment keeps it.
        if (key.size() >= s_endTagLength && key.compare(key.size() - s_endTagLength, s_endTagLength, s_endTag) == 0)
            key.resize(key.size() - s_endTagLength);

        std::string translation;
        if (const char* localized = reader.Next()) {
            if (std::strlen(localized) >= s_localizedPrefixLength)
                translation = localized + s_localizedPrefixLength;
            if (!HasEndTag(localized))
                AppendLinesToEndTag(reader, translation);
            const size_t end = translation.find(s_endTag);
            if (end != std::string::npos)
                translation.resize(end);
        }
        AddPair(CSharedString(key.data(), static_cast<int>(key.size())),
                CSharedString(translation.data(), static_cast<int>(translation.size())));
    }
}
