// test_hud_text.cpp -- the HUD lines' texts, formats and cuts (no window needed).
#include "view/hud.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(HudText, FrameTextsAreZeroPaddedAndCut) {
    initHud();
    writeHudTexts(60.0f, 5, false, 1100);
    EXPECT_STREQ(fpsText.getText(), "FPS: 060");
    EXPECT_STREQ(livesText.getText(), "Lives: 005");
    EXPECT_STREQ(scoreText.getText(), "Score: 000001100");

    writeHudTexts(1234.0f, 0, true, 0);
    EXPECT_STREQ(fpsText.getText(), "FPS: 123"); // cut to eight characters
    EXPECT_STREQ(livesText.getText(), "GAME OVER!");
    EXPECT_STREQ(scoreText.getText(), "Score: 000000000");

    writeHudTexts(99.9f, 123456, false, 2147483647);
    EXPECT_STREQ(fpsText.getText(), "FPS: 099"); // truncated, not rounded
    EXPECT_STREQ(livesText.getText(), "Lives: 123");
    EXPECT_STREQ(scoreText.getText(), "Score: 2147483647");
    EXPECT_STREQ(spareText.getText(), ""); // never written
}

TEST(HudText, SetTextNeverOverrunsItsBuffer) {
    HudText line;
    const std::string longText(200, 'x');
    line.setText(longText.c_str());
    EXPECT_EQ(std::strlen(line.getText()), static_cast<size_t>(HudText::capacity - 1));
    line.setText(nullptr);
    EXPECT_STREQ(line.getText(), "");
}
