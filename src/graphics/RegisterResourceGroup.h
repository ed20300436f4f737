#pragma once
// Sets up a typed resource collection at start-up: enters it into the resource registry, lists its
// items below the root folder and installs them sorted ignoring case, with the folder tree over
// them. One routine serves every type; the collection's type name is the items' file extension
// ("Brick", "JWindowSkin"...), and a collection without one (sequences, fonts) lists its "-Name"
// item folders instead.
//
// The rule a caller must know: register a collection before any of its items is asked for; a
// second call lists the folder again and drops the items loaded so far.
#include <cstdint>

class CResourceCollection;

// Item names keep fewer than this many bytes; a longer listed name is skipped (and logged), since
// add-ons put their own files into the data.
constexpr uint32_t kLongestResourceItemName = 119;

// Registers the collection under the display name (once: a later call keeps the registry index),
// copies the root folder into it and fills its entries. When the root folder holds no item, the
// descriptions cached under "Cache/<root>" are listed instead ("property" files; sequence cache
// files for item folders). Nothing found anywhere leaves the collection empty, and asking it for
// a name then ends in its not-found report. reserved must be 0.
void RegisterResourceGroup(CResourceCollection& collection, const char* displayName, const char* rootFolder,
                           uint32_t reserved = 0);
