// keyboard.h -- the window's key callbacks: character keys give commands for the next step
// (lighting and Escape act at once); arrow and function keys only feed the held-key table
// that each game step reads.
#pragma once

void onKey(unsigned char key, int x, int y);
void onSpecialDown(int key, int x, int y);
void onSpecialUp(int key, int x, int y);
// Lighting on or off (the L and l keys, and a played demo's).
void switchLighting(bool on);
// Asks the X server to send a held key's auto-repeat as presses only, without the release
// that would otherwise come before each one: a held arrow key then stays held, a held
// function key counts as one press, and character keys still repeat.
void useDetectableAutoRepeat();
// Drops keys the X server no longer reports as down: a key released while another
// window had the focus sends us no release.
void syncHeldKeysWithServer();
