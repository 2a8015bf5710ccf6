// The settings page, its editors and the project-information page.
#pragma once

// The settings page loop; returns on its return entry.
void Settings();

// Draws the settings page and returns the chosen entry, 1 to 7.
int Settings_Page();

void Set_COM_Path();
void Set_LAU_Path();
void Set_US_Path();
void Set_COM_Settings();
void Set_Slowsay();
void Print_Message();
