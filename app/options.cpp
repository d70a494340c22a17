#include "app/options.h"

int thrustInput = 0;
int rollInput = 0;

int showFps = 0;
int wireframe = 0;
int textureFilter = 1;
int mipMapping = 1;
int displayLists = 0;
int frustumCulling = 0;
int transparency = 1;
int faceCulling = 0;
int showHighScores = 0;
int showCourseLine = 0;
int showOctree = 0;
