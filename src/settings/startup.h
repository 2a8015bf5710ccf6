// Start-up and shut-down: the settings file read into the settings at start,
// and written from them at exit.
#pragma once

// Start-up: UTF-8 console, window title, settings loaded; FIRST set when
// there is no settings file, and a file that cannot be read is said, with a
// key waited for.
void Init();

// Shut-down: the settings saved to the hidden settings file, then a short
// wait. When they cannot be saved the user is told why and what to do, a key
// is waited for, and the result is false.
bool Exit();
