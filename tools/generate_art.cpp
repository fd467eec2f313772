// Draws Brimwold's images from code and saves them as 32-bit RGBA PNGs, and
// synthesises its sounds as 16-bit mono WAV files in <resources-dir>/sounds/.
//
// Usage: brimwold_art <resources-dir> [<examples-dir>]
//
// The game draws textures without blending and drops texels with alpha < 0.5,
// so every pixel written here is either fully transparent or fully opaque;
// anti-aliasing only ever touches colour, never alpha.
// All noise comes from a fixed integer hash, so reruns give identical files.

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- basics --

struct Col {
    float r = 0, g = 0, b = 0, a = 0;
};

Col rgb(int r, int g, int b) { return {r / 255.f, g / 255.f, b / 255.f, 1.f}; }

Col mix(Col x, Col y, float t) { return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, 1.f}; }

Col shade(Col c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

struct V2 {
    float x, y;
};
V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
V2 operator*(V2 a, float k) { return {a.x * k, a.y * k}; }
float dot(V2 a, V2 b) { return a.x * b.x + a.y * b.y; }
float len(V2 a) { return std::sqrt(dot(a, a)); }

float clamp01(float v) { return std::min(1.f, std::max(0.f, v)); }

float smooth(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// ----------------------------------------------------------------- noise --

uint32_t hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float hashf(int x, int y, uint32_t seed) { return (hash(x, y, seed) >> 8) * (1.f / 16777216.f); }

int wrap(int v, int period) {
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

// Lattice value noise in [0,1). A non-zero period wraps the lattice so the
// floor texture repeats without seams.
float valueNoise(float x, float y, uint32_t seed, int period = 0) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto at = [&](int dx, int dy) { return hashf(wrap(ix + dx, period), wrap(iy + dy, period), seed); };
    float top = at(0, 0) + (at(1, 0) - at(0, 0)) * fx;
    float bot = at(0, 1) + (at(1, 1) - at(0, 1)) * fx;
    return top + (bot - top) * fy;
}

float fbm(float x, float y, uint32_t seed, int octaves, int period = 0) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + 101u * i, period) * amp;
        norm += amp;
        amp *= 0.5f;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / norm;
}

// ------------------------------------------------------ distance fields --
// Negative inside, positive outside, roughly in pixels.

float sdCircle(V2 p, V2 c, float r) { return len(p - c) - r; }

float sdEllipse(V2 p, V2 c, float rx, float ry) {
    V2 q{(p.x - c.x) / rx, (p.y - c.y) / ry};
    return (len(q) - 1.f) * std::min(rx, ry);
}

float sdSegment(V2 p, V2 a, V2 b, float r, float* along = nullptr) {
    V2 ab = b - a;
    float t = clamp01(dot(p - a, ab) / dot(ab, ab));
    if (along) *along = t;
    return len(p - (a + ab * t)) - r;
}

float sdTriangle(V2 p, V2 p0, V2 p1, V2 p2) {
    V2 e0 = p1 - p0, e1 = p2 - p1, e2 = p0 - p2;
    V2 v0 = p - p0, v1 = p - p1, v2 = p - p2;
    V2 q0 = v0 - e0 * clamp01(dot(v0, e0) / dot(e0, e0));
    V2 q1 = v1 - e1 * clamp01(dot(v1, e1) / dot(e1, e1));
    V2 q2 = v2 - e2 * clamp01(dot(v2, e2) / dot(e2, e2));
    float s = (e0.x * e2.y - e0.y * e2.x) > 0 ? 1.f : -1.f;
    float d = std::min({dot(q0, q0), dot(q1, q1), dot(q2, q2)});
    float side = std::min(
        {s * (v0.x * e0.y - v0.y * e0.x), s * (v1.x * e1.y - v1.y * e1.x), s * (v2.x * e2.y - v2.y * e2.x)});
    return -std::sqrt(d) * (side > 0 ? 1.f : -1.f);
}

float sdRoundBox(V2 p, V2 c, V2 half, float r) {
    V2 q{std::fabs(p.x - c.x) - half.x + r, std::fabs(p.y - c.y) - half.y + r};
    V2 qo{std::max(q.x, 0.f), std::max(q.y, 0.f)};
    return len(qo) + std::min(std::max(q.x, q.y), 0.f) - r;
}

// Outward direction of a distance field at p.
template <class F>
V2 outward(F sdf, V2 p) {
    const float e = 0.35f;
    V2 g{sdf({p.x + e, p.y}) - sdf({p.x - e, p.y}), sdf({p.x, p.y + e}) - sdf({p.x, p.y - e})};
    float l = len(g);
    return l > 1e-6f ? g * (1.f / l) : V2{0, 0};
}

// Brightness of a rounded bulge lit from the upper left: near the rim the
// surface tilts away from the viewer, so one side catches light and the
// opposite side falls into shadow. `depth` is how far in the rim reaches.
template <class F>
float bulge(F sdf, V2 p, float depth) {
    float d = sdf(p);
    float t = clamp01(-d / depth);
    float nz = std::sqrt(1 - (1 - t) * (1 - t));
    float nxy = std::sqrt(std::max(0.f, 1 - nz * nz));
    V2 g = outward(sdf, p);
    const float lx = -0.45f, ly = -0.55f, lz = 0.70f;
    float lambert = std::max(0.f, g.x * nxy * lx + g.y * nxy * ly + nz * lz);
    return 0.42f + 0.68f * lambert;
}

// ---------------------------------------------------------------- images --

struct Img {
    int w, h;
    std::vector<Col> px;
    Img(int width, int height) : w(width), h(height), px(static_cast<size_t>(width) * height) {}
    Col& at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
    bool solid(int x, int y) const {
        return x >= 0 && y >= 0 && x < w && y < h && px[static_cast<size_t>(y) * w + x].a > 0.5f;
    }
};

// Supersamples a shading function. A pixel is opaque when at least half of
// its samples are, and takes the average colour of those opaque samples, so
// inner edges are smooth while alpha stays strictly 0 or 1.
template <class F>
void render(Img& img, F paint, int ss = 4) {
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            Col sum;
            int hits = 0;
            for (int j = 0; j < ss; ++j) {
                for (int i = 0; i < ss; ++i) {
                    Col c = paint(V2{x + (i + 0.5f) / ss, y + (j + 0.5f) / ss});
                    if (c.a < 0.5f) continue;
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                    ++hits;
                }
            }
            Col& out = img.at(x, y);
            if (hits * 2 >= ss * ss) {
                out = {sum.r / hits, sum.g / hits, sum.b / hits, 1.f};
            } else {
                out = Col{};
            }
        }
    }
}

