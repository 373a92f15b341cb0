#pragma once
// Which keys are down right now, for chords whose first key went to another widget (the press of
// S on a page never reaches the main window, only the later digit's release does). One watcher
// on the application sees every key press and release of the program's windows.
//
// UI thread only.

// Starts watching (once per application; later calls do nothing).
void WatchHeldKeys();
// True while the key (Qt::Key) is down in one of the program's windows. Keys are forgotten when
// the program loses the keyboard, since their releases then go elsewhere.
bool IsKeyHeld(int key);
// Forgets every held key.
void ForgetHeldKeys();
