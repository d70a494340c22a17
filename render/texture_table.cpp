#include "render/texture_table.h"

#include "sim/rocket.h"

// The rockets number their explosion images as the slots that hold them.
static_assert(TEX_EXPLOSION_FIRST == EXPLOSION_IMAGE_FIRST && TEX_EXPLOSION_END == EXPLOSION_IMAGE_END,
              "explosion images are texture slots");

const char* const TEXTURE_FILES[TEXTURE_SLOT_COUNT] = {
    "logo.tga",
    "stars.tga",
    "cp.tga",
    "gate.tga",
    "ast.tga",
    "explosion/spr000.tga",
    "explosion/spr001.tga",
    "explosion/spr002.tga",
    "explosion/spr003.tga",
    "explosion/spr004.tga",
    "explosion/spr005.tga",
    "explosion/spr006.tga",
    "explosion/spr007.tga",
    "explosion/spr008.tga",
    "explosion/spr009.tga",
    "explosion/spr010.tga",
    "explosion/spr011.tga",
    "explosion/spr012.tga",
    "explosion/spr013.tga",
    "explosion/spr014.tga",
    "explosion/spr015.tga",
    "explosion/spr016.tga",
    "explosion/spr017.tga",
    "explosion/spr018.tga",
    "explosion/spr019.tga",
    "explosion/spr020.tga",
    "explosion/spr021.tga",
    "explosion/spr022.tga",
    "explosion/spr023.tga",
    "explosion/spr024.tga",
    "smoke.tga",
    "cp_sides.tga",
};
