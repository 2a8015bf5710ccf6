#include "settings/settings.h"

const std::string NAME = "Tarnwickstone";
const std::string SETTINGS = NAME + ".tws";
std::string COM_PATH;
std::string LAU_PATH;
std::string US_PATH;
std::string COM_SETTINGS;
bool SLOWSAY = true;
bool FIRST = false;
const size_t VALUE_LIMIT = 32767 * 3;
