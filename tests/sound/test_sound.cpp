// test_sound.cpp -- the game's sound listened to through OpenAL Soft's loopback device: where
// each event's sound starts, left and right, loudness, the limits of the mix and a modder's
// files. No sound card is needed.
#include "game/game_setup.h"
#include "game_fixture.h"
#include "replay/demo.h"
#include "replay/demo_player.h"
#include "sound/sound_bank.h"
#include "sound/sound_cues.h"
#include "sound/sound_track.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace {
const std::string shippedSounds = std::string(WIBZ_DATA_DIR) + "/sounds";

// What the camera heard in one step: the step's events and where the camera stood.
struct HeardStep {
    StepEvents events;
    Camera camera;
};

// The track of the steps, from the sounds in folder. The files missing or unreadable go to
// problems where given; otherwise there must be none.
std::vector<float> render(const std::vector<HeardStep>& steps,
                          const std::string& folder = shippedSounds,
                          std::string* problems = nullptr) {
    SoundTrack track;
    std::string error;
    std::string found;
    EXPECT_TRUE(track.open(folder, error, problems != nullptr ? *problems : found)) << error;
    EXPECT_EQ(found, "");
    for (const HeardStep& step : steps) {
        track.renderStep(step.events, step.camera);
    }
    return track.samples();
}

// steps of sound from one step's events, heard from the camera at the start of a game.
std::vector<float> renderEvents(const StepEvents& events, int steps,
                                const std::string& folder = shippedSounds) {
    std::vector<HeardStep> heard(static_cast<std::size_t>(steps), {{}, game.camera});
    heard[0].events = events;
    return render(heard, folder);
}

GameEvent eventAt(EventKind kind, int size, float speed, Vector3 where) {
    return {kind, 0, size, 0, speed, where};
}

float peakOf(const std::vector<float>& samples) {
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    return std::max(-*low, *high);
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
    const Vector3 eye = game.camera.getEye();
    const Vector3 forward = normalize(game.camera.getView() - eye);
    return eye + forward * ahead + normalize(cross(forward, game.camera.getUp())) * across;
}

// The loudest sample of one step (from 0) of a track.
float peakOfStep(const std::vector<float>& track, std::size_t step) {
    const auto begin = track.begin() + static_cast<long>(2 * samplesPerStep * step);
    return peakOf({begin, begin + 2 * samplesPerStep});
}

class SoundTrackTest : public GameTest {};

TEST_F(SoundTrackTest, EachEventsSoundStartsWithinTheSamplesOfItsStep) {
    // The busiest demo, played once: every step's events and camera.
    Demo demo;
    std::string error;
    ASSERT_TRUE(readDemo(std::string(WIBZ_DEMO_DIR) + "/hunt-to-the-end.demo", demo, error))
        << error;
    std::vector<HeardStep> steps;
    beginGame(game);
    DemoPlayer player(demo);
    while (player.playStep(game)) {
        steps.push_back({game.events, game.camera});
    }
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
    const std::vector<float> whole = render(steps);
    for (const auto& [step, index] : firsts) {
        ASSERT_GT(step, 0u) << "a sound that no event of the demo makes";
        // The same track with this one event left out differs first inside its step.
        std::vector<HeardStep> cut(
            steps.begin(), steps.begin() + static_cast<long>(std::min(step + 2, steps.size())));
        cut[step - 1].events.erase(cut[step - 1].events.begin() + static_cast<long>(index));
        const std::vector<float> without = render(cut);
        const auto difference = std::mismatch(without.begin(), without.end(), whole.begin());
        ASSERT_NE(difference.first, without.end()) << "no sound for the event at step " << step;
        const long frame = (difference.first - without.begin()) / 2;
        EXPECT_GE(frame, static_cast<long>(step - 1) * samplesPerStep) << step;
        EXPECT_LT(frame, static_cast<long>(step) * samplesPerStep) << step;
    }
}

TEST_F(SoundTrackTest, AHitIsLouderOnTheSideOfTheCameraItHappensOnAndSofterFarAway) {
    const auto hit = [](Vector3 where) {
        return renderEvents({eventAt(EventKind::STONE_HIT, 3, 0.0f, where)}, 50);
    };
    // As the game starts (looking down -z), then turned to look down +x and up +z: the ears
    // turn with the camera.
    const Vector3 eye = game.camera.getEye();
    for (const Vector3& view : {game.camera.getView(), eye + Vector3(10.0f, 0.0f, 0.0f),
                                eye + Vector3(0.0f, 0.0f, 10.0f)}) {
        game.camera.setup(eye, view, Vector3(0.0f, 1.0f, 0.0f));
        const std::vector<float> left = hit(besideCamera(-4.0f, 5.0f));
        const std::vector<float> right = hit(besideCamera(4.0f, 5.0f));
        EXPECT_GT(energyOfChannel(left, 0), 2.0 * energyOfChannel(left, 1)) << view.x;
        EXPECT_GT(energyOfChannel(right, 1), 2.0 * energyOfChannel(right, 0)) << view.x;
    }
    // Far across the arena it is softer, but still plainly heard.
    const float far = peakOf(hit(besideCamera(0.0f, 25.0f)));
    const float near = peakOf(hit(besideCamera(0.0f, 5.0f)));
    EXPECT_LT(far, near);
    EXPECT_GT(far, near / 4.0f);
}

