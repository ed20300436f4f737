// The start-up's settings: the force-feedback keys of the settings file.
#include "shell/StartUpSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StartUpPieces, ForceFeedbackKeysNameTheMouseOrTheJoystick)
{
    EXPECT_EQ(GetForceFeedbackKey(-1), "Enable ForceFeedback on Device Mouse");
    EXPECT_EQ(GetForceFeedbackKey(2), "Enable ForceFeedback on Device 2");
    EXPECT_EQ(GetForceFeedbackKey(17), "Enable ForceFeedback on Device 17");
}

} // namespace
