// test_sound.cpp -- the game's sound listened to through OpenAL Soft's loopback device: where
// each event's sound starts, left and right, loudness, the limits of the mix and a modder's
// files. No sound card is needed.
#include "game/game_setup.h"
#include "game_fixture.h"
#include "session/demo.h"
#include "session/demo_player.h"
#include "sound/sound_bank.h"
#include "sound/sound_cues.h"
#include "sound/sound_track.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
const std::string shippedSounds = std::string(WIBZ_DATA_DIR) + "/sounds";

// What the camera heard in one step of a played demo.
struct HeardStep {
    StepEvents events;
    Camera camera;
};

// The demo played once: every step's events and camera.
std::vector<HeardStep> playDemo(const std::string& demoName) {
    Demo demo;
    std::string error;
    EXPECT_TRUE(readDemo(std::string(WIBZ_DEMO_DIR) + "/" + demoName, demo, error)) << error;
    std::vector<HeardStep> steps;
    captureStdout([&] {
        beginGame(game);
        DemoPlayer player(demo);
        while (player.playStep(game)) {
            steps.push_back({game.events, game.camera});
        }
    });
    return steps;
}

// The track of the first `count` steps, leaving out event `skipped` of step `skipStep`
// (counted from 1; 0 leaves nothing out).
std::vector<float> renderSteps(const std::vector<HeardStep>& steps, std::size_t count,
                               std::size_t skipStep = 0, std::size_t skipped = 0) {
    SoundTrack track;
    std::string error;
    std::string problems;
    EXPECT_TRUE(track.open(shippedSounds, error, problems)) << error;
    EXPECT_EQ(problems, "");
    for (std::size_t s = 0; s < count && s < steps.size(); ++s) {
        StepEvents events = steps[s].events;
        if (s + 1 == skipStep) {
            events.erase(events.begin() + static_cast<long>(skipped));
        }
        track.renderStep(events, steps[s].camera);
    }
    return track.samples();
}

// steps of sound from one step's events, heard from the camera at the start of a game.
std::vector<float> renderEvents(const StepEvents& events, int steps,
                                const std::string& folder = shippedSounds) {
    SoundTrack track;
    std::string error;
    std::string problems;
    EXPECT_TRUE(track.open(folder, error, problems)) << error;
    track.renderStep(events, game.camera);
    for (int s = 1; s < steps; ++s) {
        track.renderStep(StepEvents(), game.camera);
    }
    return track.samples();
}

GameEvent eventAt(EventKind kind, int size, float speed, Vector3 where) {
    GameEvent event;
    event.kind = kind;
    event.size = size;
    event.speed = speed;
    event.where = where;
    return event;
}

float peakOf(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float s : samples) {
        peak = std::max(peak, std::fabs(s));
    }
    return peak;
}

double energyOfChannel(const std::vector<float>& samples, std::size_t channel) {
    double sum = 0.0;
    for (std::size_t i = channel; i < samples.size(); i += 2) {
        sum += static_cast<double>(samples[i]) * static_cast<double>(samples[i]);
    }
    return sum;
}

// A point beside the camera: `across` units to its right (negative: left), `ahead` in front.
Vector3 besideCamera(float across, float ahead) {
    const Camera& camera = game.camera;
    const Vector3 eye = camera.getEye();
    const Vector3 forward = normalize(camera.getView() - eye);
    const Vector3 right = normalize(cross(forward, camera.getUp()));
    return eye + forward * ahead + right * across;
}

class SoundTrackTest : public GameTest {};

