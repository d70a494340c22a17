#include "app/high_scores.h"

HighScoreList highScoreList;
