// browser_keys.h -- the page's keys, on the focused canvas: the same keys as the desktop
// game's window, each kept from the browser (arrows do not scroll the page, F3 opens no find
// bar, Space presses no button) and keys the game does not use left to the browser.
#pragma once

using LightingSwitch = void (*)(bool on);

// Listens to the canvas's key presses and releases and to its losing the focus, which
// releases every held key (the releases go elsewhere then).
void listenForKeys(LightingSwitch lighting);
