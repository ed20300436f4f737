#include "NoneSequence.h"

#include "ObjectText.h"
#include "graphics/Sequence.h"

bool AddNoneSequence(CContentSet& set, std::string& error)
{
    // The sequence's properties as the engine writes them: the defaults.
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    const CContentSet::Bytes properties = WriteObjectText(sequence);
    if (properties.empty() || !set.AddEntry("Resources", "-!None/Properties.txt", properties)) {
        error = "cannot add the sequence !None";
        return false;
    }
    return true;
}
