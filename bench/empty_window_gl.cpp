// The floor of the start-up benchmark: the least a toolkit program must do
// before its first frame. It opens the window the way the game does where the
// video mode cannot be changed (full screen, double-buffered, with depth),
// clears it, swaps, and then idles until it is killed. bench/report.sh times
// its first buffer swap in the same runs as the game's.
#include <GL/glut.h>

namespace {

void drawEmptyFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv)
{
    glutInitDisplayString("rgb double depth");
    glutInit(&argc, argv);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutCreateWindow("empty");
    glutFullScreen();
    glutDisplayFunc(drawEmptyFrame);
    glutMainLoop();
    return 0;
}
