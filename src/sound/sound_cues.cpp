// sound_cues.cpp -- the events' sounds. Bounces are as loud as the stone hits: by its speed
// into the floor or across the wall, and deeper for a bigger stone.
#include "sound/sound_cues.h"

#include <cmath>

namespace {
// A bounce at this speed (units a second) or faster sounds at full gain; the game's first
// bounces come at 8 to 9 off the floor and 1.5 off a wall.
constexpr float loudestFloorSpeed = 10.0f;
constexpr float loudestWallSpeed = 3.0f;
// The softest bounce still heard.
constexpr float quietestBounceGain = 0.2f;

float bounceGain(float speed, float loudestSpeed) {
    const float gain = std::fabs(speed) / loudestSpeed;
    return std::fmin(1.0f, std::fmax(quietestBounceGain, gain));
}

// Large stones sound deeper, small ones brighter.
float pitchForSize(int size) {
    switch (size) {
    case 3:
        return 0.8f;
    case 1:
        return 1.25f;
    default:
        return 1.0f;
    }
}

SoundId hitSound(int size) {
    if (size >= 3) {
        return SoundId::SPLIT_LARGE;
    }
    return size == 2 ? SoundId::SPLIT_MEDIUM : SoundId::SHATTER;
}
} // namespace

bool soundCueFor(const GameEvent& event, SoundCue& cue) {
    cue = SoundCue();
    cue.where = event.where;
    switch (event.kind) {
    case EventKind::SHOT_FIRED:
        cue.id = SoundId::SHOT;
        return true;
    case EventKind::STONE_HIT:
        cue.id = hitSound(event.size);
        return true;
    case EventKind::COMBO_PAID:
        cue.id = SoundId::COMBO;
        cue.atListener = true;
        return true;
    case EventKind::CRAFT_STRUCK:
        cue.id = SoundId::STRUCK;
        return true;
    case EventKind::GAME_OVER:
        cue.id = SoundId::GAME_OVER;
        cue.atListener = true;
        return true;
    case EventKind::STONE_ARRIVED:
        cue.id = SoundId::ARRIVE;
        return true;
    case EventKind::FLOOR_BOUNCE:
        cue.id = SoundId::FLOOR_BOUNCE;
        cue.gain = bounceGain(event.speed, loudestFloorSpeed);
        cue.pitch = pitchForSize(event.size);
        return true;
    case EventKind::WALL_BOUNCE:
        cue.id = SoundId::WALL_BOUNCE;
        cue.gain = bounceGain(event.speed, loudestWallSpeed);
        cue.pitch = pitchForSize(event.size);
        return true;
    case EventKind::GET_READY_OVER:
        cue.id = SoundId::GET_READY;
        cue.atListener = true;
        return true;
    case EventKind::STONE_SPLIT:
    case EventKind::STONE_DESTROYED:
    case EventKind::DEBRIS_THROWN:
    case EventKind::LOCK_TAKEN:
    case EventKind::LOCK_RELEASED:
    case EventKind::AROUND_CENTRE_SWITCHED:
    case EventKind::AROUND_TARGET_SWITCHED:
    case EventKind::TARGET_MODE_SWITCHED:
    case EventKind::GOTO_MODE_SWITCHED:
    case EventKind::AXIS_FOCUSED:
    case EventKind::FOCUS_CROSSED:
    case EventKind::STONE_LOCKED:
        break;
    }
    return false;
}

bool isBounce(SoundId id) {
    return id == SoundId::FLOOR_BOUNCE || id == SoundId::WALL_BOUNCE;
}
