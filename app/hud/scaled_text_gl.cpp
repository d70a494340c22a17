#include "app/hud/scaled_text.h"

#include "app/hud/overlay.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// The toolkit's bitmap fonts cover Latin-1; a name in the high-score file may
// hold any byte, and draws as that font's glyph at every scale.
constexpr int GLYPH_CODES = 256;
constexpr int ATLAS_COLUMNS = 16;
constexpr int ATLAS_ROWS = GLYPH_CODES / ATLAS_COLUMNS;
// Room around a glyph's advance for ink that reaches outside it.
constexpr int PAD = 2;
constexpr float RASTER_EPSILON = 1e-4f;

struct Glyph {
    int advance = 0;
    // The inked box, relative to the pen and the baseline, in font pixels;
    // empty for a blank such as the space.
    int left = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 0.0f;
    float v1 = 0.0f;
};

// One cell per glyph, in the capture strip and in the texture alike: the
// pen at column PAD, the baseline at row `baseline`. A bitmap glyph is the
// font's height tall and may sit anywhere from a height below the baseline
// to a height above it.
struct Cells {
    int width = 0;
    int height = 0;
    int baseline = 0;
};

struct GlyphAtlas {
    GLuint texture = 0;
    Glyph glyphs[GLYPH_CODES];
};

// The glyphs, captured once from the toolkit's fonts, and the pens of the
// lines last drawn, kept between frames like the lines themselves: no
// allocation once the overlay has shown its most lines. One for the process,
// as the toolkit's fonts are.
struct GrownText {
    GlyphAtlas atlases[2];  // by OverlayFont: large, small
    bool captured = false;
    std::vector<int> penX;
    std::vector<int> penY;
};
GrownText grown;

Cells cellsOf(void* font)
{
    int widest = 0;
    for (int code = 1; code < GLYPH_CODES; ++code) {
        widest = std::max(widest, glutBitmapWidth(font, code));
    }
    const int height = glutBitmapHeight(font);
    return Cells{widest + 2 * PAD, 2 * (height + PAD), height + PAD};
}