TEST_F(SoundTrackTest, EachEventsSoundStartsWithinTheSamplesOfItsStep) {
    const std::vector<HeardStep> steps = playDemo("hunt-to-the-end.demo");
    // The first event of each sound: its step (from 1) and its place in the step's list.
    std::vector<std::pair<std::size_t, std::size_t>> firsts(SOUND_COUNT);
    for (std::size_t s = 0; s < steps.size(); ++s) {
        for (std::size_t i = 0; i < steps[s].events.size(); ++i) {
            SoundCue cue;
            if (soundCueFor(steps[s].events[i], cue) &&
                firsts[static_cast<int>(cue.id)].first == 0) {
                firsts[static_cast<int>(cue.id)] = {s + 1, i};
            }
        }
    }
    std::size_t lastNeeded = 0;
    for (const auto& [step, index] : firsts) {
        // Every one of the game's sounds is made somewhere in this demo.
        ASSERT_GT(step, 0u);
        lastNeeded = std::max(lastNeeded, step + 2);
    }
    const std::vector<float> whole = renderSteps(steps, lastNeeded);
    for (const auto& [step, index] : firsts) {
        // The same track with this one event left out differs first inside its step.
        const std::size_t count = std::min(step + 2, steps.size());
        const std::vector<float> with(whole.begin(), whole.begin() + 2L * samplesPerStep * count);
        const std::vector<float> without = renderSteps(steps, count, step, index);
        ASSERT_EQ(with.size(), without.size());
        const auto difference = std::mismatch(with.begin(), with.end(), without.begin());
        ASSERT_NE(difference.first, with.end()) << "no sound for the event at step " << step;
        const long frame = (difference.first - with.begin()) / 2;
        EXPECT_GE(frame, static_cast<long>(step - 1) * samplesPerStep) << step;
        EXPECT_LT(frame, static_cast<long>(step) * samplesPerStep) << step;
    }
}

TEST_F(SoundTrackTest, AHitIsLouderOnTheSideOfTheCameraItHappensOn) {
    // As the game starts (looking down -z), then turned to look down +x and up +z: the ears
    // turn with the camera.
    const Vector3 eye = game.camera.getEye();
    const Vector3 up(0.0f, 1.0f, 0.0f);
    const Vector3 views[] = {game.camera.getView(), eye + Vector3(10.0f, 0.0f, 0.0f),
                             eye + Vector3(0.0f, 0.0f, 10.0f)};
    for (const Vector3& view : views) {
        game.camera.setup(eye, view, up);
        const std::vector<float> left =
            renderEvents({eventAt(EventKind::STONE_HIT, 3, 0.0f, besideCamera(-4.0f, 5.0f))}, 50);
        const std::vector<float> right =
            renderEvents({eventAt(EventKind::STONE_HIT, 3, 0.0f, besideCamera(4.0f, 5.0f))}, 50);
        EXPECT_GT(energyOfChannel(left, 0), 2.0 * energyOfChannel(left, 1)) << view.x;
        EXPECT_GT(energyOfChannel(right, 1), 2.0 * energyOfChannel(right, 0)) << view.x;
    }
    // Far across the arena it is softer, but still plainly heard.
    const std::vector<float> far =
        renderEvents({eventAt(EventKind::STONE_HIT, 3, 0.0f, besideCamera(0.0f, 25.0f))}, 50);
    const std::vector<float> near =
        renderEvents({eventAt(EventKind::STONE_HIT, 3, 0.0f, besideCamera(0.0f, 5.0f))}, 50);
    EXPECT_LT(peakOf(far), peakOf(near));
    EXPECT_GT(peakOf(far), peakOf(near) / 4.0f);
}

TEST_F(SoundTrackTest, BouncesSoundByTheirSpeedAndOnlyThreeAtOnce) {
    const Vector3 place = besideCamera(0.0f, 5.0f);
    const float hard = peakOf(renderEvents({eventAt(EventKind::FLOOR_BOUNCE, 2, 9.0f, place)}, 30));
    const float soft = peakOf(renderEvents({eventAt(EventKind::FLOOR_BOUNCE, 2, 3.0f, place)}, 30));
    EXPECT_NEAR(soft / hard, 3.0f / 9.0f, 0.02f);

    StepEvents three;
    for (int b = 0; b < maxBouncesAtOnce; ++b) {
        three.push_back(eventAt(EventKind::WALL_BOUNCE, 1 + b % 3, 3.0f,
                                besideCamera(static_cast<float>(b), 5.0f)));
    }
    StepEvents six = three;
    six.insert(six.end(), three.begin(), three.end());
    EXPECT_EQ(renderEvents(three, 30), renderEvents(six, 30));
    // Once they have died away, the next bounce sounds again.
    SoundTrack track;
    std::string error;
    std::string problems;
    ASSERT_TRUE(track.open(shippedSounds, error, problems)) << error;
    track.renderStep(six, game.camera);
    const int quietSteps = 40; // the wall bounce lasts 0.2 s, at the slowest pitch 0.25 s
    for (int s = 0; s < quietSteps; ++s) {
        track.renderStep(StepEvents(), game.camera);
    }
    const std::size_t quiet = track.samples().size();
    EXPECT_EQ(peakOf({track.samples().end() - 2 * samplesPerStep, track.samples().end()}), 0.0f);
    track.renderStep(three, game.camera);
    EXPECT_GT(peakOf({track.samples().begin() + static_cast<long>(quiet), track.samples().end()}),
              0.0f);
}

