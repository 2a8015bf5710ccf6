#include "settings/settings_page.h"

// The page arrives with the settings work.
void Settings() {}
