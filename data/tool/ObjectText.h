#pragma once
// An object in the object text format, as the engine's own writer writes it.
//
// The rule a caller must know: properties that name entries of the engine's collections are
// written by name, so those collections must hold the names while the object is written.
#include "ContentSet.h"

class CObject;

// The text's bytes; empty when nothing could be written.
CContentSet::Bytes WriteObjectText(const CObject& object);
