// Lit, textured bodies in immediate mode, and the optional display lists that
// hold the 200 asteroid bodies while the list option is on.
#pragma once

#include "sim/asteroid.h"

constexpr int ASTEROID_LIST_COUNT = ASTEROID_COUNT;
constexpr float ASTEROID_SCALE = 7.0f;
constexpr float GATE_SCALE = 2.5f;

// Name of the first of ASTEROID_LIST_COUNT consecutive lists; list
// asteroidListBase + i holds the body of asteroid i. 0 while no lists exist.
// GL objects of the process's one context, made and deleted from the F7 key's
// callback.
extern unsigned int asteroidListBase;

#include "render/view_settings.h"

// Makes the lists match view.displayLists: builds them from the bodies of
// field's asteroids when the option is on and none exist, deletes them when it
// is off. A failed build turns the option back off. Called by the F7 handler
// right after it flips displayLists, with the context current and outside any
// glBegin/glEnd or list compilation.
void toggleAsteroidLists(ViewSettings& view, const Asteroid* field);

// True when the asteroid pass should call the lists: the option is on and the
// lists were actually made.
bool asteroidListsInUse(const ViewSettings& view);

// A model's material for GL_FRONT, its diffuse and specular alpha 1.
void setModelMaterial(const Model& model, float shininess);
// The model's triangles, each corner a normal and a vertex, inside a
// glBegin(GL_TRIANGLES) of the caller.
void sendModelTriangles(const Model& model);
