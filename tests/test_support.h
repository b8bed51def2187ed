// test_support.h -- capturing standard output and scripting the clock in tests.
#pragma once

#include <string>

// Runs fn with standard output redirected and returns what it printed.
template <typename Fn> std::string captureStdout(Fn fn);

void beginStdoutCapture();
std::string endStdoutCapture();

template <typename Fn> std::string captureStdout(Fn fn) {
    beginStdoutCapture();
    fn();
    return endStdoutCapture();
}

// A clock the test moves by hand (milliseconds).
extern double scriptedMilliseconds;
double scriptedClock();
