// test_hud_text.cpp -- the HUD lines' texts, formats and cuts (no window needed).
#include "view/hud.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(HudText, FrameTextsAreZeroPaddedAndCut) {
    initHud();
    const auto texts = [] {
        return std::string(fpsText.getText()) + "|" + livesText.getText() + "|" +
               scoreText.getText();
    };
    writeHudTexts(60.0f, 5, false, 1100);
    EXPECT_EQ(texts(), "FPS: 060|Lives: 005|Score: 000001100");
    writeHudTexts(1234.0f, 0, true, 0); // the rate cut to eight characters
    EXPECT_EQ(texts(), "FPS: 123|GAME OVER!|Score: 000000000");
    writeHudTexts(99.9f, 123456, false, 2147483647); // the rate truncated, not rounded
    EXPECT_EQ(texts(), "FPS: 099|Lives: 123|Score: 2147483647");
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
