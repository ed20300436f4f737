#include "app/TypedWordMatcher.h"

#include "app/Keyboard.h"
#include "foundation/SmallBlockAllocator.h"

#include <new>

CTypedWordMatcher g_typedWordMatcher;

namespace {

// Only a to z change: the characters are Windows-1252 and the words ASCII.
int FoldCase(int character)
{
    return character >= 'a' && character <= 'z' ? character - 'a' + 'A' : character;
}

} // namespace

CTypedWordMatcher::~CTypedWordMatcher()
{
    if (g_keyboard.GetFilter() == &OnCharTyped)
        g_keyboard.SetFilter(nullptr, nullptr);
    while (Entry* entry = m_head) {
        m_head = entry->m_next;
        entry->~Entry();
        FreeSmallBlock(entry, sizeof(Entry));
    }
}

void CTypedWordMatcher::AddWord(const char* word, Callback callback)
{
    if (!word || !callback)
        return;
    m_head = new (AllocSmallBlock(sizeof(Entry))) Entry{word, callback, m_head, word};
    g_keyboard.SetFilter(&OnCharTyped, this);
}

bool CTypedWordMatcher::OnCharTyped(void* matcher, int character)
{
    static_cast<CTypedWordMatcher*>(matcher)->OnChar(character);
    return false;
}

void CTypedWordMatcher::OnChar(int character)
{
    const int typed = FoldCase(character & 0xFF);
    for (Entry* entry = m_head; entry; entry = entry->m_next) {
        if (*entry->m_cursor && FoldCase(static_cast<unsigned char>(*entry->m_cursor)) == typed) {
            if (*++entry->m_cursor == '\0') {
                entry->m_cursor = entry->m_word;
                entry->m_callback();
            }
        } else {
            entry->m_cursor = entry->m_word;
        }
    }
}
