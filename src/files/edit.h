// The edit menu: new files and opening files in the text editor.
#pragma once

// The edit menu loop; returns on its return entry.
void Edit();

// Draws the edit menu and returns the chosen entry, 1 to 3.
int Edit_Page();

// Creates an empty file in the default folder or a typed one.
void New_File();

// Opens an existing file in the text editor.
void Open_File();
