// The six clip planes of the current view, in world coordinates, and the
// conservative cube test the octree culls with.
#pragma once

struct Plane {
    // a·x + b·y + c·z + d = 0, (a, b, c) of unit length pointing into the view.
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;

    // Stores the plane divided by the length of (a, b, c). A zero normal is not
    // guarded: it leaves NaN, and a NaN plane puts nothing in front of it.
    void set(float pa, float pb, float pc, float pd);
};

enum FrustumPlane : int {
    PLANE_RIGHT = 0,
    PLANE_LEFT = 1,
    PLANE_BOTTOM = 2,
    PLANE_TOP = 3,
    PLANE_FAR = 4,
    PLANE_NEAR = 5,
    FRUSTUM_PLANE_COUNT = 6,
};

struct Frustum {
    Plane planes[FRUSTUM_PLANE_COUNT];
    float modelview[16] = {};  // as last read; element (row r, column c) at 4·c + r
    float clip[16] = {};       // projection × modelview

    // Reads the current modelview and projection matrices. Needs a current
    // context and the camera transform alone on the modelview stack, so that
    // the planes come out in world coordinates. With the renderer.
    void update();

    // The arithmetic of update, given the two matrices in the library's order.
    void setFromMatrices(const float modelviewMatrix[16], const float projectionMatrix[16]);

    // False when every corner of the cube (centre x, y, z, half edge s) lies
    // on or behind one plane. Cubes near an edge of the view volume may be
    // reported visible although they are not.
    bool boxVisible(float x, float y, float z, float s) const;
};

