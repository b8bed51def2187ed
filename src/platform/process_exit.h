// process_exit.h -- the one way the game ends. What must be written (a recording's end line,
// the end state, the frame log) is written, standard output and error are flushed, and the
// process leaves at once: no static is destroyed and no start under way in the background
// (a sound server or a desktop bus that never answers) is waited for or raced.
#pragma once

// Something to write or let go of as the game ends; run once, the last registered first.
void atLeaving(void (*action)());
// Runs the actions, flushes and ends the process with status. In a build with
// AddressSanitizer, leaks are checked first, as a normal exit would.
[[noreturn]] void leaveProcess(int status);
// From here on, exit() from anywhere (a library's error, the window closed, main returning)
// takes the same way out with its status.
void routeExitsThroughLeaving();
