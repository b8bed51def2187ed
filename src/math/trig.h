// trig.h -- the game's own sine and cosine. The C library's differ from one system to the
// next in their last bits, and a demo must end the same everywhere; these use only IEEE
// double arithmetic, so every build and system gives the same bits. Rounded to float they
// agree with glibc's on every angle sampled (tests/math/test_trig.cpp).
#pragma once

double sineOf(double radians);
double cosineOf(double radians);