// A dark rim around a sprite keeps it readable on any floor.
void outline(Img& img, int radius, Col ink) {
    Img src = img;
    int r2 = radius * radius + 1;
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            if (src.solid(x, y)) continue;
            bool near = false;
            for (int dy = -radius; dy <= radius && !near; ++dy)
                for (int dx = -radius; dx <= radius && !near; ++dx)
                    near = dx * dx + dy * dy <= r2 && src.solid(x + dx, y + dy);
            if (near) img.at(x, y) = ink;
        }
    }
}

uint8_t toByte(float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.f)); }

bool savePng(const Img& img, const std::filesystem::path& path) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, img.w, img.h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!s) {
        std::fprintf(stderr, "cannot create surface: %s\n", SDL_GetError());
        return false;
    }
    auto* base = static_cast<uint8_t*>(s->pixels);
    for (int y = 0; y < img.h; ++y) {
        uint8_t* row = base + static_cast<size_t>(y) * s->pitch;
        for (int x = 0; x < img.w; ++x) {
            const Col& c = img.px[static_cast<size_t>(y) * img.w + x];
            bool opaque = c.a > 0.5f;
            // RGBA32 is byte order R,G,B,A whatever the host endianness.
            row[x * 4 + 0] = opaque ? toByte(c.r) : 0;
            row[x * 4 + 1] = opaque ? toByte(c.g) : 0;
            row[x * 4 + 2] = opaque ? toByte(c.b) : 0;
            row[x * 4 + 3] = opaque ? 255 : 0;
        }
    }
    bool ok = IMG_SavePNG(s, path.string().c_str()) == 0;
    if (!ok) std::fprintf(stderr, "cannot write %s: %s\n", path.string().c_str(), IMG_GetError());
    SDL_FreeSurface(s);
    return ok;
}

// ------------------------------------------------------------------- cat --
// Seen from above, facing the bottom edge: the game turns the sprite so its
// bottom points where the cat walks.

namespace cat {

const Col kFur = rgb(228, 142, 60);
const Col kStripe = rgb(166, 80, 28);
const Col kCream = rgb(248, 212, 160);
const Col kPink = rgb(236, 136, 152);
const Col kEye = rgb(118, 200, 64);
const Col kPupil = rgb(20, 28, 12);
const Col kInk = rgb(46, 22, 10);

const V2 kTail0{64, 36}, kTail1{62, 4}, kTail2{96, 14};

V2 tailPoint(float t) {
    float u = 1 - t;
    return kTail0 * (u * u) + kTail1 * (2 * u * t) + kTail2 * (t * t);
}

// Tapered curve; `along` reports how far down the tail the nearest point is.
float sdTail(V2 p, float* along = nullptr) {
    const int kSteps = 20;
    float best = 1e9f, bestT = 0;
    V2 prev = tailPoint(0);
    for (int i = 1; i <= kSteps; ++i) {
        float t1 = static_cast<float>(i) / kSteps;
        V2 cur = tailPoint(t1);
        float s;
        float d0 = sdSegment(p, prev, cur, 0, &s);
        float tt = (i - 1 + s) / kSteps;
        float d = d0 - (6.5f - 2.5f * tt);
        if (d < best) {
            best = d;
            bestT = tt;
        }
        prev = cur;
    }
    if (along) *along = bestT;
    return best;
}

float sdBody(V2 p) { return sdEllipse(p, {64, 60}, 22, 30); }
float sdHead(V2 p) { return std::min(sdEllipse(p, {64, 95}, 19.5f, 17), sdEllipse(p, {64, 106}, 10, 7)); }

// Front paws reach forward beside the chin; hind paws show as haunches.
const V2 kPaws[4] = {{46, 104}, {82, 104}, {44, 40}, {84, 40}};
const V2 kPawSize[4] = {{5.5f, 7}, {5.5f, 7}, {6.5f, 8}, {6.5f, 8}};

float sdPaw(V2 p, int i) { return sdEllipse(p, kPaws[i], kPawSize[i].x, kPawSize[i].y); }

// Ears rise from the crown, tips leaning back over the shoulders.
void ear(bool left, V2& a, V2& b, V2& tip) {
    float s = left ? -1.f : 1.f;
    a = {64 + s * 5, 84};
    b = {64 + s * 18, 94};
    tip = {64 + s * 23, 73};
}

float sdEar(V2 p, bool left) {
    V2 a, b, t;
    ear(left, a, b, t);
    return sdTriangle(p, a, b, t) - 1.5f;
}

float sdEarInner(V2 p, bool left) {
    V2 a, b, t;
    ear(left, a, b, t);
    V2 c = (a + b + t) * (1.f / 3);
    // The opening faces forward, so the pink shows towards the front edge.
    auto in = [&](V2 v) { return c + (v - c) * 0.55f + V2{0, 1.5f}; };
    return sdTriangle(p, in(a), in(b), in(t));
}

Col paint(V2 p) {
    Col out;

    float along = 0;
    if (sdTail(p, &along) < 0) {
        float k = bulge([](V2 q) { return sdTail(q); }, p, 5);
        bool ring = std::sin(along * 34.f) > 0.35f;
        out = shade(ring ? kStripe : kFur, k);
    }

    for (int i = 0; i < 4; ++i) {
        if (sdPaw(p, i) < 0) {
            float k = bulge([i](V2 q) { return sdPaw(q, i); }, p, 4);
            bool toes = i < 2 && p.y > kPaws[i].y + 3;
            out = shade(toes ? kCream : kFur, k);
        }
    }

    if (sdBody(p) < 0) {
        float k = bulge(sdBody, p, 14);
        float bx = p.x - 64;
        float wob = fbm(p.x * 0.12f, p.y * 0.12f, 7, 3) - 0.5f;
        // Tabby bands sweep back from the spine towards the flanks.
        float band = std::sin((p.y + 0.02f * bx * bx + 6.f * wob) * 0.52f);
        bool spine = std::fabs(bx + 2.f * wob) < 2.6f && p.y < 86;
        bool stripe = band > 0.42f || spine;
        Col c = stripe ? kStripe : kFur;
        c = mix(c, kCream, 0.18f * smooth(12, 22, std::fabs(bx)));
        out = shade(c, k);
    }

    if (sdHead(p) < 0) {
        float k = bulge(sdHead, p, 10);
        Col c = kFur;
        float hx = p.x - 64;
        // "M" on the crown: three short dashes between the ears.
        for (float cx : {-7.f, 0.f, 7.f}) {
            float top = cx == 0.f ? 79.f : 81.f;
            if (std::fabs(hx - cx) < 1.8f && p.y > top && p.y < 90 - std::fabs(cx) * 0.3f) c = kStripe;
        }
        // Cheek bars on both sides.
        if (std::fabs(hx) > 13 && std::fabs(std::sin((p.y - 93) * 0.55f)) < 0.38f && p.y < 104) c = kStripe;
        // Light muzzle at the front.
        if (sdEllipse(p, {64, 106.5f}, 9.5f, 6.5f) < 0) c = kCream;
        for (float s : {-1.f, 1.f}) {
            V2 e{64 + s * 8.f, 99.5f};
            if (sdEllipse(p, e, 4.5f, 3.2f) < 0) {
                c = kEye;
                if (std::fabs(p.x - e.x) < 0.9f) c = kPupil;
                if (sdCircle(p, e + V2{-1.6f, -1.1f}, 0.9f) < 0) c = rgb(250, 250, 240);
                k = 1.f;
            } else if (sdEllipse(p, e, 5.6f, 4.2f) < 0) {
                c = kPupil;
            }
        }
        if (sdTriangle(p, {60.5f, 104}, {67.5f, 104}, {64, 108.5f}) < 0) {
            c = kPink;
            k = std::max(k, 0.95f);
        }
        out = shade(c, k);
    }

    // Ears go over the head so their base blends into the crown; a darker
    // rim keeps them apart from the fur underneath.
    for (bool left : {true, false}) {
        float d = sdEar(p, left);
        if (d < 0) {
            float k = bulge([left](V2 q) { return sdEar(q, left); }, p, 3);
            Col c = sdEarInner(p, left) < 0 ? kPink : kFur;
            if (d > -1.2f) c = shade(kStripe, 0.8f);
            out = shade(c, k);
        }
    }
    return out;
}

}  // namespace cat