int powerOfTwoAtLeast(int n)
{
    int p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

// Copies one captured cell (RGBA, `stride` pixels a row) into the atlas image
// and records where its ink is.
void takeCell(const GLubyte* cell, int stride, const Cells& cells, int code, std::vector<GLubyte>& image,
              int imageWidth, int imageHeight, Glyph& glyph)
{
    const int atlasX = (code % ATLAS_COLUMNS) * cells.width;
    const int atlasY = (code / ATLAS_COLUMNS) * cells.height;
    int minX = cells.width;
    int minY = cells.height;
    int maxX = -1;
    int maxY = -1;
    for (int y = 0; y < cells.height; ++y) {
        for (int x = 0; x < cells.width; ++x) {
            if (cell[(static_cast<size_t>(y) * stride + x) * 4] < 128) {
                continue;
            }
            image[static_cast<size_t>(atlasY + y) * imageWidth + atlasX + x] = 255;
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0) {
        return;
    }
    glyph.left = minX - PAD;
    glyph.bottom = minY - cells.baseline;
    glyph.width = maxX - minX + 1;
    glyph.height = maxY - minY + 1;
    glyph.u0 = static_cast<float>(atlasX + minX) / static_cast<float>(imageWidth);
    glyph.u1 = static_cast<float>(atlasX + maxX + 1) / static_cast<float>(imageWidth);
    glyph.v0 = static_cast<float>(atlasY + minY) / static_cast<float>(imageHeight);
    glyph.v1 = static_cast<float>(atlasY + maxY + 1) / static_cast<float>(imageHeight);
}

// Renders every glyph of the font white on black in the scissored strip at
// the viewport's bottom left, a row of cells at a time, reads them back and
// makes them the font's texture.
void captureFont(OverlayFont which, const GLint viewport[4], int stripWidth)
{
    void* font = overlayBitmapFont(which);
    GlyphAtlas& atlas = grown.atlases[which];
    const Cells cells = cellsOf(font);
    const int perStrip = std::min(ATLAS_COLUMNS, stripWidth / cells.width);
    const int imageWidth = powerOfTwoAtLeast(ATLAS_COLUMNS * cells.width);
    const int imageHeight = powerOfTwoAtLeast(ATLAS_ROWS * cells.height);
    std::vector<GLubyte> image(static_cast<size_t>(imageWidth) * imageHeight, 0);
    std::vector<GLubyte> strip(static_cast<size_t>(perStrip) * cells.width * cells.height * 4);

    for (int first = 0; first < GLYPH_CODES; first += perStrip) {
        const int count = std::min(perStrip, GLYPH_CODES - first);
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < count; ++i) {
            // A quarter pixel in, so that the bitmap lands on whole pixels
            // whatever the rounding of the projection.
            glRasterPos2f(static_cast<float>(i * cells.width + PAD) + 0.25f,
                          static_cast<float>(cells.baseline) + 0.25f);
            glutBitmapCharacter(font, first + i);
        }
        glReadPixels(viewport[0], viewport[1], count * cells.width, cells.height, GL_RGBA, GL_UNSIGNED_BYTE,
                     strip.data());
        for (int i = 0; i < count; ++i) {
            const int code = first + i;
            Glyph& glyph = atlas.glyphs[code];
            glyph = Glyph{};
            glyph.advance = code == 0 ? 0 : glutBitmapWidth(font, code);
            if (code != 0) {
                takeCell(&strip[static_cast<size_t>(i) * cells.width * 4], count * cells.width, cells, code, image,
                         imageWidth, imageHeight, glyph);
            }
        }
    }

    if (atlas.texture == 0) {
        glGenTextures(1, &atlas.texture);
    }
    glBindTexture(GL_TEXTURE_2D, atlas.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, imageWidth, imageHeight, 0, GL_ALPHA, GL_UNSIGNED_BYTE, image.data());
}

// Captures both fonts through the frame being drawn, putting back the
// scene's pixels under the strip afterwards. False when the viewport cannot
// hold a cell of the large font.
bool captureGlyphs()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Cells large = cellsOf(overlayBitmapFont(FONT_LARGE));
    const Cells small = cellsOf(overlayBitmapFont(FONT_SMALL));
    const int stripWidth = std::min(ATLAS_COLUMNS * std::max(large.width, small.width), static_cast<int>(viewport[2]));
    const int stripHeight = std::max(large.height, small.height);
    if (stripWidth < std::max(large.width, small.width) || viewport[3] < stripHeight) {
        return false;
    }

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, viewport[2], 0.0, viewport[3]);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Nothing but the glyphs' own pixels: no lighting, material tracking,
    // texture, depth, blending or fog on them.
    for (GLenum capability : {GL_LIGHTING, GL_COLOR_MATERIAL, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST,
                              GL_FOG, GL_STENCIL_TEST, GL_COLOR_LOGIC_OP, GL_DITHER}) {
        glDisable(capability);
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport[0], viewport[1], stripWidth, stripHeight);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelZoom(1.0f, 1.0f);

    std::vector<GLubyte> scene(static_cast<size_t>(stripWidth) * stripHeight * 4);
    glReadPixels(viewport[0], viewport[1], stripWidth, stripHeight, GL_RGBA, GL_UNSIGNED_BYTE, scene.data());
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    captureFont(FONT_LARGE, viewport, stripWidth);
    captureFont(FONT_SMALL, viewport, stripWidth);
    glRasterPos2f(0.25f, 0.25f);
    glDrawPixels(stripWidth, stripHeight, GL_RGBA, GL_UNSIGNED_BYTE, scene.data());

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
    grown.captured = true;
    return true;
}

int lineAdvance(const GlyphAtlas& atlas, const char* text)
{
    int advance = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        advance += atlas.glyphs[static_cast<unsigned char>(*c)].advance;
    }
    return advance;
}

