// sound_device.h -- what the player's sound device does differently on the desktop (OpenAL
// Soft over ALSA or a sound server) and in the browser (emscripten's OpenAL on Web Audio):
// keeping the libraries' own messages off the console, why a device would not open, whether
// it is still there, and whether it waits for the player's first key or click.
#pragma once

#include <AL/alc.h>

#include <string>

// Before the device opens: the libraries' logs and error lines go to us, not the console.
void quietSoundLibraries();
// The first complaint the libraries made while the device opened; empty when none.
std::string firstSoundComplaint();
// False once the device was unplugged or its sound server went away.
bool soundDeviceConnected(ALCdevice* device);
// True while the device is held silent until the player presses a key or clicks, as
// browsers hold every page's sound; never on the desktop.
bool soundDeviceWaitsForPlayer();