Img makeCat() {
    Img img(128, 128);
    render(img, cat::paint);
    outline(img, 2, cat::kInk);
    return img;
}

// ---------------------------------------------------------------- zombie --
// Also seen from above facing the bottom edge: bald grey-green head, ragged
// shirt across the shoulders, both arms reaching forward.

namespace zombie {

const Col kSkin = rgb(134, 158, 116);
const Col kSkinDark = rgb(88, 108, 80);
const Col kShirt = rgb(98, 62, 108);
const Col kShirtBrown = rgb(100, 70, 54);
const Col kBlood = rgb(112, 22, 26);
const Col kHair = rgb(44, 40, 32);
const Col kInk = rgb(18, 24, 16);

struct Arm {
    V2 shoulder, hand;
};
const Arm kArms[2] = {{{38, 46}, {44, 106}}, {{90, 46}, {84, 106}}};

float sdArm(V2 p, int i, float* along = nullptr) { return sdSegment(p, kArms[i].shoulder, kArms[i].hand, 7.5f, along); }

float sdHand(V2 p, int i) {
    V2 h = kArms[i].hand + V2{0, 5};
    float d = sdEllipse(p, h, 7.5f, 6.5f);
    for (float fx : {-4.8f, -1.6f, 1.6f, 4.8f}) {
        float reach = std::fabs(fx) > 3 ? 6.f : 8.f;
        d = std::min(d, sdSegment(p, h + V2{fx, 2}, h + V2{fx * 1.05f, 2 + reach}, 1.6f));
    }
    return d;
}

// Ragged edge: the shirt's rim wobbles with noise so it looks torn.
float sdTorso(V2 p) {
    float d = sdEllipse(p, {64, 42}, 35, 19);
    float tear = fbm(p.x * 0.25f, p.y * 0.25f, 31, 2) - 0.5f;
    return d + 4.f * tear;
}

float sdHead(V2 p) { return sdCircle(p, {64, 66}, 15.5f); }

Col paint(V2 p) {
    Col out;

    for (int i = 0; i < 2; ++i) {
        float along = 0;
        if (sdArm(p, i, &along) < 0) {
            float k = bulge([i](V2 q) { return sdArm(q, i); }, p, 6);
            float rag = 0.42f + 0.12f * (fbm(p.x * 0.4f, p.y * 0.4f, 17 + i, 2) - 0.5f) * 3.f;
            Col c = along < rag ? mix(kShirt, kShirtBrown, 0.35f) : kSkin;
            if (along >= rag) c = mix(c, kSkinDark, 0.6f * fbm(p.x * 0.3f, p.y * 0.3f, 5, 2));
            out = shade(c, k);
        }
        if (sdHand(p, i) < 0) {
            float k = bulge([i](V2 q) { return sdHand(q, i); }, p, 3);
            out = shade(mix(kSkin, kSkinDark, 0.25f), k);
        }
    }

    if (sdTorso(p) < 0) {
        float k = bulge([](V2 q) { return sdEllipse(q, {64, 42}, 35, 19); }, p, 16);
        float n = fbm(p.x * 0.09f, p.y * 0.09f, 3, 4);
        Col c = mix(kShirt, kShirtBrown, smooth(0.4f, 0.65f, n));
        // Grime streaks and holes through which skin shows.
        c = shade(c, 0.85f + 0.3f * fbm(p.x * 0.5f, p.y * 0.2f, 9, 2));
        float hole = fbm(p.x * 0.16f, p.y * 0.16f, 41, 3);
        if (hole > 0.7f) c = hole > 0.73f ? kSkinDark : shade(kShirtBrown, 0.5f);
        // An old wound on the left shoulder.
        float w = sdEllipse(p, {44, 36}, 7, 5) + 3.f * (fbm(p.x * 0.4f, p.y * 0.4f, 77, 2) - 0.5f);
        if (w < 0) c = mix(kBlood, shade(kBlood, 0.55f), smooth(-4, 0, -w));
        // The head shades the collar around it.
        c = shade(c, 0.55f + 0.45f * smooth(0, 5, sdHead(p)));
        out = shade(c, k);
    }

    if (sdHead(p) < 0) {
        float k = bulge(sdHead, p, 11);
        float mottled = fbm(p.x * 0.22f, p.y * 0.22f, 13, 3);
        Col c = mix(kSkin, kSkinDark, smooth(0.45f, 0.7f, mottled));
        // Thin hair clinging to the back of the skull.
        float strands = valueNoise(p.x * 0.8f, p.y * 0.2f, 21);
        float patch = fbm(p.x * 0.15f, p.y * 0.15f, 29, 2);
        if (p.y < 66 && strands > 0.55f && patch > 0.45f && sdCircle(p, {64, 66}, 14) < 0) c = kHair;
        // A bite wound on the back of the skull, bruised around the edge.
        float w = sdEllipse(p, {70, 59}, 4.5f, 3.5f) + 2.5f * (fbm(p.x * 0.5f, p.y * 0.5f, 91, 2) - 0.5f);
        if (w < 2.f) c = mix(c, rgb(92, 72, 78), 0.7f);
        if (w < 0) c = mix(kBlood, shade(kBlood, 0.5f), smooth(-3, 0, -w));
        // Brow ridge and dull eyes along the front.
        if (sdEllipse(p, {64, 78.5f}, 11, 2.4f) < 0) c = shade(c, 0.75f);
        for (float s : {-1.f, 1.f})
            if (sdEllipse(p, {64 + s * 6.f, 78.f}, 2.6f, 1.6f) < 0) c = rgb(214, 206, 120);
        c = shade(c, k);
        if (sdHead(p) > -1.2f) c = kInk;
        out = c;
    }
    return out;
}

}  // namespace zombie

