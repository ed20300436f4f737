#pragma once
// An object in the object text format, as the engine's own writer writes it, and the entry of the
// archive "Resources" that holds such a file.
//
// The rule a caller must know: properties that name entries of the engine's collections are
// written by name, so those collections must hold the names while the object is written.
#include "ContentSet.h"

#include <string>

class CObject;

// The text's bytes; empty when nothing could be written.
CContentSet::Bytes WriteObjectText(const CObject& object);
// Adds "Resources/<name>". False, with error set, for empty bytes or a name the set already has.
bool AddResourceFile(CContentSet& set, const std::string& name, const CContentSet::Bytes& bytes, std::string& error);
