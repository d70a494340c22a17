// The 32 textures of the game, by fixed slot. Every pass binds textures only
// through this table.
#pragma once

constexpr int TEXTURE_SLOT_COUNT = 32;

enum TextureSlot : int {
    TEX_LOGO = 0,             // "logo.tga", loaded but drawn by no pass
    TEX_STARS = 1,            // "stars.tga", backdrop
    TEX_COCKPIT = 2,          // "cp.tga", cockpit panel and radar
    TEX_GATE = 3,             // "gate.tga"
    TEX_ASTEROID = 4,         // "ast.tga"
    TEX_EXPLOSION_FIRST = 5,  // "explosion/spr000.tga" ... slot 29 "explosion/spr024.tga"
    TEX_EXPLOSION_END = 29,   // the animation ends before this slot
    TEX_SMOKE = 30,           // "smoke.tga"
    TEX_COCKPIT_SIDES = 31,   // "cp_sides.tga", the cockpit beside the panel on screens wider than 4:3
};

// The file of each slot, relative to the working directory.
extern const char* const TEXTURE_FILES[TEXTURE_SLOT_COUNT];

struct TextureTable {
    unsigned int names[TEXTURE_SLOT_COUNT] = {};
};

// The GL texture names of the process's one context, bound by every pass.
extern TextureTable textureTable;

// Binds the texture of a slot to GL_TEXTURE_2D.
void bindTexture(int slot);

// Creates the mipmapped texture of one slot from a TGA file, filtered for both
// options on. A file that cannot be used ends the program with status 1 after
// the TGA message and a line naming the file and why. Needs a current context.
void loadTexture(TextureTable& table, const char* fileName, int slot);

// Loads slots 0 to 31 in order from TEXTURE_FILES into textureTable, the files
// decoded beside the GL thread (render/texture_decoding.h). The first slot in
// table order whose file fails ends the program as loadTexture does; only that
// file is named, whichever thread came to it first.
void loadTextureTable();

// Re-sets the filters of all 32 textures from the textureFilter and
// mipMapping switches (F4, F5). Leaves the last slot bound.
void applyTextureFilter(int textureFilter, int mipMapping);
