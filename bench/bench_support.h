// bench_support.h -- what the benchmarks of wibz_bench share: a crowd of stones and debris
// that keeps its size while steps are played, and whether a GL window is open for the
// drawing benchmarks.
#pragma once

// A begun game with the given numbers of stones and debris pieces, built where nothing in
// the next crowdFrames frames changes how many there are: stones bounce in the far quarter
// of the field, away from the craft in its corner and from the shot it has fired; debris
// hovers without gravity. Stone 1 is locked, so the craft turns to face it every frame.
void buildCrowd(int stones, int debris);
constexpr int crowdFrames = 100; // one second of game time
// True while the lists hold what buildCrowd put there.
bool crowdIntact(int stones, int debris);

// Set by main when a GLUT window (and its GL context) is open.
extern bool benchWindowOpen;
// The data folder's files (models/, tex/) are found from the working directory.
bool dataFolderPresent();
