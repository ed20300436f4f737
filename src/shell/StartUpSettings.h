#pragma once
// The few settings the game's start-up reads and writes outside the settings it owns: the program's
// folder left in the key/value store for installers and add-ons, and the on/off settings of the
// per-installation file.

// The store's key under which the program records where it is installed.
constexpr const char* kProductRegistryKey = "SOFTWARE\\Vantorel";

// Writes the executable's folder (no trailing separator) as "InstallPath"; false when the store
// cannot hold it, which the start-up ignores.
bool WriteInstallPath();
// The integer of the key in the per-installation settings file, as whether it is non-zero; the
// default when the key is missing.
bool ReadConfigBool(const char* key, bool defaultValue);