// The window pixel where the bitmap path puts a line's pen: the raster
// position of (x, y) in window fractions, whole pixels as a bitmap lands.
// A grown line may start left of the window, where there is no raster
// position; it is then drawn as far as it shows.
void penOf(float x, float y, const GLint viewport[4], int& penX, int& penY)
{
    glRasterPos3f(x, y, 0.0f);
    GLint valid = GL_FALSE;
    glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    GLfloat raster[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (valid == GL_TRUE) {
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    } else {
        raster[0] = static_cast<float>(viewport[0]) + x * static_cast<float>(viewport[2]);
        raster[1] = static_cast<float>(viewport[1]) + y * static_cast<float>(viewport[3]);
    }
    // A position a rounding error short of a whole pixel counts as that
    // pixel, as Mesa places a bitmap.
    penX = static_cast<int>(std::floor(raster[0] + RASTER_EPSILON));
    penY = static_cast<int>(std::floor(raster[1] + RASTER_EPSILON));
}

void drawLine(const GlyphAtlas& atlas, const char* text, int penX, int penY, int scale)
{
    glBegin(GL_QUADS);
    for (const char* c = text; *c != '\0'; ++c) {
        const Glyph& glyph = atlas.glyphs[static_cast<unsigned char>(*c)];
        if (glyph.width > 0) {
            const int x0 = penX + scale * glyph.left;
            const int y0 = penY + scale * glyph.bottom;
            const int x1 = x0 + scale * glyph.width;
            const int y1 = y0 + scale * glyph.height;
            glTexCoord2f(glyph.u0, glyph.v0);
            glVertex2i(x0, y0);
            glTexCoord2f(glyph.u1, glyph.v0);
            glVertex2i(x1, y0);
            glTexCoord2f(glyph.u1, glyph.v1);
            glVertex2i(x1, y1);
            glTexCoord2f(glyph.u0, glyph.v1);
            glVertex2i(x0, y1);
        }
        penX += scale * glyph.advance;
    }
    glEnd();
}
}  // namespace

bool drawScaledLines(const OverlayLines& lines, int scale)
{
    if (!grown.captured && !captureGlyphs()) {
        return false;
    }
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] <= 0 || viewport[3] <= 0) {
        return true;
    }
    GLint matrixMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    GLfloat texCoord[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_POLYGON_BIT | GL_COLOR_BUFFER_BIT);

    // The pens first, in window fractions as drawText places its lines.
    pushWindowFractions();
    std::vector<int>& penX = grown.penX;
    std::vector<int>& penY = grown.penY;
    const int count = lines.count;
    penX.resize(static_cast<std::size_t>(count));
    penY.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const OverlayLine& line = lines.lines[i];
        float x = line.x;
        if (line.anchor != ANCHOR_LEFT) {
            // It ends (or is centred) where it is at scale 1: its start moves
            // left by the grown width (or half of it).
            const int width = scale * lineAdvance(grown.atlases[line.font], line.text);
            const float shift = line.anchor == ANCHOR_CENTRE ? 0.5f * static_cast<float>(width)
                                                              : static_cast<float>(width);
            x -= shift / static_cast<float>(viewport[2]);
        }
        penOf(x, line.y, viewport, penX[i], penY[i]);
    }

    // Then the glyphs, in window pixels: the texture's empty texels fail the
    // alpha test, so only the ink is drawn, in the line's colour, over
    // whatever texture and wireframe the scene left set.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3]);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    for (int i = 0; i < count; ++i) {
        const OverlayLine& line = lines.lines[i];
        const GlyphAtlas& atlas = grown.atlases[line.font];
        glBindTexture(GL_TEXTURE_2D, atlas.texture);
        glColor3f(line.red, line.green, line.blue);
        drawLine(atlas, line.text, penX[i], penY[i], scale);
    }

    popWindowFractions();
    glMatrixMode(static_cast<GLenum>(matrixMode));
    glPopAttrib();
    // Like drawText, leave the last line's colour current, and nothing else.
    glTexCoord4fv(texCoord);
    return true;
}
