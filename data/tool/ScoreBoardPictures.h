#pragma once
// The pictures of the play screen's side panel: "Score Board Frame" (640 x 480: a golden panel
// beside the field and the field's border, transparent over the field and where the advertisement
// shows) and the 108 x 108 advertisements the panel turns through.
#include "Image.h"

#include <string>
#include <utility>
#include <vector>

CImage PaintScoreBoardFrame();
// The advertisements with their frame names (each contains "Advertisement").
std::vector<std::pair<std::string, CImage>> PaintAdvertisements();