Img makeZombie() {
    Img img(128, 128);
    render(img, zombie::paint);
    outline(img, 2, zombie::kInk);
    return img;
}

// ----------------------------------------------------------------- floor --
// Flagstones in staggered rows. The texture tiles seamlessly and has no
// handed features, because the game may show it mirrored.

Img makeFloor() {
    const int kSize = 512, kTile = 64, kRows = kSize / kTile;
    Img img(kSize, kSize);
    const Col kStone = rgb(112, 106, 96);
    const Col kMortar = rgb(52, 50, 46);
    const Col kMoss = rgb(64, 74, 48);

    render(img, [&](V2 p) {
        int row = static_cast<int>(std::floor(p.y / kTile)) % kRows;
        // Each row is shifted by its own amount; 512 is a multiple of the tile
        // width, so any shift still wraps cleanly.
        float shift = std::floor(hashf(row, 0, 5) * kTile);
        float sx = p.x + shift;
        int col = static_cast<int>(std::floor(sx / kTile)) % (kSize / kTile);
        V2 local{sx - std::floor(sx / kTile) * kTile, p.y - row * kTile};
        auto box = [&](V2 q) { return sdRoundBox(q, {32, 32}, {29.5f, 29.5f}, 5); };

        // Chipped rims: perturb the box with noise in world space.
        float chip = fbm(p.x / 8.f, p.y / 8.f, 11, 3, kSize / 8) - 0.5f;
        float d = box(local) + 3.f * chip;
        float coarse = fbm(p.x / 32.f, p.y / 32.f, 3, 4, kSize / 32);
        float fine = valueNoise(p.x * 0.75f, p.y * 0.75f, 19, kSize * 3 / 4);

        if (d > 0) {
            float moss = fbm(p.x / 16.f, p.y / 16.f, 23, 3, kSize / 16);
            Col c = mix(kMortar, kMoss, smooth(0.5f, 0.7f, moss));
            return shade(c, 0.8f + 0.35f * fine);
        }

        float tone = hashf(col, row, 99);
        float warm = hashf(col, row, 123);
        Col c = shade(kStone, 0.86f + 0.22f * tone);
        c = mix(c, rgb(120, 104, 86), 0.45f * warm);
        c = shade(c, 0.82f + 0.3f * coarse + 0.1f * (fine - 0.5f));
        // Worn lighter patches and dark stains.
        float stain = fbm(p.x / 32.f, p.y / 32.f, 57, 3, kSize / 32);
        c = shade(c, 1.f - 0.18f * smooth(0.58f, 0.75f, stain));

        // Bevel: rims facing the upper left catch the light.
        float rim = clamp01(1 + d / 4.f);
        if (rim > 0) {
            V2 n = outward(box, local);
            float lit = -(n.x * 0.6f + n.y * 0.8f);
            c = shade(c, 1.f + 0.28f * lit * rim);
        }

        // A crack across some stones.
        if (hashf(col, row, 7) < 0.2f) {
            float a = hashf(col, row, 8) * 6.2832f;
            V2 dir{std::cos(a), std::sin(a)};
            V2 off = local - V2{32, 32} - V2{hashf(col, row, 9) - 0.5f, hashf(col, row, 10) - 0.5f} * 20.f;
            float along = dot(off, dir);
            float across = dot(off, {-dir.y, dir.x});
            float jag = 6.f * (valueNoise(along * 0.3f, 0.5f, col * 31 + row) - 0.5f);
            float reach = 10 + 12 * hashf(col, row, 11);
            if (std::fabs(across - jag) < 0.55f && std::fabs(along) < reach) c = shade(c, 0.6f);
        }
        return c;
    });
    return img;
}

// ------------------------------------------------------------- portrait --
// Front view of the cat's face in a round frame, shown upright in the HUD.

