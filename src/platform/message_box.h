// message_box.h -- our stand-in for MessageBoxA: a console game has no dialog to wait on,
// so the box becomes one line on standard error and the game goes on.
#pragma once

// Writes "Title: text" and a line end to standard error.
void showMessageBox(const char* title, const char* text);
