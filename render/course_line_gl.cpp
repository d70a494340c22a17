#include "render/effects.h"

#include "sim/course.h"

#include <GL/gl.h>

void drawCourseLine(const Gate* gates)
{
    // Lighting, texture and normal stay as the gate pass left them: the line
    // takes whatever they give it.
    glBegin(GL_LINE_LOOP);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int i = 0; i < gateCount - 1; ++i) {
        const Vertex& from = gates[i].position;
        const Vertex& to = gates[i + 1].position;
        glVertex3f(from.x, from.y, from.z);
        glVertex3f(to.x, to.y, to.z);
    }
    glEnd();
}