namespace portrait {

const V2 kC{64, 64};
const float kOuter = 62.5f, kInner = 55.5f;

float sdFace(V2 p) {
    float d = sdEllipse(p, {64, 74}, 35, 28);
    // Cheek fluff widens the lower face.
    d = std::min(d, sdEllipse(p, {64, 84}, 38, 17));
    return d;
}

void ear(bool left, V2& a, V2& b, V2& tip) {
    float s = left ? -1.f : 1.f;
    a = {64 + s * 34, 66};
    b = {64 + s * 10, 52};
    tip = {64 + s * 31, 21};
}

float sdEar(V2 p, bool left) {
    V2 a, b, t;
    ear(left, a, b, t);
    return sdTriangle(p, a, b, t) - 2.f;
}

float sdEarInner(V2 p, bool left) {
    V2 a, b, t;
    ear(left, a, b, t);
    V2 c = (a + b + t) * (1.f / 3);
    auto in = [&](V2 v) { return c + (v - c) * 0.58f; };
    return sdTriangle(p, in(a), in(b), in(t));
}

Col background(V2 p) {
    float r = len(p - kC) / kInner;
    Col c = mix(rgb(34, 44, 104), rgb(8, 10, 34), smooth(0.f, 1.f, r));
    float neb = fbm(p.x / 18.f, p.y / 18.f, 61, 4);
    c = mix(c, rgb(92, 46, 120), 0.55f * smooth(0.55f, 0.8f, neb));
    // Stars: one candidate per 7 px cell, most cells stay empty.
    const float cell = 7.f;
    int cx = static_cast<int>(std::floor(p.x / cell)), cy = static_cast<int>(std::floor(p.y / cell));
    if (hashf(cx, cy, 71) < 0.45f) {
        V2 s{(cx + 0.2f + 0.6f * hashf(cx, cy, 72)) * cell, (cy + 0.2f + 0.6f * hashf(cx, cy, 73)) * cell};
        float size = 0.5f + 1.0f * hashf(cx, cy, 74);
        float glow = 1.f - smooth(0.f, size, len(p - s));
        // A few big ones get a little cross of light.
        if (size > 1.3f) {
            V2 o = p - s;
            float cross = std::min(std::fabs(o.x), std::fabs(o.y));
            if (cross < 0.35f && std::max(std::fabs(o.x), std::fabs(o.y)) < 3.5f) glow = std::max(glow, 0.7f);
        }
        c = mix(c, rgb(255, 250, 220), glow);
    }
    return c;
}

Col paint(V2 p) {
    float r = len(p - kC);
    if (r > kOuter) return {};
    if (r > kInner) {
        // Metal ring, bevelled so it reads as a porthole rim.
        auto ring = [](V2 q) {
            float rr = len(q - kC);
            return std::max(rr - kOuter, kInner - rr);
        };
        float k = bulge(ring, p, 3.5f);
        Col c = rgb(176, 190, 214);
        if (r > kOuter - 1.2f || r < kInner + 1.2f) c = rgb(40, 44, 62);
        // Rivets around the rim.
        float ang = std::atan2(p.y - kC.y, p.x - kC.x);
        float step = 6.2832f / 16;
        float nearest = std::round(ang / step) * step;
        V2 rivet = kC + V2{std::cos(nearest), std::sin(nearest)} * ((kInner + kOuter) / 2);
        if (sdCircle(p, rivet, 1.4f) < 0) c = rgb(230, 236, 245);
        return shade(c, k);
    }

    Col c = background(p);

    for (bool left : {true, false}) {
        float d = sdEar(p, left);
        if (d < 0) {
            float k = bulge([left](V2 q) { return sdEar(q, left); }, p, 4);
            Col e = d > -2.f ? cat::kInk : (sdEarInner(p, left) < 0 ? cat::kPink : cat::kFur);
            c = shade(e, d > -2.f ? 1.f : k);
        }
    }

    float f = sdFace(p);
    if (f < 0) {
        float k = 0.5f + 0.5f * bulge(sdFace, p, 14);
        Col fur = cat::kFur;
        float hx = p.x - 64;
        // Forehead "M".
        for (float sx : {-9.f, 0.f, 9.f}) {
            float top = sx == 0.f ? 48.f : 51.f;
            if (std::fabs(hx - sx + (p.y - 50) * sx * 0.02f) < 2.2f && p.y > top && p.y < 62 - std::fabs(sx) * 0.3f)
                fur = cat::kStripe;
        }
        // Cheek stripes sweeping out.
        for (float sy : {74.f, 81.f})
            if (std::fabs(hx) > 24 && std::fabs(p.y - sy + (std::fabs(hx) - 24) * 0.25f) < 1.6f) fur = cat::kStripe;
        // Pale muzzle and chin.
        bool muzzle = sdEllipse(p, {58, 87}, 8.5f, 6.5f) < 0 || sdEllipse(p, {70, 87}, 8.5f, 6.5f) < 0 ||
                      sdEllipse(p, {64, 94}, 7, 5) < 0;
        if (muzzle) fur = cat::kCream;
        c = shade(fur, k);

        // Eyes: green, slit pupils, a glint each.
        for (float s : {-1.f, 1.f}) {
            V2 e{64 + s * 14.f, 71.f};
            float de = sdEllipse(p, e, 7.5f, 8.f);
            if (de < 1.4f) c = cat::kInk;
            if (de < 0) {
                Col iris = mix(rgb(168, 226, 80), rgb(72, 150, 40), smooth(-8, 8, p.y - e.y));
                c = iris;
                if (sdEllipse(p, e, 1.9f, 6.8f) < 0) c = cat::kPupil;
                if (sdCircle(p, e + V2{-2.6f, -3.2f}, 1.7f) < 0) c = rgb(255, 255, 248);
            }
        }
        // Nose and mouth.
        if (sdTriangle(p, {59, 82}, {69, 82}, {64, 87.5f}) < 0.6f) c = cat::kInk;
        if (sdTriangle(p, {59, 82}, {69, 82}, {64, 87.5f}) < 0) c = cat::kPink;
        // Mouth: a short line down from the nose into two lower arcs.
        bool philtrum = sdSegment(p, {64, 87.5f}, {64, 90.5f}, 0.7f) < 0;
        float arcs = std::min(std::fabs(sdCircle(p, {60.5f, 90.5f}, 3.5f)),
                              std::fabs(sdCircle(p, {67.5f, 90.5f}, 3.5f)));
        if (philtrum || (arcs < 0.7f && p.y > 90.5f)) c = cat::kInk;
        // Rim line around the head.
        if (f > -1.8f) c = cat::kInk;
    }

    // Whiskers fan out over the cheeks and past the face.
    for (float s : {-1.f, 1.f}) {
        for (float tilt : {-5.f, 0.f, 5.f}) {
            V2 a{64 + s * 12.f, 88 + tilt * 0.3f};
            V2 b{64 + s * 46.f, 84 + tilt * 1.8f};
            float w = sdSegment(p, a, b, 0.45f);
            if (w < 0.5f) c = mix(c, rgb(252, 248, 236), clamp01(0.5f - w));
        }
    }

    // Glass glare across the upper left of the porthole.
    float glare = sdCircle(p, {54, 54}, 46);
    float band = smooth(-6, -1, glare) * (1 - smooth(-1, 2, glare));
    V2 g = p - kC;
    if (g.x + g.y < -20) c = mix(c, rgb(255, 255, 255), 0.35f * band);
    return c;
}

}  // namespace portrait

