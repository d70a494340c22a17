#include "app/settings.h"

char gameModeString[GAME_MODE_STRING_MAX + 1] = "";
char playerName[PLAYER_NAME_MAX + 1] = "";