TEST_F(SoundTrackTest, BouncesSoundByTheirSpeedAndOnlyThreeAtOnce) {
    // Louder by the speed, up to the floor's and the wall's loudest speeds.
    const auto peakAt = [](EventKind kind, float speed) {
        return peakOf(renderEvents({eventAt(kind, 2, speed, besideCamera(0.0f, 5.0f))}, 30));
    };
    EXPECT_NEAR(peakAt(EventKind::FLOOR_BOUNCE, 3.0f) / peakAt(EventKind::FLOOR_BOUNCE, 9.0f),
                3.0f / 9.0f, 0.02f);
    EXPECT_NEAR(peakAt(EventKind::WALL_BOUNCE, 1.5f) / peakAt(EventKind::WALL_BOUNCE, 3.0f), 0.5f,
                0.02f);

    StepEvents three;
    for (int b = 0; b < maxBouncesAtOnce; ++b) {
        three.push_back(eventAt(EventKind::WALL_BOUNCE, 1 + b % 3, 3.0f,
                                besideCamera(static_cast<float>(b), 5.0f)));
    }
    StepEvents six = three;
    six.insert(six.end(), three.begin(), three.end());
    // Once they have died away (the wall bounce lasts 0.2 s, at the slowest pitch 0.25 s),
    // the next bounce sounds again.
    std::vector<HeardStep> steps(42, {{}, game.camera});
    steps.front().events = steps.back().events = three;
    const std::vector<float> track = render(steps);
    EXPECT_EQ(peakOfStep(track, 40), 0.0f);
    EXPECT_GT(peakOfStep(track, 41), 0.0f);
    steps.front().events = six;
    EXPECT_EQ(render(steps), track);
}

TEST_F(SoundTrackTest, EverySoundOfOneStepAtOnceStaysBelowFullScale) {
    // At the camera itself, where distance takes nothing away: the loudest a step can be.
    const Vector3 ear = game.camera.getEye();
    StepEvents everything;
    for (const EventKind kind :
         {EventKind::SHOT_FIRED, EventKind::COMBO_PAID, EventKind::CRAFT_STRUCK,
          EventKind::GAME_OVER, EventKind::STONE_ARRIVED, EventKind::GET_READY_OVER}) {
        everything.push_back(eventAt(kind, 1, 0.0f, ear));
    }
    for (int size = 1; size <= maxBouncesAtOnce; ++size) { // every hit, and the most bounces
        everything.push_back(eventAt(EventKind::STONE_HIT, size, 0.0f, ear));
        everything.push_back(eventAt(EventKind::FLOOR_BOUNCE, 3, 20.0f, ear));
    }
    const float peak = peakOf(renderEvents(everything, 200));
    EXPECT_LT(peak, 0.95f);
    EXPECT_GT(peak, 0.5f); // and not made safe by being faint
}

// Writes a one-second file of a steady tone, left at `left` and right at `right`.
void writeTone(const std::string& path, int format, float left, float right) {
    SF_INFO info = {0, soundSampleRate, 2, format, 0, 0};
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
    const std::string flac = (folder / "shot.flac").string();
    writeTone(flac, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.5f, 0.25f);
    SoundSamples samples;
    std::string error;
    ASSERT_TRUE(readSoundFile(flac, samples, error)) << error;
    EXPECT_EQ(samples.sampleRate, soundSampleRate);
    EXPECT_NEAR(*std::max_element(samples.mono.begin(), samples.mono.end()), 0.375 * 32767, 40);
    EXPECT_NE(renderEvents(shot, 40, folder.string()), shipped);

    // An Ogg Vorbis file goes before both; this one is silent, and so is the shot.
    writeTone((folder / "shot.ogg").string(), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.0f, 0.0f);
    EXPECT_EQ(peakOf(renderEvents(shot, 40, folder.string())), 0.0f);

    // A sound with no file is silent, and says so; the others still play.
    fs::remove(folder / "shot.ogg");
    fs::remove(folder / "shot.flac");
    fs::remove(folder / "shot.wav");
    std::string problems;
    const std::vector<float> heard =
        render({{shot, game.camera},
                {{eventAt(EventKind::STONE_HIT, 2, 0.0f, besideCamera(0.0f, 5.0f))}, game.camera}},
               folder.string(), &problems);
    EXPECT_EQ(problems, (folder / "shot").string() + ": no .ogg, .flac or .wav file\n");
    EXPECT_EQ(peakOfStep(heard, 0), 0.0f);
    EXPECT_GT(peakOf(heard), 0.0f);
    fs::remove_all(folder);
}
} // namespace
