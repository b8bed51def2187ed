// test_support.h -- capturing standard output and scripting the clock in tests.
#pragma once

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

// Runs fn with standard output redirected and returns what it printed.
template <typename Fn> std::string captureStdout(Fn fn) {
    std::fflush(stdout);
    ::testing::internal::CaptureStdout();
    fn();
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}

// A clock the test moves by hand (milliseconds).
inline double scriptedMilliseconds = 0.0;
inline double scriptedClock() {
    return scriptedMilliseconds;
}
