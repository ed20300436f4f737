#pragma once
// The start-up's listing of a resource folder for the collections that keep their items there.
// Item names are relative to the folder, and their last component loses a leading '-' (cache files
// and item folders carry one): "Resources/Ship/-Idle.frm16" is the item "Ship/Idle".
#include "foundation/SharedString.h"

#include <cstdint>
#include <vector>

// Appends the files with the extension under the folder ("Resources/"), their extensions dropped;
// sub-folders beginning with '-' are not searched. Returns the number appended.
uint32_t ListResourceFiles(const char* folder, const char* extension, std::vector<CSharedString>& names);
// Appends the item folders "-<name>" under the folder, which each hold a sequence or a font; the
// item folders themselves are not searched. Returns the number appended.
uint32_t ListResourceItemFolders(const char* folder, std::vector<CSharedString>& names);
// The items of a collection of sequences (or fonts) kept in the folder ("Resources"): its item
// folders, or when it has none, the sequence files of the folder under "Cache".
uint32_t ListSequenceItems(const char* folder, std::vector<CSharedString>& names);
