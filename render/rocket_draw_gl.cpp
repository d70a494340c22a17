#include "sim/rocket.h"

#include <GL/glut.h>

// A rocket in flight shows as a small grey sphere, lit like the scene; the
// model loaded for it is not drawn.
void Rocket::draw() const
{
    glTranslatef(position.x, position.y, position.z);
    glPushMatrix();
    glColor3f(0.8f, 0.8f, 0.8f);
    glutSolidSphere(0.25, 15, 15);
    glPopMatrix();
    glTranslatef(-position.x, -position.y, -position.z);
}
