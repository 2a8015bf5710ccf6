// The settings page, its editors and the project-information page.
#pragma once

#include "settings/settings.h"

// The settings page loop; returns on its return entry.
void Settings();

// Draws the settings page from SETTING_TABLE and returns the chosen entry:
// a setting's row number from 1, then the information and return entries.
int Settings_Page();

// The editor of one setting: a page of its own that asks for the new value as
// the setting's kind requires (a switch is turned over), stores it and waits
// for a key after its message.
void Edit_Setting(const Setting& s);

void Print_Message();
