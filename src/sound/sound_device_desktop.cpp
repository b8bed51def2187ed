// sound_device_desktop.cpp -- OpenAL Soft's log and ALSA's error lines kept off the console,
// ALSA's first complaint kept for the game's one line, and ALC_EXT_disconnect for a lost
// device.
#include "sound/sound_device.h"

#include <AL/alext.h>
#include <alsa/asoundlib.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {
// ALSA's first complaint while the device opens, for the one line that says why.
std::mutex alsaMutex;
std::string alsaComplaint;

void noteAlsaError(const char*, int, const char*, int, const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    std::lock_guard<std::mutex> lock(alsaMutex);
    if (alsaComplaint.empty()) {
        alsaComplaint = text;
    }
}
} // namespace

void quietSoundLibraries() {
    // The user's own setting wins: ALSOFT_LOGLEVEL=3 still shows OpenAL's whole log.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    snd_lib_error_set_handler(noteAlsaError);
}

std::string firstSoundComplaint() {
    std::lock_guard<std::mutex> lock(alsaMutex);
    return alsaComplaint;
}

bool soundDeviceConnected(ALCdevice* device) {
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    return connected == ALC_TRUE;
}

bool soundDeviceWaitsForPlayer() {
    return false;
}
