// MakeBoardPhoto: renders the photograph of the Tessaline carrier that the main window
// shows (top side on the left half, bottom side on the right half) and writes it as a
// progressive JPEG. We have no camera picture of the board, so this draws one.
//
// Everything is placed by hand or by a fixed-seed generator, so two runs write the
// same bytes. The three DIP switches sit exactly under the highlight circles of the
// board page; if a switch moves here, the circles in the page layout must move too.
//
// Usage: MakeBoardPhoto <output.jpg>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;
constexpr int kSuper = 3;  // supersampling per axis; everything is drawn at 3x and averaged
constexpr int kQuality = 90;

// ---------------------------------------------------------------------------------------
// Small maths

struct Vec {
    float x = 0, y = 0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, float s) { return {a.x * s, a.y * s}; }
float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
float length(Vec a) { return std::sqrt(dot(a, a)); }
Vec normalised(Vec a) {
    const float l = length(a);
    return l > 0 ? a * (1.0f / l) : Vec{0, 0};
}
Vec perpendicular(Vec a) { return {-a.y, a.x}; }

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

struct Rgb {
    float r = 0, g = 0, b = 0;
};
Rgb operator*(Rgb c, float s) { return {c.r * s, c.g * s, c.b * s}; }
Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb mix(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// Axis-aligned bounds in picture pixels.
struct Bounds {
    float x0, y0, x1, y1;
    Bounds grown(float m) const { return {x0 - m, y0 - m, x1 + m, y1 + m}; }
    bool overlaps(const Bounds& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};
Bounds boundsOf(Vec c, Vec half) { return {c.x - half.x, c.y - half.y, c.x + half.x, c.y + half.y}; }

// ---------------------------------------------------------------------------------------
// Deterministic noise: a hash of the lattice point, no generator state.

uint32_t hash3(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}
float hashUnit(int x, int y, uint32_t seed) {
    return static_cast<float>(hash3(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) >> 8) *
           (1.0f / 16777216.0f);
}
float valueNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = hashUnit(ix, iy, seed), b = hashUnit(ix + 1, iy, seed);
    const float c = hashUnit(ix, iy + 1, seed), d = hashUnit(ix + 1, iy + 1, seed);
    return a + (b - a) * tx + (c - a) * ty + (a - b - c + d) * tx * ty;
}
float fbm(float x, float y, uint32_t seed) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < 4; ++o) {
        sum += amp * valueNoise(x, y, seed + static_cast<uint32_t>(o) * 101u);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

// Placement generator (splitmix64), seeded once; no time, no library distributions.
class Random {
public:
    explicit Random(uint64_t seed) : FState(seed) {}
    uint64_t next() {
        uint64_t z = (FState += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
    float range(float a, float b) { return a + (b - a) * unit(); }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t FState;
};

// ---------------------------------------------------------------------------------------
// Signed distances in picture pixels, negative inside.

float sdBox(Vec p, Vec c, Vec half, float radius) {
    const float qx = std::fabs(p.x - c.x) - half.x + radius;
    const float qy = std::fabs(p.y - c.y) - half.y + radius;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}
float sdCircle(Vec p, Vec c, float r) { return length(p - c) - r; }
float sdSegment(Vec p, Vec a, Vec b, float r) {
    const Vec pa = p - a, ba = b - a;
    const float bb = dot(ba, ba);
    const float h = bb > 0 ? clamp01(dot(pa, ba) / bb) : 0.0f;
    return length(pa - ba * h) - r;
}
float sdTriangle(Vec p, Vec a, Vec b, Vec c) {
    const Vec e0 = b - a, e1 = c - b, e2 = a - c;
    const Vec v0 = p - a, v1 = p - b, v2 = p - c;
    const Vec pq0 = v0 - e0 * clamp01(dot(v0, e0) / dot(e0, e0));
    const Vec pq1 = v1 - e1 * clamp01(dot(v1, e1) / dot(e1, e1));
    const Vec pq2 = v2 - e2 * clamp01(dot(v2, e2) / dot(e2, e2));
    const float s = e0.x * e2.y - e0.y * e2.x > 0 ? 1.0f : -1.0f;
    const float d = std::min({dot(pq0, pq0), dot(pq1, pq1), dot(pq2, pq2)});
    const float w = std::min({s * (v0.x * e0.y - v0.y * e0.x), s * (v1.x * e1.y - v1.y * e1.x),
                              s * (v2.x * e2.y - v2.y * e2.x)});
    return w > 0 ? -std::sqrt(d) : std::sqrt(d);
}

// Coverage of a supersample by a shape at distance d (picture pixels).
float coverage(float d) { return clamp01(0.5f - d * kSuper); }

// ---------------------------------------------------------------------------------------
// Raster targets at supersampled resolution.

template <class T>
class Raster {
public:
    Raster(int w, int h, T init) : FWidth(w * kSuper), FHeight(h * kSuper), FData(static_cast<size_t>(FWidth) * FHeight, init) {}
    int width() const { return FWidth; }
    int height() const { return FHeight; }
    T& at(int x, int y) { return FData[static_cast<size_t>(y) * FWidth + x]; }
    const T& at(int x, int y) const { return FData[static_cast<size_t>(y) * FWidth + x]; }

    // Calls f(p, value) for every supersample whose centre lies in the bounds.
    template <class F>
    void each(Bounds b, F f) {
        const int sx0 = std::max(0, static_cast<int>(std::floor(b.x0 * kSuper)));
        const int sy0 = std::max(0, static_cast<int>(std::floor(b.y0 * kSuper)));
        const int sx1 = std::min(FWidth, static_cast<int>(std::ceil(b.x1 * kSuper)));
        const int sy1 = std::min(FHeight, static_cast<int>(std::ceil(b.y1 * kSuper)));
        for (int sy = sy0; sy < sy1; ++sy)
            for (int sx = sx0; sx < sx1; ++sx) {
                const Vec p{(static_cast<float>(sx) + 0.5f) / kSuper, (static_cast<float>(sy) + 0.5f) / kSuper};
                f(p, at(sx, sy));
            }
    }

private:
    int FWidth, FHeight;
    std::vector<T> FData;
};

// A coverage layer (copper, silkscreen, ...); shapes add by maximum.
class Layer : public Raster<float> {
public:
    Layer() : Raster<float>(kWidth, kHeight, 0.0f) {}
    template <class Sdf>
    void add(Bounds b, Sdf sdf, float value = 1.0f) {
        each(b.grown(1), [&](Vec p, float& v) { v = std::max(v, coverage(sdf(p)) * value); });
    }
    template <class Sdf>
    void remove(Bounds b, Sdf sdf) {
        each(b.grown(1), [&](Vec p, float& v) { v = std::min(v, 1.0f - coverage(sdf(p))); });
    }
    float sample(Vec p) const {
        const int sx = std::clamp(static_cast<int>(p.x * kSuper), 0, width() - 1);
        const int sy = std::clamp(static_cast<int>(p.y * kSuper), 0, height() - 1);
        return at(sx, sy);
    }
};

class Canvas : public Raster<Rgb> {
public:
    Canvas() : Raster<Rgb>(kWidth, kHeight, Rgb{}) {}

    // Paints a shape; shade(p) gives the colour at p.
    template <class Sdf, class Shade>
    void paint(Bounds b, Sdf sdf, Shade shade, float opacity = 1.0f) {
        each(b.grown(1), [&](Vec p, Rgb& c) {
            const float a = coverage(sdf(p)) * opacity;
            if (a > 0) c = mix(c, shade(p), a);
        });
    }
    template <class Sdf>
    void fill(Bounds b, Sdf sdf, Rgb colour, float opacity = 1.0f) {
        paint(b, sdf, [&](Vec) { return colour; }, opacity);
    }
    // Soft darkening: the shape's sdf, blurred over `blur` pixels.
    template <class Sdf>
    void shadow(Bounds b, Sdf sdf, float blur, float strength) {
        each(b.grown(blur + 1), [&](Vec p, Rgb& c) {
            const float a = strength * (1.0f - smoothstep(-blur, blur, sdf(p)));
            if (a > 0) c = c * (1.0f - a);
        });
    }
};

// ---------------------------------------------------------------------------------------
// Stroke font, the way silkscreen is plotted: glyphs are polylines on a 4 x 6 cell
// (y down, baseline at 6, descenders to 8). ';' separates strokes.

struct GlyphDef {
    char ch;
    const char* strokes;
};

constexpr GlyphDef kGlyphs[] = {
    {'A', "0,6 2,0 4,6;0.7,4 3.3,4"},
    {'B', "0,0 0,6 3,6 4,5 4,4 3,3 0,3;0,0 3,0 4,1 4,2 3,3"},
    {'C', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5"},
    {'D', "0,0 0,6 2.5,6 4,4.5 4,1.5 2.5,0 0,0"},
    {'E', "4,0 0,0 0,6 4,6;0,3 3,3"},
    {'F', "4,0 0,0 0,6;0,3 3,3"},
    {'G', "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3.5 2.5,3.5"},
    {'H', "0,0 0,6;4,0 4,6;0,3 4,3"},
    {'I', "1,0 3,0;2,0 2,6;1,6 3,6"},
    {'J', "4,0 4,5 3,6 1,6 0,5"},
    {'K', "0,0 0,6;4,0 0,4;1.3,3 4,6"},
    {'L', "0,0 0,6 4,6"},
    {'M', "0,6 0,0 2,3 4,0 4,6"},
    {'N', "0,6 0,0 4,6 4,0"},
    {'O', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'P', "0,6 0,0 3,0 4,1 4,2 3,3 0,3"},
    {'Q', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0;2.5,4.5 4,6.3"},
    {'R', "0,6 0,0 3,0 4,1 4,2 3,3 0,3;2,3 4,6"},
    {'S', "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'T', "0,0 4,0;2,0 2,6"},
    {'U', "0,0 0,5 1,6 3,6 4,5 4,0"},
    {'V', "0,0 2,6 4,0"},
    {'W', "0,0 1,6 2,2.5 3,6 4,0"},
    {'X', "0,0 4,6;4,0 0,6"},
    {'Y', "0,0 2,3 4,0;2,3 2,6"},
    {'Z', "0,0 4,0 0,6 4,6"},
    {'a', "0.5,2 3,2 4,3 4,6;4,3.8 1,3.8 0,4.6 0,5.2 0.8,6 3,6 4,5.2"},
    {'b', "0,0 0,6;0,3 1,2 3,2 4,3 4,5 3,6 1,6 0,5"},
    {'c', "4,2.5 3.2,2 1,2 0,3 0,5 1,6 3.2,6 4,5.5"},
    {'d', "4,0 4,6;4,3 3,2 1,2 0,3 0,5 1,6 3,6 4,5"},
    {'e', "0,4 4,4 4,3 3,2 1,2 0,3 0,5 1,6 3.5,6"},
    {'f', "3.5,0 2.5,0 1.5,1 1.5,6;0,2 3,2"},
    {'g', "4,2 4,7 3,8 1,8;4,3 3,2 1,2 0,3 0,4.8 1,5.8 3,5.8 4,4.8"},
    {'h', "0,0 0,6;0,3 1,2 3,2 4,3 4,6"},
    {'i', "2,2 2,6;2,0.3 2,0.6"},
    {'j', "3,2 3,7 2,8 1,8;3,0.3 3,0.6"},
    {'k', "0,0 0,6;4,2 0,4.5;1.5,3.8 4,6"},
    {'l', "1,0 2,0 2,5.2 2.8,6"},
    {'m', "0,6 0,2;0,3 0.8,2 1.5,2 2,3 2,6;2,3 2.5,2 3.2,2 4,3 4,6"},
    {'n', "0,6 0,2;0,3 1,2 3,2 4,3 4,6"},
    {'o', "1,2 3,2 4,3 4,5 3,6 1,6 0,5 0,3 1,2"},
    {'p', "0,2 0,8;0,3 1,2 3,2 4,3 4,5 3,6 1,6 0,5"},
    {'q', "4,2 4,8;4,3 3,2 1,2 0,3 0,5 1,6 3,6 4,5"},
    {'r', "0,2 0,6;0,3.5 1.5,2 3.5,2"},
    {'s', "4,2.5 3.5,2 0.8,2 0,2.8 0,3.4 0.8,4 3.2,4 4,4.6 4,5.2 3.2,6 0.5,6 0,5.5"},
    {'t', "1.5,0.5 1.5,5 2.5,6 3.5,6;0,2 3.5,2"},
    {'u', "0,2 0,5 1,6 3,6 4,5;4,2 4,6"},
    {'v', "0,2 2,6 4,2"},
    {'w', "0,2 1,6 2,3 3,6 4,2"},
    {'x', "0,2 4,6;4,2 0,6"},
    {'y', "0,2 2,6;4,2 1.3,8 0.5,8"},
    {'z', "0,2 4,2 0,6 4,6"},
    {'0', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'1', "1,1 2,0 2,6;1,6 3,6"},
    {'2', "0,1 1,0 3,0 4,1 4,2 0,6 4,6"},
    {'3', "0,1 1,0 3,0 4,1 4,2 3,3 1.5,3;3,3 4,4 4,5 3,6 1,6 0,5"},
    {'4', "3,6 3,0 0,4 4,4"},
    {'5', "4,0 0,0 0,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'6', "3.5,0 1.5,0 0,1.5 0,5 1,6 3,6 4,5 4,4 3,3 0,3"},
    {'7', "0,0 4,0 1.5,6"},
    {'8', "1,0 3,0 4,1 4,2 3,3 1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3;1,3 0,2 0,1 1,0"},
    {'9', "4,3 1,3 0,2 0,1 1,0 3,0 4,1 4,4.5 2.5,6 0.5,6"},
    {'/', "0.5,6 3.5,0"},
    {'-', "0.5,3.5 3.5,3.5"},
    {'.', "1.8,5.8 2.2,5.8"},
    {'+', "2,1.5 2,5.5;0,3.5 4,3.5"},
    {':', "2,1.8 2,2.1;2,5.7 2,6"},
    {'<', "3.5,0.5 0.5,3 3.5,5.5"},
    {'>', "0.5,0.5 3.5,3 0.5,5.5"},
};

using Polyline = std::vector<Vec>;

std::vector<Polyline> glyphStrokes(char ch) {
    std::vector<Polyline> out;
    for (const GlyphDef& g : kGlyphs) {
        if (g.ch != ch) continue;
        Polyline line;
        const char* s = g.strokes;
        while (*s) {
            char* end = nullptr;
            const float x = std::strtof(s, &end);
            s = end + 1;  // the comma
            const float y = std::strtof(s, &end);
            s = end;
            line.push_back({x, y});
            if (*s == ';') {
                out.push_back(line);
                line.clear();
            }
            if (*s) ++s;
        }
        if (!line.empty()) out.push_back(line);
        break;
    }
    return out;
}

constexpr float kAdvance = 5.4f;  // cell units per character

float textLength(std::string_view text, float capHeight) {
    return (static_cast<float>(text.size()) * kAdvance - (kAdvance - 4)) * capHeight / 6.0f;
}

// Placement of a text line: the top-left corner of its first cap cell and the reading direction.
struct TextPlace {
    Vec origin;
    float capHeight;
    Vec dir{1, 0};
};

// Calls f(a, b, halfWidth) for every stroke segment of the text.
template <class F>
void forEachStroke(std::string_view text, const TextPlace& at, float strokeWidth, F f) {
    const float k = at.capHeight / 6.0f;
    const Vec down = Vec{-at.dir.y, at.dir.x};
    for (size_t i = 0; i < text.size(); ++i) {
        const float x0 = static_cast<float>(i) * kAdvance;
        for (const Polyline& line : glyphStrokes(text[i])) {
            auto place = [&](Vec g) { return at.origin + at.dir * ((x0 + g.x) * k) + down * (g.y * k); };
            if (line.size() == 1) f(place(line[0]), place(line[0]), strokeWidth / 2);
            for (size_t j = 1; j < line.size(); ++j) f(place(line[j - 1]), place(line[j]), strokeWidth / 2);
        }
    }
}

Bounds segmentBounds(Vec a, Vec b, float r) {
    return {std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r};
}

void silkText(Layer& silk, std::string_view text, const TextPlace& at, float stroke = 0.0f) {
    if (stroke <= 0) stroke = std::max(0.62f, at.capHeight * 0.14f);
    forEachStroke(text, at, stroke, [&](Vec a, Vec b, float r) {
        silk.add(segmentBounds(a, b, r), [&](Vec p) { return sdSegment(p, a, b, r); });
    });
}

// Text centred on a point, reading along dir.
TextPlace centredText(std::string_view text, Vec centre, float capHeight, Vec dir = {1, 0}) {
    const float len = textLength(text, capHeight);
    const Vec down{-dir.y, dir.x};
    return {centre - dir * (len / 2) - down * (capHeight / 2), capHeight, dir};
}

void paintText(Canvas& cv, std::string_view text, const TextPlace& at, float stroke, Rgb colour, float opacity) {
    // Each stroke painted separately would darken the joints twice; collect coverage first.
    Layer ink;
    Bounds total{1e9f, 1e9f, -1e9f, -1e9f};
    forEachStroke(text, at, stroke, [&](Vec a, Vec b, float r) {
        const Bounds sb = segmentBounds(a, b, r);
        total = {std::min(total.x0, sb.x0), std::min(total.y0, sb.y0), std::max(total.x1, sb.x1), std::max(total.y1, sb.y1)};
        ink.add(sb, [&](Vec p) { return sdSegment(p, a, b, r); });
    });
    if (total.x0 > total.x1) return;
    cv.each(total.grown(1), [&](Vec p, Rgb& c) { c = mix(c, colour, ink.sample(p) * opacity); });
}

// ---------------------------------------------------------------------------------------
// Board geometry (picture pixels). The top side fills the left half and touches the
// left edge of the picture, where two of the switches sit; the bottom side, turned
// over about the vertical axis, fills the right half, so through-board features such
// as the holes and the stack connector sit at mirrored x.

constexpr float kBoardTop = 13, kBoardBottom = 287;
const Bounds kTopBoard{0, kBoardTop, 292, kBoardBottom};
const Bounds kBottomBoard{308, kBoardTop, 600, kBoardBottom};
constexpr float kBoardRadius = 2.5f;

float mirrorX(float x) { return static_cast<float>(kWidth) - x; }
Vec mirrored(Vec p) { return {mirrorX(p.x), p.y}; }

float sdBoard(Vec p, const Bounds& b) {
    return sdBox(p, {(b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2}, {(b.x1 - b.x0) / 2, (b.y1 - b.y0) / 2}, kBoardRadius);
}

// Mounting holes of the PC/104 form factor, inset 0.2 inch from the corners (top side).
const Vec kHoles[] = {{15, 28}, {277, 28}, {15, 272}, {277, 272}};
constexpr float kHoleRadius = 4.6f, kHoleRing = 8.4f;

// Highlight circles of the board page (rectangle left, top, width, height).
struct Circle {
    float left, top, width, height;
    Vec centre() const { return {left + width / 2, top + height / 2}; }
    Bounds bounds() const { return {left, top, left + width, top + height}; }
};
constexpr Circle kStackCircle{256, 126, 25, 33};
constexpr Circle kModeCircle{0, 74, 24, 33};
constexpr Circle kWirelessCircle{0, 179, 33, 33};

// Colours.
const Rgb kMaskBare{15, 64, 39};
const Rgb kMaskCopper{33, 102, 55};
const Rgb kSilk{236, 238, 229};
const Rgb kGold{214, 176, 92};
const Rgb kTin{196, 197, 194};
const Rgb kBlackPlastic{27, 27, 30};
const Rgb kBackdropTop{236, 236, 233};
const Rgb kBackdropBottom{214, 214, 211};

// Light comes from the upper left.
const Vec kLight = normalised({-0.55f, -0.83f});

// ---------------------------------------------------------------------------------------
// The layers of one picture: copper under the mask, clearances cut into the pour, via
// drills, silkscreen. Component bodies and exposed metal are painted later.

struct Layers {
    Layer copper;  // traces and pads under the mask
    Layer pour;    // ground pour, before clearances
    Layer clear;   // clearance cut into the pour
    Layer drill;   // tented via holes
    Layer silk;
};

struct PassivePlan {
    Vec c;
    bool horizontal;
    float len, wid;
    Rgb body;
    bool resistor;
};

struct Scene {
    Canvas cv;
    std::vector<PassivePlan> passives;
    Layers layers;
    std::vector<Bounds> keepOut;  // where random parts and vias must not go
    Random rng{0x7e55a11e2024ull};

    bool free(const Bounds& b) const {
        for (const Bounds& k : keepOut)
            if (k.overlaps(b)) return false;
        return true;
    }
};

// A trace along a polyline with round joins.
void trace(Scene& s, const Polyline& path, float width, float gap = 0.9f) {
    for (size_t i = 1; i < path.size(); ++i) {
        const Vec a = path[i - 1], b = path[i];
        s.layers.copper.add(segmentBounds(a, b, width / 2), [&](Vec p) { return sdSegment(p, a, b, width / 2); });
        const float rc = width / 2 + gap;
        s.layers.clear.add(segmentBounds(a, b, rc), [&](Vec p) { return sdSegment(p, a, b, rc); });
    }
}

// A gap in the pour, as between two supply islands.
void split(Scene& s, const Polyline& path, float gap = 0.6f) {
    for (size_t i = 1; i < path.size(); ++i) {
        const Vec a = path[i - 1], b = path[i];
        s.layers.clear.add(segmentBounds(a, b, gap), [&](Vec p) { return sdSegment(p, a, b, gap); });
    }
}

// Offsets a polyline sideways with mitred corners (45 and 90 degree bends stay parallel).
Polyline offsetLine(const Polyline& path, float off) {
    Polyline out;
    for (size_t i = 0; i < path.size(); ++i) {
        Vec n;
        if (i == 0) {
            n = perpendicular(normalised(path[1] - path[0]));
        } else if (i + 1 == path.size()) {
            n = perpendicular(normalised(path[i] - path[i - 1]));
        } else {
            const Vec n1 = perpendicular(normalised(path[i] - path[i - 1]));
            const Vec n2 = perpendicular(normalised(path[i + 1] - path[i]));
            const Vec m = normalised(n1 + n2);
            n = m * (1.0f / std::max(0.3f, dot(m, n1)));
        }
        out.push_back(path[i] + n * off);
    }
    return out;
}

// A bundle of parallel traces, e.g. the differential pairs of a PCIe lane.
void bundle(Scene& s, const Polyline& centre, int count, float pitch, float width = 0.85f, bool pairs = true) {
    for (int k = 0; k < count; ++k) {
        float off = (static_cast<float>(k) - static_cast<float>(count - 1) / 2) * pitch;
        if (pairs) {
            // the two lines of a pair run close, pairs keep a wider gap
            const int groups = (count + 1) / 2;
            off = (static_cast<float>(k / 2) - static_cast<float>(groups - 1) / 2) * 2 * pitch + (k % 2 ? 0.65f : -0.65f);
        }
        trace(s, offsetLine(centre, off), width, 0.75f);
    }
}

void via(Scene& s, Vec c, float ring = 1.25f, float hole = 0.55f) {
    s.layers.copper.add(boundsOf(c, {ring, ring}), [&](Vec p) { return sdCircle(p, c, ring); });
    s.layers.clear.add(boundsOf(c, {ring + 0.8f, ring + 0.8f}), [&](Vec p) { return sdCircle(p, c, ring + 0.8f); });
    s.layers.drill.add(boundsOf(c, {hole, hole}), [&](Vec p) { return sdCircle(p, c, hole); });
}

void viaBothSides(Scene& s, Vec c) {
    via(s, c);
    via(s, mirrored(c));
}

// ---------------------------------------------------------------------------------------
// Exposed metal and component bodies.

// Gold (ENIG) pad with a faint grain.
void goldPad(Scene& s, Vec c, Vec half, float radius = 0.25f) {
    s.layers.clear.add(boundsOf(c, half + Vec{0.8f, 0.8f}), [&](Vec p) { return sdBox(p, c, half + Vec{0.8f, 0.8f}, radius); });
    s.cv.paint(boundsOf(c, half), [&](Vec p) { return sdBox(p, c, half, radius); },
               [&](Vec p) {
                   const float g = valueNoise(p.x * 2.5f, p.y * 2.5f, 31) - 0.5f;
                   const float sheen = 0.06f * ((c.y - p.y) / std::max(half.y, 0.5f));
                   return kGold * (1.0f + 0.07f * g + sheen);
               });
}

// Tin-plated metal (leads, terminations, shields) with a highlight band.
Rgb tinAt(Vec p, Vec c, Vec half, bool alongX, float base = 1.0f) {
    const float t = alongX ? (p.y - c.y) / std::max(half.y, 0.3f) : (p.x - c.x) / std::max(half.x, 0.3f);
    const float band = std::exp(-(t + 0.35f) * (t + 0.35f) * 4.0f);
    const float g = valueNoise(p.x * 3.0f, p.y * 3.0f, 77) - 0.5f;
    return kTin * (base * (0.78f + 0.32f * band + 0.05f * g - 0.12f * std::max(t, 0.0f)));
}

void metal(Scene& s, Vec c, Vec half, bool alongX, float radius = 0.2f, float base = 1.0f) {
    s.cv.paint(boundsOf(c, half), [&](Vec p) { return sdBox(p, c, half, radius); },
               [&](Vec p) { return tinAt(p, c, half, alongX, base); });
}

// Soft shadow below a box-shaped part of the given height (pixels).
void dropShadow(Scene& s, Vec c, Vec half, float radius, float height, float strength = 0.5f) {
    const Vec off = Vec{-kLight.x, -kLight.y} * (0.35f + height * 0.55f);
    const float blur = 0.5f + height * 0.45f;
    const Vec sc = c + off;
    s.cv.shadow(boundsOf(sc, half), [&](Vec p) { return sdBox(p, sc, half, radius); }, blur, strength);
}

// A box seen from above: flat top with light falloff, lit and shaded rims, matte grain.
void shadedBox(Scene& s, Vec c, Vec half, float radius, Rgb top, float rim = 0.35f, float grain = 0.05f, uint32_t seed = 5) {
    s.cv.paint(boundsOf(c, half), [&](Vec p) { return sdBox(p, c, half, radius); },
               [&](Vec p) {
                   const float d = sdBox(p, c, half, radius);
                   const float qx = (p.x - c.x) / half.x, qy = (p.y - c.y) / half.y;
                   Vec n = std::fabs(qx) * half.x - half.x > std::fabs(qy) * half.y - half.y ? Vec{qx > 0 ? 1.0f : -1.0f, 0}
                                                                                           : Vec{0, qy > 0 ? 1.0f : -1.0f};
                   const float edge = 1.0f - smoothstep(-1.1f, -0.1f, d);
                   const float lit = -dot(n, kLight);
                   float k = 1.0f - 0.07f * (qx * 0.55f + qy * 0.8f);
                   k *= 1.0f + (1.0f - edge) * rim * lit;
                   k *= 1.0f + grain * (hashUnit(static_cast<int>(p.x * 9), static_cast<int>(p.y * 9), seed) - 0.5f);
                   Rgb col = top * k;
                   if (lit > 0) col = mix(col, Rgb{255, 255, 255}, (1.0f - edge) * rim * lit * 0.25f);
                   return col;
               });
}

// A chip resistor or capacitor. horizontal: terminations left and right.
void chipPart(Scene& s, Vec c, bool horizontal, float len, float wid, Rgb body, bool isResistor) {
    const Vec half = horizontal ? Vec{len / 2, wid / 2} : Vec{wid / 2, len / 2};
    const Vec axis = horizontal ? Vec{1, 0} : Vec{0, 1};
    const float term = len * 0.2f;
    // pads a little longer than the part
    for (int side = -1; side <= 1; side += 2) {
        const Vec pc = c + axis * (static_cast<float>(side) * (len / 2 - term * 0.6f));
        const Vec ph = horizontal ? Vec{term * 1.1f, wid / 2 + 0.35f} : Vec{wid / 2 + 0.35f, term * 1.1f};
        goldPad(s, pc, ph);
    }
    dropShadow(s, c, half, 0.3f, wid * 0.45f, 0.45f);
    for (int side = -1; side <= 1; side += 2) {
        const Vec tc = c + axis * (static_cast<float>(side) * (len / 2 - term / 2));
        const Vec th = horizontal ? Vec{term / 2, wid / 2} : Vec{wid / 2, term / 2};
        metal(s, tc, th, horizontal, 0.2f);
        // the solder fillet catches the light on its lit face
        const Vec hc = tc + Vec{-kLight.x, -kLight.y} * -0.35f;
        s.cv.fill(boundsOf(hc, th * 0.5f), [&](Vec p) { return sdBox(p, hc, th * 0.45f, 0.2f); }, Rgb{236, 236, 232}, 0.35f);
    }
    const Vec bh = horizontal ? Vec{len / 2 - term, wid / 2 - 0.05f} : Vec{wid / 2 - 0.05f, len / 2 - term};
    shadedBox(s, c, bh, 0.15f, body, isResistor ? 0.25f : 0.4f, 0.08f, isResistor ? 11u : 12u);
}

const Rgb kResistorBody{24, 24, 26};
const Rgb kCapBody{166, 140, 104};
const Rgb kCapBodyDark{128, 104, 76};

// An IC with gull-wing leads on two sides (SOIC, TSSOP) or four sides (QFP).
void leadedIc(Scene& s, Vec c, Vec half, int perSide, float pitch, bool fourSides, std::string_view marking,
              float leadLen = 2.2f) {
    auto leadsAlong = [&](bool vertical, int side) {
        // vertical: leads on the left/right edges, stacked in y
        for (int i = 0; i < perSide; ++i) {
            const float t = (static_cast<float>(i) - static_cast<float>(perSide - 1) / 2) * pitch;
            const float lw = std::min(pitch * 0.45f, 1.2f);
            if (vertical) {
                const Vec lc{c.x + static_cast<float>(side) * (half.x + leadLen / 2 - 0.3f), c.y + t};
                goldPad(s, lc + Vec{static_cast<float>(side) * 0.5f, 0}, {leadLen / 2 + 0.4f, lw / 2 + 0.25f});
                metal(s, lc, {leadLen / 2, lw / 2}, true);
            } else {
                const Vec lc{c.x + t, c.y + static_cast<float>(side) * (half.y + leadLen / 2 - 0.3f)};
                goldPad(s, lc + Vec{0, static_cast<float>(side) * 0.5f}, {lw / 2 + 0.25f, leadLen / 2 + 0.4f});
                metal(s, lc, {lw / 2, leadLen / 2}, false);
            }
        }
    };
    leadsAlong(half.y > half.x || fourSides, -1);
    leadsAlong(half.y > half.x || fourSides, 1);
    if (fourSides) {
        leadsAlong(false, -1);
        leadsAlong(false, 1);
    }
    dropShadow(s, c, half, 0.5f, 2.2f, 0.55f);
    shadedBox(s, c, half, 0.5f, Rgb{30, 30, 33}, 0.3f, 0.07f, 21);
    // pin-1 dimple
    const Vec dot1 = c - half + Vec{1.8f, 1.8f};
    s.cv.fill(boundsOf(dot1, {0.9f, 0.9f}), [&](Vec p) { return sdCircle(p, dot1, 0.75f); }, Rgb{18, 18, 20});
    if (!marking.empty()) {
        const float cap = std::min(2.6f, half.y * 0.5f);
        const TextPlace at = centredText(marking, c + Vec{0.5f, 0}, cap);
        paintText(s.cv, marking, at, 0.45f, Rgb{120, 120, 118}, 0.65f);
    }
}

// A QFN-style package: pads only at the very edge, a flat dark top.
void qfn(Scene& s, Vec c, float half, int perSide, std::vector<std::string_view> marking) {
    const float pitch = (2 * half - 3) / static_cast<float>(perSide);
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < perSide; ++i) {
            const float t = -half + 1.5f + (static_cast<float>(i) + 0.5f) * pitch;
            Vec pc, ph;
            if (side == 0) { pc = {c.x + t, c.y - half - 0.3f}; ph = {pitch * 0.27f, 1.2f}; }
            if (side == 1) { pc = {c.x + t, c.y + half + 0.3f}; ph = {pitch * 0.27f, 1.2f}; }
            if (side == 2) { pc = {c.x - half - 0.3f, c.y + t}; ph = {1.2f, pitch * 0.27f}; }
            if (side == 3) { pc = {c.x + half + 0.3f, c.y + t}; ph = {1.2f, pitch * 0.27f}; }
            goldPad(s, pc, ph, 0.1f);
            metal(s, pc, ph * 0.8f, side < 2 ? false : true, 0.1f, 0.9f);
        }
    dropShadow(s, c, {half, half}, 0.6f, 2.0f, 0.55f);
    shadedBox(s, c, {half, half}, 0.6f, Rgb{34, 34, 37}, 0.25f, 0.09f, 23);
    const Vec dot1 = c - Vec{half - 2.2f, half - 2.2f};
    s.cv.fill(boundsOf(dot1, {1.2f, 1.2f}), [&](Vec p) { return sdCircle(p, dot1, 1.0f); }, Rgb{22, 22, 24});
    float y = c.y - static_cast<float>(marking.size() - 1) * 2.4f;
    for (std::string_view line : marking) {
        paintText(s.cv, line, centredText(line, {c.x + 0.5f, y}, 2.8f), 0.5f, Rgb{128, 128, 126}, 0.7f);
        y += 4.8f;
    }
}

// Body proportions of the slide DIP switches: one body width, the two-lever part on a
// wider pitch. Bodies stay inside 0.7 of their circles' half axes, leads inside about
// 0.8, so the rings of the board page fall on plain board around them.
struct DipGeometry {
    float pitch, slotLen, strip, margin;
    float width() const { return strip + slotLen + margin; }
    float height(int levers) const { return static_cast<float>(levers) * pitch + 1.3f; }
};
DipGeometry dipGeometry(int levers) { return levers <= 2 ? DipGeometry{5.2f, 8.0f, 3.5f, 1.2f} : DipGeometry{4.5f, 8.0f, 3.5f, 1.2f}; }

// Picture row of one lever row of a switch, top row first.
float switchRowY(Vec c, int levers, int row) {
    const DipGeometry g = dipGeometry(levers);
    return c.y - g.height(levers) / 2 + 0.65f + g.pitch * (static_cast<float>(row) + 0.5f);
}

// A slide DIP switch seen from above; its levers slide along x.
// on[i] tells whether lever i+1 stands at the ON end.
void dipSwitch(Scene& s, Vec c, int levers, bool onRight, bool lever1Top, const std::vector<bool>& on) {
    const DipGeometry g = dipGeometry(levers);
    const float w = g.width(), h = g.height(levers);
    const Vec half{w / 2, h / 2};
    const float left = c.x - w / 2;
    const float slotX0 = onRight ? left + g.margin : left + g.strip;
    const float slotX1 = slotX0 + g.slotLen;
    const float slotHalf = (g.pitch - 1.4f) / 2;

    // gull-wing leads and their pads, one pair per lever row
    for (int row = 0; row < levers; ++row) {
        const float y = switchRowY(c, levers, row);
        for (int side = -1; side <= 1; side += 2) {
            const float edge = c.x + static_cast<float>(side) * w / 2;
            goldPad(s, {edge + static_cast<float>(side) * 1.2f, y}, {1.75f, 1.05f});
            metal(s, {edge + static_cast<float>(side) * 1.05f, y}, {1.25f, 0.7f}, true);
        }
    }
    dropShadow(s, c, half, 0.8f, 2.4f, 0.6f);
    shadedBox(s, c, half, 0.8f, Rgb{28, 74, 178}, 0.45f, 0.06f, 41);

    for (int row = 0; row < levers; ++row) {
        const float y = switchRowY(c, levers, row);
        const int lever = lever1Top ? row : levers - 1 - row;  // 0-based lever number
        const Vec sc{(slotX0 + slotX1) / 2, y};
        const Vec sh{g.slotLen / 2, slotHalf};
        s.cv.paint(boundsOf(sc, sh), [&](Vec p) { return sdBox(p, sc, sh, 0.3f); },
                   [&](Vec p) {
                       // the recess is darkest under its lit edge
                       const float t = (p.y - (y - sh.y)) / (2 * sh.y);
                       return Rgb{14, 16, 26} * (0.7f + 0.6f * t);
                   });
        const bool atOn = on[static_cast<size_t>(lever)];
        const bool right = atOn == onRight;
        const float lv = g.slotLen * 0.46f;
        const float lx = right ? slotX1 - 0.35f - lv / 2 : slotX0 + 0.35f + lv / 2;
        const Vec lc{lx, y + 0.1f};
        const Vec lh{lv / 2, slotHalf - 0.35f};
        const Vec sl = lc + Vec{0.5f, 0.6f};
        s.cv.shadow(boundsOf(sl, lh), [&](Vec p) { return sdBox(p, sl, lh, 0.3f); }, 0.5f, 0.6f);
        shadedBox(s, lc, lh, 0.3f, Rgb{238, 238, 232}, 0.3f, 0.03f, 43);
        // finger ridge across the lever
        s.cv.fill(boundsOf(lc, {0.25f, lh.y}), [&](Vec p) { return sdBox(p, lc, {0.22f, lh.y - 0.25f}, 0.1f); },
                  Rgb{196, 196, 190}, 0.8f);
    }
    // "ON" and an arrow in the strip along the ON side, reading along it
    const float sx = onRight ? left + w - g.strip / 2 - 0.1f : left + g.strip / 2 + 0.1f;
    const Vec dir = onRight ? Vec{0, 1} : Vec{0, -1};
    const Vec onAt{sx, c.y - 1.5f};
    const Rgb ink{235, 236, 240};
    paintText(s.cv, "ON", centredText("ON", onAt, 2.4f, dir), 0.45f, ink, 0.95f);
    const float ay = c.y + 2.7f;
    const Vec tip{onRight ? sx + 1.1f : sx - 1.1f, ay};
    const Vec b1{onRight ? sx - 0.9f : sx + 0.9f, ay - 0.9f};
    const Vec b2{b1.x, ay + 0.9f};
    s.cv.fill(Bounds{sx - 1.5f, ay - 1.5f, sx + 1.5f, ay + 1.5f}, [&](Vec p) { return sdTriangle(p, tip, b1, b2); }, ink, 0.9f);
}

// A metal standoff (mini PCIe card hold-down) pressed into a plated hole.
void standoff(Scene& s, Vec c) {
    s.cv.paint(boundsOf(c, {4.8f, 4.8f}), [&](Vec p) { return sdCircle(p, c, 4.6f); },
               [&](Vec p) { return kGold * (0.95f + 0.08f * (valueNoise(p.x * 2, p.y * 2, 9) - 0.5f)); });
    s.cv.shadow(boundsOf(c + Vec{1.6f, 2.0f}, {3.5f, 3.5f}), [&](Vec p) { return sdCircle(p, c + Vec{1.6f, 2.0f}, 3.4f); }, 1.6f, 0.55f);
    // hexagonal body
    s.cv.paint(boundsOf(c, {3.8f, 3.8f}),
               [&](Vec p) {
                   const Vec q{std::fabs(p.x - c.x), std::fabs(p.y - c.y)};
                   return std::max(q.x * 0.866f + q.y * 0.5f, q.y) - 3.3f;
               },
               [&](Vec p) {
                   const Vec q = p - c;
                   const float ang = std::atan2(q.y, q.x);
                   const float facet = std::floor((ang + 3.14159f) / (3.14159f / 3));
                   const float shade = 0.75f + 0.3f * std::cos(facet * 1.047f + 2.2f);
                   return Rgb{205, 204, 198} * shade;
               });
    s.cv.paint(boundsOf(c, {2.4f, 2.4f}), [&](Vec p) { return sdCircle(p, c, 2.2f); },
               [&](Vec p) { return Rgb{220, 220, 214} * (0.9f - 0.1f * (p.y - c.y)); });
    s.cv.paint(boundsOf(c, {1.4f, 1.4f}), [&](Vec p) { return sdCircle(p, c, 1.25f); },
               [&](Vec p) { return Rgb{40, 40, 42} * (1.0f + 0.4f * (p.x - c.x + p.y - c.y)); });
}

// A mounting hole: plated ring with stitching vias; the backdrop shows through the drill.
void mountingHole(Scene& s, Vec c) {
    s.cv.paint(boundsOf(c, {kHoleRing, kHoleRing}), [&](Vec p) { return sdCircle(p, c, kHoleRing); },
               [&](Vec p) {
                   const float g = valueNoise(p.x * 2.2f, p.y * 2.2f, 13) - 0.5f;
                   const float ang = dot(normalised(p - c), Vec{-kLight.x, -kLight.y});
                   return kGold * (0.95f + 0.07f * g + 0.05f * ang);
               });
    for (int i = 0; i < 8; ++i) {
        const float a = static_cast<float>(i) * 0.7854f + 0.39f;
        const Vec vc = c + Vec{std::cos(a), std::sin(a)} * 6.6f;
        s.cv.fill(boundsOf(vc, {0.8f, 0.8f}), [&](Vec p) { return sdCircle(p, vc, 0.65f); }, Rgb{70, 58, 34});
    }
    // The drill: backdrop in the board's shadow, with the plated barrel catching light on one side.
    s.cv.paint(boundsOf(c, {kHoleRadius, kHoleRadius}), [&](Vec p) { return sdCircle(p, c, kHoleRadius); },
               [&](Vec p) {
                   const Vec inner = c + Vec{-kLight.x, -kLight.y} * 1.3f;
                   const float dIn = sdCircle(p, inner, kHoleRadius - 0.2f);
                   const Rgb through = Rgb{122, 122, 120} * (0.95f + 0.1f * ((p.x - c.x) / kHoleRadius));
                   const Rgb barrel = Rgb{150, 118, 62} * (0.65f + 0.25f * ((c.y - p.y) / kHoleRadius));
                   return dIn < 0 ? mix(barrel, through, smoothstep(0.0f, -0.9f, dIn)) : barrel;
               });
}

// A mini PCIe card-edge socket whose card slides in from the right (openRight) or the left.
void miniPcieSocket(Scene& s, Vec c, bool openRight) {
    const Vec half{7.4f, 40.0f};
    const float side = openRight ? 1.0f : -1.0f;
    // SMT leads: a row on the back edge, a row under the card side
    for (int i = 0; i < 28; ++i) {
        const float y = c.y - half.y + 5.5f + static_cast<float>(i) * 2.55f;
        const Vec back{c.x - side * (half.x + 1.3f), y + 0.6f};
        goldPad(s, back, {1.8f, 0.62f}, 0.1f);
        metal(s, back + Vec{side * 0.3f, 0}, {1.3f, 0.42f}, true, 0.1f);
        const Vec front{c.x + side * (half.x + 1.0f), y - 0.6f};
        goldPad(s, front, {1.6f, 0.62f}, 0.1f);
        metal(s, front - Vec{side * 0.3f, 0}, {1.1f, 0.42f}, true, 0.1f);
    }
    // hold-down tabs at the ends
    for (int e = -1; e <= 1; e += 2) {
        const Vec tc{c.x + side * 1.5f, c.y + static_cast<float>(e) * (half.y + 2.0f)};
        goldPad(s, tc, {4.8f, 2.4f});
        dropShadow(s, tc, {4.0f, 1.8f}, 0.3f, 1.0f, 0.4f);
        metal(s, tc, {4.0f, 1.8f}, true, 0.4f, 1.02f);
    }
    dropShadow(s, c, half, 1.0f, 5.0f, 0.62f);
    shadedBox(s, c, half, 1.0f, kBlackPlastic, 0.35f, 0.08f, 51);
    // the card opening with its contacts
    const Vec oc{c.x + side * 2.8f, c.y};
    const Vec oh{1.6f, half.y - 3.0f};
    s.cv.fill(boundsOf(oc, oh), [&](Vec p) { return sdBox(p, oc, oh, 0.4f); }, Rgb{9, 9, 10});
    for (int i = 0; i < 26; ++i) {
        const float y = c.y - half.y + 5.0f + static_cast<float>(i) * 2.74f;
        if (std::fabs(y - (c.y + 12.0f)) < 1.6f) continue;  // the key
        const Vec kc{oc.x + side * 0.3f, y};
        s.cv.paint(boundsOf(kc, {0.9f, 0.5f}), [&](Vec p) { return sdBox(p, kc, {0.9f, 0.38f}, 0.1f); },
                   [&](Vec p) { return kGold * (0.75f + 0.3f * clamp01(1.0f - std::fabs(p.x - kc.x))); }, 0.85f);
    }
    // key web in the opening
    const Vec key{oc.x, c.y + 12.0f};
    s.cv.fill(boundsOf(key, {1.6f, 0.8f}), [&](Vec p) { return sdBox(p, key, {1.6f, 0.7f}, 0.2f); }, kBlackPlastic * 1.3f);
    // moulded ridge on the back
    const Vec rc{c.x - side * 3.6f, c.y};
    s.cv.fill(boundsOf(rc, {0.5f, half.y - 4}), [&](Vec p) { return sdBox(p, rc, {0.4f, half.y - 4.5f}, 0.3f); },
              kBlackPlastic * 1.6f, 0.6f);
}

// The PCIe/104 stack connector seen from its mating face. top: the plug side on the
// top of the board; otherwise the receptacle that a board below mates with.
void stackConnector(Scene& s, float x0, float x1, float yc, bool top) {
    const Vec c{(x0 + x1) / 2, yc};
    const Vec half{(x1 - x0) / 2, top ? 8.5f : 9.5f};
    const float pitch = 1.905f;  // leads of both rows are staggered at this spacing
    for (float x = x0 + 3.0f; x < x1 - 3.0f; x += pitch) {
        const float bank = (x - x0) / (x1 - x0);
        if (std::fabs(bank - 1.0f / 3) < 0.012f || std::fabs(bank - 2.0f / 3) < 0.012f) continue;
        for (int sd = -1; sd <= 1; sd += 2) {
            const Vec lc{x + (sd > 0 ? pitch / 2 : 0.0f), yc + static_cast<float>(sd) * (half.y + 1.3f)};
            goldPad(s, lc + Vec{0, static_cast<float>(sd) * 0.3f}, {0.55f, 1.6f}, 0.1f);
            metal(s, lc, {0.36f, 1.25f}, false, 0.1f);
        }
    }
    // ground blades at the ends
    for (int e = -1; e <= 1; e += 2) {
        const Vec g{c.x + static_cast<float>(e) * (half.x + 2.6f), yc};
        goldPad(s, g, {2.4f, 4.2f});
        metal(s, g, {1.8f, 3.4f}, false, 0.4f);
    }
    dropShadow(s, c, half, 1.0f, 6.0f, 0.65f);
    shadedBox(s, c, half, 1.0f, kBlackPlastic, 0.3f, 0.08f, 61);
    // three banks separated by ribs, each with its contact slot
    for (int b = 0; b < 3; ++b) {
        const float bx0 = x0 + 2.5f + static_cast<float>(b) * (x1 - x0 - 5.0f) / 3 + 1.2f;
        const float bx1 = x0 + 2.5f + static_cast<float>(b + 1) * (x1 - x0 - 5.0f) / 3 - 1.2f;
        const Vec bc{(bx0 + bx1) / 2, yc};
        if (top) {
            // the plug: a raised centre blade between two contact rows
            const Vec rh{(bx1 - bx0) / 2, 3.6f};
            s.cv.fill(boundsOf(bc, rh), [&](Vec p) { return sdBox(p, bc, rh, 0.6f); }, Rgb{10, 10, 11});
            for (float x = bx0 + 1.0f; x < bx1 - 0.5f; x += pitch / 2) {
                for (int sd = -1; sd <= 1; sd += 2) {
                    const Vec kc{x, yc + static_cast<float>(sd) * 2.6f};
                    s.cv.fill(boundsOf(kc, {0.35f, 0.7f}), [&](Vec p) { return sdBox(p, kc, {0.28f, 0.6f}, 0.1f); },
                              kGold * (sd < 0 ? 1.05f : 0.8f), 0.9f);
                }
            }
            const Vec bl{bc.x, yc};
            shadedBox(s, bl, {(bx1 - bx0) / 2 - 0.6f, 1.2f}, 0.5f, kBlackPlastic * 1.25f, 0.5f, 0.06f, 62);
        } else {
            // the receptacle: two rows of contact windows
            for (int sd = -1; sd <= 1; sd += 2) {
                const Vec rc{bc.x, yc + static_cast<float>(sd) * 2.6f};
                const Vec rh{(bx1 - bx0) / 2, 1.5f};
                s.cv.fill(boundsOf(rc, rh), [&](Vec p) { return sdBox(p, rc, rh, 0.4f); }, Rgb{8, 8, 9});
                for (float x = bx0 + 1.0f; x < bx1 - 0.5f; x += pitch / 2) {
                    const Vec kc{x, rc.y + static_cast<float>(sd) * 0.4f};
                    s.cv.fill(boundsOf(kc, {0.3f, 0.6f}), [&](Vec p) { return sdBox(p, kc, {0.25f, 0.5f}, 0.1f); },
                              kGold * 0.85f, 0.8f);
                }
            }
        }
        // polarisation bumps and pick-and-place cap marks
        if (b == 0) {
            const Vec pc{bx0 - 0.2f, yc + (top ? -6.0f : 6.5f)};
            s.cv.fill(boundsOf(pc, {0.9f, 0.9f}), [&](Vec p) { return sdCircle(p, pc, 0.8f); }, kBlackPlastic * 1.8f);
        }
    }
}

// An SMD power inductor: dark ferrite, flat top, two wide terminations.
void inductor(Scene& s, Vec c, float size, std::string_view marking) {
    for (int e = -1; e <= 1; e += 2) goldPad(s, c + Vec{static_cast<float>(e) * size * 0.42f, 0}, {size * 0.18f, size * 0.42f});
    dropShadow(s, c, {size / 2, size / 2}, 1.0f, 4.0f, 0.6f);
    shadedBox(s, c, {size / 2, size / 2}, 1.2f, Rgb{52, 52, 55}, 0.35f, 0.12f, 71);
    for (int e = -1; e <= 1; e += 2) metal(s, c + Vec{static_cast<float>(e) * size * 0.43f, 0}, {size * 0.08f, size * 0.36f}, false, 0.2f, 0.9f);
    paintText(s.cv, marking, centredText(marking, c, 2.6f), 0.5f, Rgb{150, 150, 146}, 0.7f);
}

// A tantalum capacitor: yellow moulded body with the polarity band.
void tantalum(Scene& s, Vec c, bool horizontal) {
    const Vec half = horizontal ? Vec{5.2f, 3.6f} : Vec{3.6f, 5.2f};
    const Vec axis = horizontal ? Vec{1, 0} : Vec{0, 1};
    for (int e = -1; e <= 1; e += 2) {
        const Vec pc = c + axis * (static_cast<float>(e) * 4.4f);
        goldPad(s, pc, horizontal ? Vec{1.8f, 2.4f} : Vec{2.4f, 1.8f});
        metal(s, pc, horizontal ? Vec{1.2f, 1.8f} : Vec{1.8f, 1.2f}, horizontal, 0.2f);
    }
    dropShadow(s, c, half * 0.85f, 0.6f, 3.4f, 0.5f);
    const Vec bh = horizontal ? Vec{3.8f, 3.5f} : Vec{3.5f, 3.8f};
    shadedBox(s, c, bh, 0.7f, Rgb{214, 160, 42}, 0.35f, 0.06f, 73);
    const Vec band = c - axis * 2.6f;
    s.cv.fill(boundsOf(band, horizontal ? Vec{0.6f, 3.2f} : Vec{3.2f, 0.6f}),
              [&](Vec p) { return sdBox(p, band, horizontal ? Vec{0.55f, 3.1f} : Vec{3.1f, 0.55f}, 0.1f); },
              Rgb{120, 72, 18}, 0.9f);
}

// A crystal in a seam-welded metal can.
void crystal(Scene& s, Vec c) {
    for (int i = 0; i < 4; ++i) {
        const Vec pc{c.x + (i % 2 ? 4.0f : -4.0f), c.y + (i / 2 ? 3.0f : -3.0f)};
        goldPad(s, pc, {1.5f, 1.3f});
    }
    dropShadow(s, c, {5.0f, 4.0f}, 0.8f, 2.2f, 0.5f);
    s.cv.paint(boundsOf(c, {5.0f, 4.0f}), [&](Vec p) { return sdBox(p, c, {5.0f, 4.0f}, 0.8f); },
               [&](Vec p) {
                   const float d = sdBox(p, c, {5.0f, 4.0f}, 0.8f);
                   const float rim = smoothstep(-1.2f, -0.4f, d);
                   const float sheen = std::exp(-std::pow((p.x - c.x) * 0.35f + (p.y - c.y) * 0.5f + 1.0f, 2.0f) * 0.5f);
                   return Rgb{178, 180, 180} * (0.85f + 0.25f * sheen - 0.15f * rim);
               });
    paintText(s.cv, "25.000", centredText("25.000", c, 1.9f), 0.38f, Rgb{90, 90, 92}, 0.7f);
}

// A chip LED: white reflector body with a yellowish lens.
void chipLed(Scene& s, Vec c, bool horizontal, Rgb lens = Rgb{214, 196, 120}) {
    chipPart(s, c, horizontal, 4.8f, 2.6f, Rgb{226, 224, 210}, false);
    s.cv.fill(boundsOf(c, {1.0f, 1.0f}), [&](Vec p) { return sdCircle(p, c, 0.85f); }, lens, 0.75f);
}

// A fiducial: a bare copper dot in a round mask opening, for the placement machine.
void fiducial(Scene& s, Vec c) {
    s.cv.paint(boundsOf(c, {3.2f, 3.2f}), [&](Vec p) { return sdCircle(p, c, 3.0f); },
               [&](Vec p) { return Rgb{92, 104, 58} * (0.92f + 0.1f * (valueNoise(p.x * 3, p.y * 3, 15) - 0.5f)); });
    s.cv.paint(boundsOf(c, {1.6f, 1.6f}), [&](Vec p) { return sdCircle(p, c, 1.45f); },
               [&](Vec p) { return kGold * (1.0f + 0.12f * dot(normalised(p - c), Vec{-kLight.x, -kLight.y}) * -1.0f); });
}

// A SOT-23 transistor or regulator: two leads on one side, one on the other.
void sot23(Scene& s, Vec c, bool flip) {
    const float side = flip ? -1.0f : 1.0f;
    for (float dx : {-2.85f, 2.85f}) {
        const Vec lc{c.x + dx, c.y + side * 2.9f};
        goldPad(s, lc + Vec{0, side * 0.4f}, {0.95f, 1.5f});
        metal(s, lc, {0.6f, 1.1f}, false);
    }
    const Vec lc{c.x, c.y - side * 2.9f};
    goldPad(s, lc - Vec{0, side * 0.4f}, {0.95f, 1.5f});
    metal(s, lc, {0.6f, 1.1f}, false);
    dropShadow(s, c, {4.3f, 2.0f}, 0.4f, 2.0f, 0.5f);
    shadedBox(s, c, {4.3f, 2.0f}, 0.4f, Rgb{32, 32, 35}, 0.3f, 0.08f, 27);
}

// A serial-number label with a barcode.
void barcodeLabel(Scene& s, Vec c, Vec half) {
    dropShadow(s, c, half, 0.6f, 0.6f, 0.3f);
    shadedBox(s, c, half, 0.6f, Rgb{240, 240, 236}, 0.15f, 0.03f, 81);
    Random r(0xba5c0de5ull);
    float x = c.x - half.x + 2.5f;
    const float yb0 = c.y - half.y + 1.4f, yb1 = c.y + half.y - 4.6f;
    while (x < c.x + half.x - 2.5f) {
        const float w = 0.35f + 0.35f * static_cast<float>(r.below(3));
        if (r.below(2) == 0) {
            const Vec bc{x + w / 2, (yb0 + yb1) / 2};
            s.cv.fill(boundsOf(bc, {w / 2, (yb1 - yb0) / 2}), [&](Vec p) { return sdBox(p, bc, {w / 2, (yb1 - yb0) / 2}, 0.0f); },
                      Rgb{30, 30, 32}, 0.95f);
        }
        x += w + 0.35f;
    }
    const std::string_view sn = "S/N 2231-00417";
    paintText(s.cv, sn, centredText(sn, {c.x, c.y + half.y - 2.3f}, 2.2f), 0.4f, Rgb{40, 40, 42}, 0.9f);
}

// ---------------------------------------------------------------------------------------
// Small parts scattered over free areas. They are placed before the mask is laid, so
// the vias keep clear of them, and drawn with the other parts afterwards.

void planPassives(Scene& s, Bounds area, int count, bool rowsAlongX) {
    for (int tries = 0, placed = 0; placed < count && tries < count * 40; ++tries) {
        const Vec c{s.rng.range(area.x0 + 3, area.x1 - 3), s.rng.range(area.y0 + 3, area.y1 - 3)};
        const bool horizontal = (s.rng.below(4) != 0) == rowsAlongX;
        const bool small = s.rng.below(3) == 0;
        const float len = small ? 3.2f : 4.8f, wid = small ? 1.7f : 2.5f;
        const Vec half = horizontal ? Vec{len / 2 + 0.6f, wid / 2 + 0.6f} : Vec{wid / 2 + 0.6f, len / 2 + 0.6f};
        const Bounds b = boundsOf(c, half);
        if (!s.free(b.grown(0.6f))) continue;
        const int kind = s.rng.below(5);
        s.passives.push_back({c, horizontal, len, wid, kind < 2 ? kResistorBody : (kind < 4 ? kCapBody : kCapBodyDark), kind < 2});
        s.keepOut.push_back(b);
        ++placed;
    }
}

void drawPassives(Scene& s) {
    for (const PassivePlan& p : s.passives) chipPart(s, p.c, p.horizontal, p.len, p.wid, p.body, p.resistor);
}

void scatterVias(Scene& s, Bounds area, int count) {
    for (int tries = 0, placed = 0; placed < count && tries < count * 30; ++tries) {
        const Vec c{s.rng.range(area.x0, area.x1), s.rng.range(area.y0, area.y1)};
        const Bounds b = boundsOf(c, {1.6f, 1.6f});
        if (!s.free(b)) continue;
        via(s, c);
        s.keepOut.push_back(b);
        ++placed;
    }
}

// A row of decoupling capacitors along a line.
void planCapRow(Scene& s, Vec from, Vec step, int count, bool horizontal) {
    for (int i = 0; i < count; ++i) {
        const Vec c = from + step * static_cast<float>(i);
        s.passives.push_back({c, horizontal, 3.2f, 1.7f, i % 3 == 2 ? kCapBodyDark : kCapBody, false});
        s.keepOut.push_back(boundsOf(c, {2.2f, 2.2f}));
    }
}

void silkLine(Layer& silk, Vec a, Vec b, float width = 0.7f) {
    silk.add(segmentBounds(a, b, width / 2), [&](Vec p) { return sdSegment(p, a, b, width / 2); });
}

// Dashed outline of a mini PCIe card's place, open at the socket end.
void cardOutline(Layer& silk, float socketX, float farX, float y0, float y1) {
    const float dir = farX > socketX ? 1.0f : -1.0f;
    for (float t = 10; t < std::fabs(farX - socketX) - 4; t += 6) {
        const float x = socketX + dir * t;
        silkLine(silk, {x, y0}, {x + dir * 3, y0});
        silkLine(silk, {x, y1}, {x + dir * 3, y1});
    }
    silkLine(silk, {farX, y0 + 10}, {farX, y1 - 10});
}

// ---------------------------------------------------------------------------------------
// The two sides. Layout in picture pixels at roughly 3 pixels per millimetre.

constexpr float kStackX0 = 62, kStackX1 = 240, kStackY = 29.5f;
const Vec kJ1{45, 97}, kJ2{45, 205};
constexpr float kStandoffX = 203;
const Vec kJ3{555, 104}, kJ4{555, 212};
constexpr float kStandoffX2 = 397;

// The switch centres are the circle centres.
const Vec kSw1 = kStackCircle.centre();
const Vec kSw2 = kModeCircle.centre();
const Vec kSw3 = kWirelessCircle.centre();

void planCommon(Scene& s) {
    auto both = [&](Bounds b) {
        s.keepOut.push_back(b);
        s.keepOut.push_back({mirrorX(b.x1), b.y0, mirrorX(b.x0), b.y1});
    };
    for (const Vec& h : kHoles) both(boundsOf(h, {kHoleRing + 2, kHoleRing + 2}));
    // board edges and the gap between the boards
    s.keepOut.push_back({-5, 0, 2.5f, 300});
    s.keepOut.push_back({289.5f, 0, 310.5f, 300});
    s.keepOut.push_back({597.5f, 0, 605, 300});
    s.keepOut.push_back({0, 0, 600, kBoardTop + 2.5f});
    s.keepOut.push_back({0, kBoardBottom - 2.5f, 600, 300});
    both({kStackX0 - 6, kStackY - 13, kStackX1 + 6, kStackY + 13});
    for (Vec j : {kJ1, kJ2}) {
        s.keepOut.push_back(boundsOf(j, {12, 46}));
        for (float dy : {-36.0f, 36.0f}) s.keepOut.push_back(boundsOf({kStandoffX, j.y + dy}, {6.5f, 6.5f}));
    }
    for (Vec j : {kJ3, kJ4}) {
        s.keepOut.push_back(boundsOf(j, {12, 46}));
        for (float dy : {-36.0f, 36.0f}) s.keepOut.push_back(boundsOf({kStandoffX2, j.y + dy}, {6.5f, 6.5f}));
    }
    // the circles stay clean but for the switch itself, so the ring reads clearly
    for (const Circle& c : {kStackCircle, kModeCircle, kWirelessCircle}) s.keepOut.push_back(c.bounds().grown(1.5f));
}

// Top side: stack plug along the top edge, J1 and J2 on the left with their cards
// reaching right, the three switches, clock and supply parts on the right.
void planTopSide(Scene& s) {
    Layers& L = s.layers;
    const Vec bc{146, 150};
    L.pour.add(kTopBoard, [&](Vec p) { return sdBox(p, bc, {146 - 2.2f, 137 - 2.2f}, 1.5f); });
    // split between the 3.3 V and 1.5 V islands
    split(s, {{214, 48}, {214, 110}, {226, 122}, {226, 284}});

    // PCIe lanes from the stack plug to the sockets and the clock buffer
    bundle(s, {{80, 44}, {80, 47}, {68, 59}, {68, 92}, {60, 100}, {48, 100}}, 6, 2.0f);
    bundle(s, {{104, 44}, {104, 52}, {112, 60}, {112, 146}, {100, 158}, {70, 158}, {62, 166}, {62, 196}, {48, 196}}, 4, 2.0f);
    bundle(s, {{150, 44}, {150, 54}, {140, 64}, {140, 136}, {150, 146}, {186, 146}, {196, 156}, {196, 170}}, 4, 2.0f);
    bundle(s, {{176, 44}, {176, 50}, {186, 60}, {186, 110}}, 4, 2.0f);
    bundle(s, {{210, 44}, {210, 56}, {222, 68}, {236, 68}, {236, 80}}, 4, 1.8f);
    // the stack-type straps, one per lever
    bundle(s, {{232, 44}, {232, 52}, {244, 64}, {244, 136}, {250, 142.5f}, {262, 142.5f}}, 2, 4.5f, 0.85f, false);
    // switch rows to the sockets
    for (int row = 0; row < 2; ++row) {
        const float y = switchRowY(kSw2, 2, row);
        trace(s, {{kSw2.x + 8, y}, {36, y}}, 0.9f);
    }
    for (int row = 0; row < 4; ++row) {
        const float y = switchRowY(kSw3, 4, row);
        trace(s, {{kSw3.x + 8, y}, {36, y}}, 0.9f);
    }
    for (int row = 0; row < 2; ++row) {
        const float y = switchRowY(kSw2, 2, row);
        trace(s, {{kSw2.x - 8, y}, {3.5f, y}, {3.5f, y + 20 + 3 * static_cast<float>(row)}, {6.5f + 5 * static_cast<float>(row), 120 + 0.0f}}, 0.8f);
    }
    // supplies
    trace(s, {{236, 262}, {206, 262}, {200, 256}, {70, 256}, {60, 246}}, 2.6f, 1.0f);
    trace(s, {{270, 226}, {270, 252}}, 3.0f, 1.0f);
    trace(s, {{34, 40}, {34, 52}, {30, 56}, {30, 66}}, 1.6f);
    trace(s, {{244, 196}, {244, 176}, {256, 164}, {284, 164}, {284, 120}}, 1.4f);

    // stitching along the edges, a via row between the cards (through both sides)
    for (float y = 64; y < 240; y += 9) viaBothSides(s, {124, y});
    for (float x = 24; x < 270; x += 7.5f) {
        if (x < 54 || x > 248) via(s, {x, 18.6f});
        via(s, {x, 281.4f});
    }
    for (float y = 40; y < 262; y += 7.5f)
        if (y < 126 || y > 158) via(s, {286.4f, y});

    // silkscreen
    silkText(L.silk, "J5", {{45, 37}, 5.0f});
    silkText(L.silk, "J1", {{57, 53.5f}, 5.0f});
    silkText(L.silk, "J2", {{57, 161.5f}, 5.0f});
    for (Vec j : {kJ1, kJ2}) cardOutline(L.silk, j.x + 9.5f, kStandoffX + 7, j.y - 45, j.y + 45);
    silkText(L.silk, "MINI PCIE 1", centredText("MINI PCIE 1", {158, 124}, 3.4f), 0.5f);
    silkText(L.silk, "MINI PCIE 2", centredText("MINI PCIE 2", {158, 232}, 3.4f), 0.5f);
    // switches: designators, lever 1 and ON marks outside the circles
    silkText(L.silk, "SW2", {{2.5f, 110}, 4.6f});
    silkText(L.silk, "SW3", {{2.5f, 215}, 4.6f});
    silkText(L.silk, "SW1", {{259, 162.5f}, 4.6f});
    silkText(L.silk, "<ON", {{2.5f, 66.5f}, 4.6f});
    silkText(L.silk, "<ON", {{2.5f, 171.5f}, 4.6f});
    silkText(L.silk, "ON>", {{276.5f, 119}, 4.2f});
    silkText(L.silk, "1", centredText("1", {26.4f, switchRowY(kSw2, 2, 1)}, 3.2f), 0.5f);
    silkText(L.silk, "1", centredText("1", {251.6f, switchRowY(kSw1, 2, 0) - 3.0f}, 3.2f), 0.5f);
    // product and maker
    silkText(L.silk, "Tessaline", {{36, 263.5f}, 9.5f}, 1.25f);
    silkText(L.silk, "PCIe/104 4x MINI PCIE CARRIER", {{37, 277.5f}, 3.3f}, 0.5f);
    silkText(L.silk, "Quorvel", {{160, 263.5f}, 9.5f}, 1.25f);
    silkText(L.silk, "REV B", {{230, 266}, 4.0f}, 0.6f);
    {
        // the maker's mark: a hexagon outline around a dot
        const Vec lc{149, 268.5f};
        L.silk.add(boundsOf(lc, {5.5f, 5.5f}), [&](Vec p) {
            const Vec q{std::fabs(p.x - lc.x), std::fabs(p.y - lc.y)};
            return std::fabs(std::max(q.x * 0.866f + q.y * 0.5f, q.y) - 4.2f) - 0.6f;
        });
        L.silk.add(boundsOf(lc, {2, 2}), [&](Vec p) { return sdCircle(p, lc, 1.5f); });
    }
    s.keepOut.push_back({30, 260, 262, 285});

    // parts of the design, kept clear of the scattered ones
    s.keepOut.push_back(boundsOf({236, 88}, {10.5f, 8.5f}));   // U2
    s.keepOut.push_back(boundsOf({262, 88}, {7, 6}));          // Y1
    s.keepOut.push_back(boundsOf({280, 52}, {4, 8}));          // D1 and its label
    s.keepOut.push_back(boundsOf({244, 205}, {8, 12}));        // U3
    s.keepOut.push_back(boundsOf({272, 222}, {9, 10}));        // L1
    s.keepOut.push_back(boundsOf({270, 246}, {7.5f, 6}));      // C41
    s.keepOut.push_back(boundsOf({34, 46}, {5, 7}));           // bulk capacitor
    s.keepOut.push_back({2, 118, 26, 135});                    // RN1
    s.keepOut.push_back({2, 226, 26, 243});                    // RN2
    s.keepOut.push_back({2, 108, 20, 116});                    // SW2 label
    s.keepOut.push_back({2, 213, 20, 221});                    // SW3 label
    s.keepOut.push_back({2, 64, 16, 72});                      // ON labels
    s.keepOut.push_back({2, 169, 16, 177});
    s.keepOut.push_back({258, 160, 275, 168});                 // SW1 label
    s.keepOut.push_back({275, 116, 289, 124});
    s.keepOut.push_back({44, 35, 56, 43});                     // J5
    s.keepOut.push_back({54, 51, 66, 59});
    s.keepOut.push_back({54, 159, 66, 167});
    for (Vec k : {Vec{214, 100}, Vec{214, 208}, Vec{386, 104}, Vec{386, 212}}) s.keepOut.push_back(boundsOf(k, {2.5f, 4}));
    s.keepOut.push_back(boundsOf({258, 185}, {6, 5.5f}));
    s.keepOut.push_back(boundsOf({230, 240}, {6, 5.5f}));
    for (Vec f : {Vec{30, 252}, Vec{283, 100}, Vec{60, 20.5f}, Vec{570, 252}, Vec{318, 60}, Vec{540, 20.5f}})
        s.keepOut.push_back(boundsOf(f, {4, 4}));
    planCapRow(s, {226.5f, 101}, {4.5f, 0}, 4, false);

    planPassives(s, {212, 40, 290, 260}, 30, true);
    planPassives(s, {2, 40, 36, 260}, 6, false);
    planPassives(s, {56, 50, 210, 252}, 34, true);
    planPassives(s, {30, 238, 260, 258}, 10, true);
    scatterVias(s, {2, 36, 290, 258}, 90);
}

void drawTopParts(Scene& s) {
    for (const Vec& h : kHoles) mountingHole(s, h);
    stackConnector(s, kStackX0, kStackX1, kStackY, true);
    miniPcieSocket(s, kJ1, true);
    miniPcieSocket(s, kJ2, true);
    for (Vec j : {kJ1, kJ2})
        for (float dy : {-36.0f, 36.0f}) standoff(s, {kStandoffX, j.y + dy});

    // the three switches, exactly under the circles of the board page
    dipSwitch(s, kSw1, 2, true, true, {false, false});                  // stack type, shown "00"
    dipSwitch(s, kSw2, 2, false, false, {true, true});                  // slot mode, shown "11"
    dipSwitch(s, kSw3, 4, false, false, {false, false, false, false});  // wireless, shown "0000"

    // pull-up networks of the switches
    for (int i = 0; i < 4; ++i) chipPart(s, {6.5f + 5.0f * static_cast<float>(i), 124}, false, 3.2f, 1.7f, kResistorBody, true);
    for (int i = 0; i < 4; ++i) chipPart(s, {6.5f + 5.0f * static_cast<float>(i), 232}, false, 3.2f, 1.7f, kResistorBody, true);

    leadedIc(s, {236, 88}, {7.5f, 5.8f}, 4, 3.8f, false, "9DB2");
    crystal(s, {262, 88});
    chipLed(s, {280, 50}, false);
    leadedIc(s, {244, 205}, {4.6f, 8.0f}, 7, 2.0f, false, "", 1.8f);
    inductor(s, {272, 222}, 13.5f, "2R2");
    tantalum(s, {270, 246}, true);
    tantalum(s, {34, 46}, false);
    chipLed(s, {214, 100}, false, Rgb{150, 210, 120});
    chipLed(s, {214, 208}, false, Rgb{150, 210, 120});
    sot23(s, {258, 185}, false);
    sot23(s, {230, 240}, true);
    for (Vec f : {Vec{30, 252}, Vec{283, 100}, Vec{60, 20.5f}}) fiducial(s, f);
}

void silkTopParts(Scene& s) {
    Layers& L = s.layers;
    silkText(L.silk, "RN1", {{4, 129.5f}, 3.2f}, 0.5f);
    silkText(L.silk, "RN2", {{4, 237.5f}, 3.2f}, 0.5f);
    silkText(L.silk, "U2", {{222, 80}, 3.6f}, 0.55f);
    silkText(L.silk, "Y1", {{258, 95}, 3.6f}, 0.55f);
    silkText(L.silk, "PWR", {{275.5f, 56.5f}, 3.0f}, 0.45f);
    silkText(L.silk, "U3", {{234, 215.5f}, 3.6f}, 0.55f);
    silkText(L.silk, "L1", {{263, 230.5f}, 3.6f}, 0.55f);
    silkText(L.silk, "C41", {{258, 238}, 3.2f}, 0.5f);
    silkText(L.silk, "D2", {{217.5f, 97}, 3.2f}, 0.5f);
    silkText(L.silk, "D3", {{217.5f, 205}, 3.2f}, 0.5f);
    silkText(L.silk, "Q1", {{252, 177}, 3.2f}, 0.5f);
}

// Bottom side: the stack receptacle under the plug, J3 and J4 on the right with their
// cards reaching left, the PCIe packet switch and its supplies on the left.
void planBottomSide(Scene& s) {
    Layers& L = s.layers;
    const Vec bc{454, 150};
    L.pour.add(kBottomBoard, [&](Vec p) { return sdBox(p, bc, {146 - 2.2f, 137 - 2.2f}, 1.5f); });
    split(s, {{386, 284}, {386, 190}, {376, 180}, {376, 48}});
    split(s, {{310, 120}, {376, 120}});

    bundle(s, {{370, 44}, {370, 56}, {358, 68}, {358, 130}}, 8, 1.9f);
    bundle(s, {{410, 44}, {410, 60}, {396, 74}, {380, 74}, {370, 84}, {370, 132}}, 4, 1.9f);
    bundle(s, {{366, 146}, {388, 146}, {404, 130}, {470, 130}, {478, 122}, {478, 100}, {486, 92}, {548, 92}}, 4, 2.0f);
    bundle(s, {{366, 158}, {392, 158}, {408, 174}, {480, 174}, {490, 184}, {490, 202}, {498, 210}, {548, 210}}, 4, 2.0f);
    bundle(s, {{452, 44}, {452, 62}, {466, 76}, {520, 76}, {530, 86}, {530, 96}}, 4, 1.9f);
    bundle(s, {{500, 44}, {500, 54}, {512, 66}, {560, 66}}, 4, 1.9f);
    trace(s, {{360, 190}, {360, 200}, {340, 220}}, 1.6f);
    trace(s, {{330, 250}, {420, 250}, {430, 240}, {545, 240}}, 2.6f, 1.0f);
    trace(s, {{316, 140}, {316, 200}, {324, 208}}, 1.6f);

    for (float x = 330; x < 578; x += 7.5f) {
        if (x < 352 || x > 546) via(s, {x, 18.6f});
        via(s, {x, 281.4f});
    }
    for (float y = 40; y < 262; y += 7.5f) via(s, {313.6f, y});

    silkText(L.silk, "J6", {{mirrorX(kStackX0) + 4, 37}, 5.0f});
    silkText(L.silk, "J3", {{535, 60}, 5.0f});
    silkText(L.silk, "J4", {{535, 168}, 5.0f});
    for (Vec j : {kJ3, kJ4}) cardOutline(L.silk, j.x - 9.5f, kStandoffX2 - 7, j.y - 45, j.y + 45);
    silkText(L.silk, "MINI PCIE 3", centredText("MINI PCIE 3", {452, 131}, 3.4f), 0.5f);
    silkText(L.silk, "MINI PCIE 4", centredText("MINI PCIE 4", {452, 239}, 3.4f), 0.5f);
    silkText(L.silk, "Quorvel", {{337, 265.5f}, 7.0f}, 0.95f);
    silkText(L.silk, "TSL-104M", {{386, 267.5f}, 4.0f}, 0.6f);
    silkText(L.silk, "94V-0", {{424, 267.5f}, 4.0f}, 0.6f);
    s.keepOut.push_back({326, 262, 508, 285});

    s.keepOut.push_back(boundsOf({345, 150}, {19, 19}));   // U1 and its ring of capacitors
    s.keepOut.push_back(boundsOf({346, 96}, {8, 7}));      // Y2
    s.keepOut.push_back(boundsOf({344, 222}, {14, 17}));   // U4, L2, C42
    s.keepOut.push_back({578, 34, 600, 60});
    s.keepOut.push_back(boundsOf({322, 190}, {6, 5.5f}));
    s.keepOut.push_back(boundsOf({580, 120}, {6, 5.5f}));
    s.keepOut.push_back({535, 58, 548, 66});               // J3, J4
    s.keepOut.push_back({535, 166, 548, 174});
    s.keepOut.push_back({538, 35, 552, 43});               // J6
    // decoupling of the packet switch: rows under the package's edges and a via field
    planCapRow(s, {330.5f, 131}, {4.3f, 0}, 8, false);
    planCapRow(s, {330.5f, 169}, {4.3f, 0}, 8, false);
    planCapRow(s, {364, 137.5f}, {0, 4.2f}, 7, true);
    planPassives(s, {312, 40, 392, 260}, 30, false);
    planPassives(s, {564, 40, 598, 260}, 12, false);
    planPassives(s, {404, 50, 546, 254}, 34, true);
    scatterVias(s, {312, 36, 598, 258}, 80);
}

void drawBottomParts(Scene& s) {
    for (const Vec& h : kHoles) mountingHole(s, mirrored(h));
    stackConnector(s, mirrorX(kStackX1), mirrorX(kStackX0), kStackY, false);
    miniPcieSocket(s, kJ3, false);
    miniPcieSocket(s, kJ4, false);
    for (Vec j : {kJ3, kJ4})
        for (float dy : {-36.0f, 36.0f}) standoff(s, {kStandoffX2, j.y + dy});
    qfn(s, {345, 150}, 13.5f, 16, {"QX8624", "BC-AA", "2231"});
    crystal(s, {346, 96});
    leadedIc(s, {334, 222}, {5.8f, 7.5f}, 4, 3.8f, false, "");
    inductor(s, {352, 213}, 11.0f, "1R0");
    tantalum(s, {352, 233}, true);
    barcodeLabel(s, {484, 273}, {22, 7.5f});
    chipLed(s, {386, 104}, false, Rgb{150, 210, 120});
    chipLed(s, {386, 212}, false, Rgb{150, 210, 120});
    sot23(s, {322, 190}, true);
    sot23(s, {580, 120}, false);
    for (Vec f : {Vec{570, 252}, Vec{318, 60}, Vec{540, 20.5f}}) fiducial(s, f);
}

void silkBottomParts(Scene& s) {
    Layers& L = s.layers;
    silkText(L.silk, "U1", {{327, 121}, 3.8f}, 0.55f);
    silkText(L.silk, "Y2", {{340, 103.5f}, 3.6f}, 0.55f);
    silkText(L.silk, "U4", {{322, 232}, 3.6f}, 0.55f);
    silkText(L.silk, "L2", {{359, 204}, 3.6f}, 0.55f);
    silkText(L.silk, "D4", {{377, 101}, 3.2f}, 0.5f);
    silkText(L.silk, "D5", {{377, 209}, 3.2f}, 0.5f);
}

// ---------------------------------------------------------------------------------------
// Compositing.

void paintBackdrop(Scene& s) {
    s.cv.each({0, 0, kWidth, kHeight}, [&](Vec p, Rgb& c) {
        const float t = p.y / kHeight;
        const float rx = (p.x - 300) / 330, ry = (p.y - 120) / 260;
        c = mix(kBackdropTop, kBackdropBottom, t) * (1.0f - 0.06f * (rx * rx + ry * ry));
        c = c * (1.0f + 0.012f * (fbm(p.x / 40, p.y / 40, 3) - 0.5f));
    });
    // the boards stand a few millimetres above the backdrop on their standoffs
    for (const Bounds& b : {kTopBoard, kBottomBoard}) {
        const Bounds sb{b.x0 + 4, b.y0 + 6, b.x1 + 4, b.y1 + 6};
        s.cv.shadow(sb, [&](Vec p) { return sdBoard(p, sb); }, 7.0f, 0.42f);
        s.cv.shadow(b, [&](Vec p) { return sdBoard(p, {b.x0 + 1, b.y0 + 1.5f, b.x1 + 1, b.y1 + 1.5f}); }, 1.5f, 0.35f);
    }
}

// Solder mask over copper and laminate, silkscreen on top, the glossy sheen of the
// mask and the lit and shaded board edges.
void paintBoards(Scene& s) {
    const Layers& L = s.layers;
    for (const Bounds& b : {kTopBoard, kBottomBoard}) {
        const uint32_t seed = b.x0 > 0 ? 2u : 1u;
        const Vec glow{b.x0 + 110, b.y0 + 95};
        s.cv.paint(b, [&](Vec p) { return sdBoard(p, b); },
                   [&](Vec p) {
                       auto copperAt = [&](Vec q) { return std::max(L.copper.sample(q), L.pour.sample(q) * (1.0f - L.clear.sample(q))); };
                       const float cu = copperAt(p);
                       // copper stands under the mask: its edges facing the light catch it
                       const float emboss = cu - copperAt(p + kLight * 0.7f);
                       const float mott = fbm(p.x / 18, p.y / 18, seed) - 0.5f;
                       const float fine = valueNoise(p.x * 1.7f, p.y * 1.7f, seed + 40) - 0.5f;
                       // glass weave shows faintly through the mask where there is no copper
                       const float weave = (std::sin(p.x * 2.1f) * std::sin(p.y * 2.1f)) * (1.0f - cu) * 0.025f;
                       Rgb c = mix(kMaskBare, kMaskCopper, cu) * (1.0f + 0.09f * mott + 0.05f * fine + weave + 0.22f * emboss);
                       c = mix(c, Rgb{10, 36, 22}, L.drill.sample(p) * 0.85f);
                       const float silk = L.silk.sample(p);
                       if (silk > 0) c = mix(c, kSilk * (0.96f + 0.06f * fine), silk * 0.95f);
                       // sheen of the soft box on the glossy mask
                       // (a broad soft reflection of the light box, tilted along the board's diagonal)
                       const Vec g = p - glow;
                       const float along = g.x * 0.8f - g.y * 0.6f, across = g.x * 0.6f + g.y * 0.8f;
                       const float sheen = std::exp(-(along * along / (2 * 110.0f * 110.0f) + across * across / (2 * 48.0f * 48.0f)));
                       c = mix(c, Rgb{196, 228, 210}, 0.2f * sheen);
                       c = c * (1.0f + 0.05f * (1.0f - (p.y - b.y0) / (b.y1 - b.y0)));
                       // edges: the lit side catches light, the far side falls off
                       const float d = sdBoard(p, b);
                       const float rim = 1.0f - smoothstep(-1.6f, -0.2f, d);
                       if (rim < 1.0f) {
                           const float ex = p.x - (b.x0 + b.x1) / 2, ey = p.y - (b.y0 + b.y1) / 2;
                           const Vec n = std::fabs(ex) / (b.x1 - b.x0) > std::fabs(ey) / (b.y1 - b.y0)
                                             ? Vec{ex > 0 ? 1.0f : -1.0f, 0}
                                             : Vec{0, ey > 0 ? 1.0f : -1.0f};
                           const float lit = -dot(n, kLight);
                           const Rgb edge = lit > 0 ? mix(c, Rgb{168, 196, 150}, 0.55f * lit) : c * (1.0f + 0.55f * lit);
                           c = mix(edge, c, rim);
                       }
                       return c;
                   });
    }
}

// Light falloff of the whole shot: brighter upper left, soft vignette.
void finishLighting(Scene& s) {
    s.cv.each({0, 0, kWidth, kHeight}, [&](Vec p, Rgb& c) {
        const float rx = (p.x - 290) / 340, ry = (p.y - 140) / 240;
        const float vignette = 1.0f - 0.13f * (rx * rx + ry * ry);
        const float slope = 1.03f - 0.05f * (p.x / kWidth) - 0.04f * (p.y / kHeight);
        c = c * (vignette * slope);
    });
}

// Averages the supersamples, softens a little as a lens does, and adds sensor grain.
std::vector<uint8_t> develop(const Canvas& cv) {
    std::vector<Rgb> img(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            Rgb sum;
            for (int j = 0; j < kSuper; ++j)
                for (int i = 0; i < kSuper; ++i) sum = sum + cv.at(x * kSuper + i, y * kSuper + j);
            img[static_cast<size_t>(y) * kWidth + x] = sum * (1.0f / (kSuper * kSuper));
        }
    auto px = [&](int x, int y) -> const Rgb& {
        return img[static_cast<size_t>(std::clamp(y, 0, kHeight - 1)) * kWidth + static_cast<size_t>(std::clamp(x, 0, kWidth - 1))];
    };
    std::vector<uint8_t> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            Rgb blur;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) blur = blur + px(x + i, y + j) * (static_cast<float>((2 - std::abs(i)) * (2 - std::abs(j))) / 16.0f);
            const Rgb c = mix(px(x, y), blur, 0.4f);
            const float luma = (hashUnit(x, y, 901) + hashUnit(x, y, 902) + hashUnit(x, y, 903) - 1.5f) * 3.0f;
            const float chroma[3] = {(hashUnit(x, y, 904) - 0.5f) * 1.6f, 0.0f, (hashUnit(x, y, 905) - 0.5f) * 1.6f};
            const float v[3] = {c.r, c.g, c.b};
            for (int k = 0; k < 3; ++k) {
                const float out = std::round(v[k] + luma + chroma[k]);
                rgb[(static_cast<size_t>(y) * kWidth + x) * 3 + static_cast<size_t>(k)] = static_cast<uint8_t>(std::clamp(out, 0.0f, 255.0f));
            }
        }
    return rgb;
}

// ---------------------------------------------------------------------------------------
// JPEG writing. libjpeg reports fatal errors through error_exit, which must not return;
// we jump back out of the library instead of letting it call exit(). Nothing between
// setjmp and the jump owns a destructor.

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr info) {
    JpegError* err = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void onJpegMessage(j_common_ptr) {}

// Compresses 8-bit RGB rows into a progressive JFIF stream in memory. On failure returns
// false with libjpeg's message in `message`.
bool compressJpeg(const uint8_t* rgb, int width, int height, unsigned char** out, unsigned long* outSize,
                  char* message, size_t messageSize) {
    jpeg_compress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = onJpegError;
    err.mgr.output_message = onJpegMessage;
    err.message[0] = '\0';
    *out = nullptr;
    *outSize = 0;
    if (setjmp(err.jump)) {
        std::snprintf(message, messageSize, "%s", err.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    // Full-resolution chroma: the switch bodies are only a dozen pixels wide.
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.write_JFIF_header = TRUE;
    info.density_unit = 1;  // dots per inch
    info.X_density = 96;
    info.Y_density = 96;
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<size_t>(info.next_scanline) * static_cast<size_t>(width) * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.jpg>\n", argc > 0 ? argv[0] : "MakeBoardPhoto");
        return 2;
    }

    Scene s;
    planCommon(s);
    planTopSide(s);
    planBottomSide(s);
    silkTopParts(s);
    silkBottomParts(s);
    paintBackdrop(s);
    paintBoards(s);
    drawTopParts(s);
    drawBottomParts(s);
    drawPassives(s);
    finishLighting(s);
    const std::vector<uint8_t> rgb = develop(s.cv);

    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX + 1] = {};
    if (!compressJpeg(rgb.data(), kWidth, kHeight, &jpeg, &size, message, sizeof message)) {
        std::fprintf(stderr, "MakeBoardPhoto: JPEG compression failed: %s\n", message);
        std::free(jpeg);
        return 1;
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    const bool ok = f && std::fwrite(jpeg, 1, size, f) == size;
    const bool closed = f && std::fclose(f) == 0;
    std::free(jpeg);
    if (!ok || !closed) {
        std::fprintf(stderr, "MakeBoardPhoto: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