Img makePortrait() {
    Img img(128, 128);
    render(img, portrait::paint);
    return img;
}

// -------------------------------------------------------------- game over --

// 5x7 block glyphs, only the letters the banners need.
struct Glyph {
    char ch;
    const char* rows[7];
};
const Glyph kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
};

// A line of block text rasterised into a mask the size of the banner, plus a
// map of the distance to the nearest text pixel for outlines and shadows.
class TextLayer {
public:
    TextLayer(int width, int height, const std::string& text, int centreX, int top, int cell, int reach)
        : w_(width),
          h_(height),
          top_(top),
          cell_(cell),
          mask_(static_cast<size_t>(width) * height, 0),
          dist_(static_cast<size_t>(width) * height, 1e9f) {
        int cols = static_cast<int>(text.size()) * 6 - 1;
        grid_.assign(7, std::vector<bool>(cols, false));
        for (size_t i = 0; i < text.size(); ++i)
            for (const Glyph& g : kFont)
                if (g.ch == text[i])
                    for (int r = 0; r < 7; ++r)
                        for (int c = 0; c < 5; ++c) grid_[r][i * 6 + c] = g.rows[r][c] == '#';
        left_ = centreX - cols * cell / 2;

        for (int y = top; y < top + 7 * cell; ++y)
            for (int x = left_; x < left_ + cols * cell; ++x)
                if (x >= 0 && y >= 0 && x < w_ && y < h_ && covers(x - left_, y - top))
                    mask_[static_cast<size_t>(y) * w_ + x] = 1;

        for (int y = 0; y < h_; ++y) {
            for (int x = 0; x < w_; ++x) {
                if (!in(x, y)) continue;
                for (int dy = -reach; dy <= reach; ++dy) {
                    for (int dx = -reach; dx <= reach; ++dx) {
                        int qx = x + dx, qy = y + dy;
                        if (qx < 0 || qy < 0 || qx >= w_ || qy >= h_) continue;
                        float& d = dist_[static_cast<size_t>(qy) * w_ + qx];
                        d = std::min(d, std::sqrt(static_cast<float>(dx * dx + dy * dy)));
                    }
                }
            }
        }
    }

    bool in(int x, int y) const {
        return x >= 0 && y >= 0 && x < w_ && y < h_ && mask_[static_cast<size_t>(y) * w_ + x];
    }

    // Distance in pixels to the text, 0 on it.
    float dist(V2 p) const {
        int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return 1e9f;
        return dist_[static_cast<size_t>(y) * w_ + x];
    }

    // 0 at the top of the letters, 1 at the bottom.
    float heightFraction(V2 p) const { return clamp01((p.y - top_) / (7.f * cell_)); }

    // Light for a point on the text: faces open to the top or left are lit,
    // those open to the bottom or right shaded, giving raised letters.
    float bevel(V2 p, int width) const {
        int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
        if (!in(x, y - width)) return 1.35f;
        if (!in(x - width, y)) return 1.18f;
        if (!in(x, y + width)) return 0.62f;
        if (!in(x + width, y)) return 0.78f;
        return 1.f;
    }

private:
    bool cell(int c, int r) const {
        return r >= 0 && r < 7 && c >= 0 && c < static_cast<int>(grid_[0].size()) && grid_[r][c];
    }

    // Font dots are square blocks; where two dots touch only at a corner, a
    // small wedge joins them so diagonal strokes (V, M, R, Q) stay solid and
    // outer corners come out chamfered.
    bool covers(int px, int py) const {
        int c = px / cell_, r = py / cell_;
        if (cell(c, r)) return true;
        int lx = px - c * cell_, ly = py - r * cell_;
        for (int dy : {-1, 1}) {
            for (int dx : {-1, 1}) {
                if (!cell(c + dx, r) || !cell(c, r + dy) || cell(c + dx, r + dy)) continue;
                int cx = dx < 0 ? 0 : cell_, cy = dy < 0 ? 0 : cell_;
                if (std::abs(lx - cx) + std::abs(ly - cy) < cell_ * 0.55f) return true;
            }
        }
        return false;
    }

    int w_, h_, top_, cell_, left_ = 0;
    std::vector<std::vector<bool>> grid_;  // [row][column]
    std::vector<uint8_t> mask_;
    std::vector<float> dist_;
};

Img makeGameOver() {
    const int W = 1024, H = 578;
    Img img(W, H);
    const V2 kCentre{W / 2.f, H / 2.f};
    const V2 kHalf{W / 2.f - 14, H / 2.f - 14};
    const float kCorner = 42;
    auto frame = [&](V2 q) { return sdRoundBox(q, kCentre, kHalf, kCorner); };

    const TextLayer title(W, H, "GAME OVER", W / 2, 170, 17, 7);
    const TextLayer hint(W, H, "PRESS ESC TO QUIT", W / 2, 386, 5, 4);
    const Col kInk = rgb(14, 4, 4);
    const Col kGold = rgb(206, 160, 72);

    render(
        img,
        [&](V2 p) {
            float d = frame(p);
            if (d > 0) return Col{};

            // Frame: bevelled crimson band, then a thin gold line inside.
            float in = -d;
            if (in < 3) return kInk;
            if (in < 11) {
                float k = bulge([&](V2 q) { return std::max(frame(q), -11 - frame(q)); }, p, 4);
                return shade(rgb(168, 28, 26), k);
            }
            if (in < 13) return kInk;
            if (in < 15.5f) return kGold;
            if (in < 17) return kInk;

            // Panel: dark red glow fading to near black, faint scanlines and grain.
            float r = len(p - V2{W / 2.f, 250}) / 560.f;
            Col c = mix(rgb(104, 14, 16), rgb(20, 4, 6), smooth(0.f, 0.9f, r));
            if (static_cast<int>(p.y) % 4 == 0) c = shade(c, 0.86f);
            c = shade(c, 0.9f + 0.2f * fbm(p.x / 6.f, p.y / 6.f, 83, 2));

            // Title: drop shadow, outline, then the bevelled, graded letters.
            if (title.dist(p - V2{10, 12}) < 6) c = shade(c, 0.3f);
            float td = title.dist(p);
            if (td < 6) c = kInk;
            if (td == 0) {
                float t = title.heightFraction(p);
                Col fill = t < 0.5f ? mix(rgb(255, 236, 130), rgb(252, 150, 36), t * 2)
                                    : mix(rgb(252, 150, 36), rgb(196, 32, 18), (t - 0.5f) * 2);
                c = shade(fill, title.bevel(p, 4));
            }

            if (hint.dist(p - V2{3, 4}) < 3) c = shade(c, 0.35f);
            float hd = hint.dist(p);
            if (hd < 3) c = kInk;
            if (hd == 0) c = shade(rgb(236, 222, 208), hint.bevel(p, 1));

            // Divider between the two lines, fading out at both ends.
            float dy = std::fabs(p.y - 352);
            float fade = 1 - smooth(200, 330, std::fabs(p.x - W / 2.f));
            if (dy < 1.5f && fade > 0) c = mix(c, kGold, fade);
            return c;
        },
        2);
    return img;
}

