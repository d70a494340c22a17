// Level inputs and option toggles set by the input handlers between frames
// and read by the next frame.
#pragma once

extern int thrustInput;   // -1 brake, 0 coast, +1 accelerate
extern int rollInput;     // -1, 0, +1

extern int showFps;
extern int wireframe;
extern int textureFilter;
extern int mipMapping;
extern int displayLists;
extern int frustumCulling;
extern int transparency;
extern int faceCulling;
extern int showHighScores;
extern int showCourseLine;
extern int showOctree;