TEST_F(SoundTrackTest, EverySoundOfOneStepAtOnceStaysBelowFullScale) {
    // At the camera itself, where distance takes nothing away: the loudest a step can be.
    const Vector3 ear = game.camera.getEye();
    StepEvents everything;
    for (int size = 1; size <= 3; ++size) {
        everything.push_back(eventAt(EventKind::STONE_HIT, size, 0.0f, ear));
    }
    const EventKind others[] = {EventKind::SHOT_FIRED,    EventKind::COMBO_PAID,
                                EventKind::CRAFT_STRUCK,  EventKind::GAME_OVER,
                                EventKind::STONE_ARRIVED, EventKind::GET_READY_OVER};
    for (const EventKind kind : others) {
        everything.push_back(eventAt(kind, 1, 0.0f, ear));
    }
    for (int b = 0; b < maxBouncesAtOnce; ++b) {
        everything.push_back(eventAt(EventKind::FLOOR_BOUNCE, 3, 20.0f, ear));
    }
    const float peak = peakOf(renderEvents(everything, 200));
    EXPECT_LT(peak, 0.95f);
    EXPECT_GT(peak, 0.5f); // and not made safe by being faint
}

// Writes a one-second file of a steady tone, left at `left` and right at `right`.
void writeTone(const std::string& path, int format, float left, float right) {
    SF_INFO info = {};
    info.samplerate = soundSampleRate;
    info.channels = 2;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> frames;
    for (int f = 0; f < soundSampleRate; ++f) {
        const float wave = std::sin(static_cast<float>(f) * 0.05f);
        frames.push_back(left * wave);
        frames.push_back(right * wave);
    }
    sf_writef_float(file, frames.data(), soundSampleRate);
    sf_close(file);
}

TEST_F(SoundTrackTest, AModdersFileTakesThePlaceOfTheShippedSound) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("wibz3d-sounds-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::copy(shippedSounds, folder,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const StepEvents shot = {eventAt(EventKind::SHOT_FIRED, 0, 0.0f, besideCamera(0.0f, 5.0f))};
    const std::vector<float> shipped = renderEvents(shot, 40, folder.string());
    EXPECT_GT(peakOf(shipped), 0.0f);

    // A stereo FLAC is read and mixed down to one channel: halfway between its two sides.
    writeTone((folder / "shot.flac").string(), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.5f, 0.25f);
    SoundSamples samples;
    std::string error;
    ASSERT_TRUE(readSoundFile((folder / "shot.flac").string(), samples, error)) << error;
    EXPECT_EQ(samples.sampleRate, soundSampleRate);
    EXPECT_NEAR(*std::max_element(samples.mono.begin(), samples.mono.end()), 0.375 * 32767, 40);
    const std::vector<float> modded = renderEvents(shot, 40, folder.string());
    EXPECT_NE(modded, shipped);

    // An Ogg Vorbis file goes before both; this one is silent, and so is the shot.
    writeTone((folder / "shot.ogg").string(), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.0f, 0.0f);
    EXPECT_EQ(peakOf(renderEvents(shot, 40, folder.string())), 0.0f);

    // A sound with no file is silent, and says so; the others still play.
    fs::remove(folder / "shot.ogg");
    fs::remove(folder / "shot.flac");
    fs::remove(folder / "shot.wav");
    SoundTrack track;
    std::string problems;
    ASSERT_TRUE(track.open(folder.string(), error, problems));
    EXPECT_EQ(problems, (folder / "shot").string() + ": no .ogg, .flac or .wav file\n");
    track.renderStep(shot, game.camera);
    track.renderStep({eventAt(EventKind::STONE_HIT, 2, 0.0f, besideCamera(0.0f, 5.0f))},
                     game.camera);
    const std::vector<float>& heard = track.samples();
    EXPECT_EQ(peakOf({heard.begin(), heard.begin() + 2 * samplesPerStep}), 0.0f);
    EXPECT_GT(peakOf(heard), 0.0f);
    fs::remove_all(folder);
}
} // namespace