// ----------------------------------------------------------------- crate --
// A sample model for the model viewer: a wooden crate, one texture on all six faces.

Img makeCrateTexture() {
    const int kSize = 256;
    Img img(kSize, kSize);
    const Col kWood = rgb(178, 122, 62);
    const Col kFrame = rgb(124, 78, 36);
    const Col kGap = rgb(58, 34, 16);
    const Col kNail = rgb(92, 92, 96);
    render(
        img,
        [&](V2 p) {
            // Five vertical planks with dark gaps, grain running along them.
            float plank = std::floor(p.x / (kSize / 5.f));
            float grain = fbm(p.x * 0.06f + plank * 7.f, p.y * 0.012f, 211, 4);
            Col c = shade(kWood, 0.78f + 0.4f * grain);
            if (std::fmod(p.x, kSize / 5.f) < 2.5f) c = kGap;
            // A frame around the face and a diagonal brace from corner to corner.
            float edge = std::min({p.x, p.y, kSize - p.x, kSize - p.y});
            float brace = std::fabs(p.x - p.y) / 1.4142f;
            if (edge < 30 || brace < 18) {
                float g = fbm(p.x * 0.02f, p.y * 0.02f + 40.f, 223, 3);
                c = shade(kFrame, 0.8f + 0.4f * g);
                if ((edge >= 28 && edge < 30) || (edge >= 30 && brace >= 16)) c = kGap;
            }
            // Nails at the frame's corners.
            for (float nx : {15.f, kSize - 15.f}) {
                for (float ny : {15.f, kSize - 15.f}) {
                    if (sdCircle(p, {nx, ny}, 4.5f) < 0)
                        c = shade(kNail, bulge([&](V2 q) { return sdCircle(q, {nx, ny}, 4.5f); }, p, 3));
                }
            }
            if (edge < 1.5f) c = kGap;
            return c;
        },
        2);
    return img;
}

// A unit cube centred on the origin; every face shows the whole texture upright.
bool writeCrateModel(const std::filesystem::path& folder) {
    std::FILE* mtl = std::fopen((folder / "crate.mtl").string().c_str(), "w");
    std::FILE* obj = std::fopen((folder / "crate.obj").string().c_str(), "w");
    if (mtl == nullptr || obj == nullptr) {
        if (mtl) std::fclose(mtl);
        if (obj) std::fclose(obj);
        std::fprintf(stderr, "cannot write the crate model in %s\n", folder.string().c_str());
        return false;
    }
    std::fprintf(mtl,
                 "# Wooden crate\nnewmtl crate\nKa 0.2 0.2 0.2\nKd 1.0 1.0 1.0\nKs 0.1 0.1 0.1\nNs 10\n"
                 "d 1.0\nmap_Kd crate.png\n");
    std::fprintf(obj, "# Wooden crate, a unit cube\nmtllib crate.mtl\no crate\n");
    for (int i = 0; i < 8; ++i) {
        std::fprintf(obj, "v %.1f %.1f %.1f\n", i & 1 ? 0.5 : -0.5, i & 2 ? 0.5 : -0.5, i & 4 ? 0.5 : -0.5);
    }
    std::fprintf(obj, "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nusemtl crate\n");
    // Corners of each face counter-clockwise seen from outside, starting bottom left.
    const int faces[6][4] = {{5, 6, 8, 7}, {2, 1, 3, 4}, {6, 2, 4, 8}, {1, 5, 7, 3}, {7, 8, 4, 3}, {1, 2, 6, 5}};
    for (const auto& f : faces) {
        std::fprintf(obj, "f %d/1 %d/2 %d/3 %d/4\n", f[0], f[1], f[2], f[3]);
    }
    std::fclose(mtl);
    std::fclose(obj);
    return true;
}

// ---------------------------------------------------------------- sounds --
// Mono, 16-bit, 44.1 kHz. Every sound is a sum of simple voices shaped by an
// envelope; the noise comes from the same hash as the images' noise.

const int kRate = 44100;
const float kTau = 6.2831853f;

struct Sound {
    std::vector<float> samples;
    explicit Sound(float seconds) : samples(static_cast<size_t>(seconds * kRate), 0.f) {}
    float seconds(size_t i) const { return static_cast<float>(i) / kRate; }
};

// Attack then exponential decay: the shape of a struck or plucked thing.
float strike(float t, float attack, float decay) { return t < attack ? t / attack : std::exp(-(t - attack) / decay); }

float noise(size_t i, uint32_t seed) { return hashf(static_cast<int>(i), 0, seed) * 2.f - 1.f; }

// A tone whose frequency follows `pitch(t)`, its phase accumulated so glides stay smooth,
// with `harmonics` partials falling off as 1/n.
template <class Pitch, class Envelope>
void addTone(Sound& sound, Pitch pitch, Envelope envelope, float gain, int harmonics = 1, float from = 0.f) {
    float phase = 0.f;
    for (size_t i = static_cast<size_t>(from * kRate); i < sound.samples.size(); ++i) {
        const float t = sound.seconds(i) - from;
        phase += kTau * pitch(t) / kRate;
        float v = 0.f;
        for (int n = 1; n <= harmonics; ++n) v += std::sin(phase * n) / n;
        sound.samples[i] += gain * envelope(t) * v;
    }
}

