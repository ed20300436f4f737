#include "objects/DataNames.h"

namespace dataname {

const std::vector<SEntry>& GetAll()
{
    static const std::vector<SEntry> s_all = [] {
        std::vector<SEntry> all;
#define VANTOREL_LIST_NAME(id, text) all.push_back({kind, text});
        EKind kind = EKind::Sequence;
        VANTOREL_SEQUENCE_NAMES(VANTOREL_LIST_NAME)
        kind = EKind::Picture;
        VANTOREL_PICTURE_NAMES(VANTOREL_LIST_NAME)
        kind = EKind::Overlay;
        VANTOREL_OVERLAY_NAMES(VANTOREL_LIST_NAME)
        kind = EKind::Font;
        VANTOREL_FONT_NAMES(VANTOREL_LIST_NAME)
        kind = EKind::Generator;
        VANTOREL_GENERATOR_NAMES(VANTOREL_LIST_NAME)
        kind = EKind::Sound;
        VANTOREL_SOUND_NAMES(VANTOREL_LIST_NAME)
        kind = EKind::ForceEffect;
        VANTOREL_FORCE_EFFECT_NAMES(VANTOREL_LIST_NAME)
#undef VANTOREL_LIST_NAME
        return all;
    }();
    return s_all;
}

const char* GetKindName(EKind kind)
{
    switch (kind) {
    case EKind::Sequence:
        return "sequence";
    case EKind::Picture:
        return "picture";
    case EKind::Overlay:
        return "overlay text";
    case EKind::Font:
        return "font";
    case EKind::Generator:
        return "particle generator";
    case EKind::Sound:
        return "sound";
    case EKind::ForceEffect:
        return "force-feedback effect";
    }
    return "";
}

} // namespace dataname
