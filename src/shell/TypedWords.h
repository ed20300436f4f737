#pragma once
// The cheat and debug words the player can type anywhere, each with its handler. The handlers do
// nothing yet but count that their word was typed; play will give them their effects.
#include <cstdint>

constexpr uint32_t kTypedWordCount = 20;

// The words in the order they are registered.
const char* GetTypedWord(uint32_t i);
// Adds every word with its handler to the program's typed-word matcher.
void RegisterTypedWords();
// How often word i reached its handler since the start; 0 past the last word.
uint32_t GetTypedWordCount(uint32_t i);