// Noise through a one-pole low-pass: `brightness` near 1 keeps the hiss, near 0 a rumble.
template <class Envelope>
void addNoise(Sound& sound, Envelope envelope, float gain, float brightness, uint32_t seed) {
    float low = 0.f;
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        low += brightness * (noise(i, seed) - low);
        sound.samples[i] += gain * envelope(sound.seconds(i)) * low;
    }
}

// A swipe of claws and its thud.
Sound makeBlowSound() {
    Sound s(0.16f);
    addNoise(
        s, [](float t) { return strike(t, 0.004f, 0.03f); }, 0.9f, 0.5f, 401);
    addTone(
        s, [](float t) { return 160.f - 300.f * t; }, [](float t) { return strike(t, 0.002f, 0.05f); }, 0.7f);
    return s;
}

// A zombie's last groan, sliding down, and the fall.
Sound makeFelledSound() {
    Sound s(0.6f);
    addTone(
        s, [](float t) { return 210.f * std::exp(-1.6f * t) + 6.f * std::sin(kTau * 7.f * t); },
        [](float t) { return strike(t, 0.03f, 0.22f); }, 0.35f, 6);
    addNoise(
        s, [](float t) { return t < 0.42f ? 0.f : strike(t - 0.42f, 0.005f, 0.05f); }, 1.2f, 0.12f, 409);
    return s;
}

// The cat's yowl: up, then down.
Sound makeHurtSound() {
    Sound s(0.32f);
    addTone(
        s, [](float t) { return 620.f + 900.f * t * (0.32f - t) * 12.f; },
        [](float t) { return strike(t, 0.02f, 0.12f); }, 0.4f, 4);
    addNoise(
        s, [](float t) { return strike(t, 0.002f, 0.02f); }, 0.3f, 0.8f, 419);
    return s;
}

// Three falling notes of a minor chord, the last held.
Sound makeGameOverSound() {
    Sound s(1.6f);
    const float notes[] = {392.f, 311.1f, 261.6f};
    for (int n = 0; n < 3; ++n) {
        const float hold = n == 2 ? 0.6f : 0.18f;
        addTone(
            s, [f = notes[n]](float t) { return f * (1.f + 0.004f * std::sin(kTau * 5.f * t)); },
            [hold](float t) { return strike(t, 0.01f, hold); }, 0.3f, 3, 0.28f * n);
    }
    return s;
}

// A quick rising arpeggio.
Sound makeNewGameSound() {
    Sound s(0.7f);
    const float notes[] = {261.6f, 329.6f, 392.f, 523.3f};
    for (int n = 0; n < 4; ++n) {
        addTone(
            s, [f = notes[n]](float) { return f; }, [](float t) { return strike(t, 0.005f, 0.12f); }, 0.28f, 2,
            0.09f * n);
    }
    return s;
}

void putLittleEndian(std::FILE* f, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), f);
}

// Peaks are scaled to 0.8 of full scale, so every sound is as loud as the others.
bool saveWav(const Sound& sound, const std::filesystem::path& path) {
    float peak = 0.f;
    for (float v : sound.samples) peak = std::max(peak, std::fabs(v));
    const float scale = peak > 0.f ? 0.8f / peak : 0.f;
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (f == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
        return false;
    }
    const auto dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
    std::fputs("RIFF", f);
    putLittleEndian(f, 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", f);
    putLittleEndian(f, 16, 4);         // format chunk size
    putLittleEndian(f, 1, 2);          // PCM
    putLittleEndian(f, 1, 2);          // mono
    putLittleEndian(f, kRate, 4);      // frames per second
    putLittleEndian(f, kRate * 2, 4);  // bytes per second
    putLittleEndian(f, 2, 2);          // bytes per frame
    putLittleEndian(f, 16, 2);         // bits per sample
    std::fputs("data", f);
    putLittleEndian(f, dataBytes, 4);
    for (float v : sound.samples) {
        const auto sample = static_cast<int16_t>(std::lround(std::max(-1.f, std::min(1.f, v * scale)) * 32767.f));
        putLittleEndian(f, static_cast<uint16_t>(sample), 2);
    }
    const bool ok = std::ferror(f) == 0;
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <resources-dir> [<examples-dir>]\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[1];
    std::error_code ec;
    fs::create_directories(root / "maps", ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", (root / "maps").string().c_str(), ec.message().c_str());
        return 1;
    }

    struct Job {
        const char* file;
        Img (*make)();
    };
    const Job jobs[] = {
        {"cat_01.png", makeCat},        {"zombie01.png", makeZombie},
        {"maps/map_01.png", makeFloor}, {"spacecat_circle.png", makePortrait},
        {"gameover.png", makeGameOver},
    };
    bool ok = true;
    for (const Job& job : jobs) {
        const fs::path out = root / job.file;
        if (savePng(job.make(), out)) {
            std::printf("wrote %s\n", out.string().c_str());
        } else {
            ok = false;
        }
    }
    fs::create_directories(root / "sounds", ec);
    struct SoundJob {
        const char* file;
        Sound (*make)();
    };
    const SoundJob sounds[] = {
        {"sounds/blow.wav", makeBlowSound},       {"sounds/felled.wav", makeFelledSound},
        {"sounds/hurt.wav", makeHurtSound},       {"sounds/gameover.wav", makeGameOverSound},
        {"sounds/newgame.wav", makeNewGameSound},
    };
    for (const SoundJob& job : sounds) {
        const fs::path out = root / job.file;
        if (!ec && saveWav(job.make(), out)) {
            std::printf("wrote %s\n", out.string().c_str());
        } else {
            ok = false;
        }
    }
    // The sample model lives outside the game's resources, in <examples-dir>/crate/.
    if (argc == 3) {
        const fs::path crate = fs::path(argv[2]) / "crate";
        fs::create_directories(crate, ec);
        ok = !ec && savePng(makeCrateTexture(), crate / "crate.png") && writeCrateModel(crate) && ok;
        if (ok) std::printf("wrote %s\n", crate.string().c_str());
    }
    return ok ? 0 : 1;
}
