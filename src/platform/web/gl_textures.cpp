// Textures the way WebGL takes them: the internal format is the format of the pixels
// handed over, GL_CLAMP is the clamp to the edge, and mipmaps are made here rather than
// by GLU. The names the game holds are the layer's own; each texture keeps a copy of its
// pixels and parameters, from which a lost context gets it back.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

struct Level {
  GLint Number = 0;
  GLsizei Width = 0, Height = 0;
  GLenum Format = GL_RGBA;
  std::vector<uint8_t> Pixels;  // tightly packed rows; none for a texture made without pixels
};

struct Texture {
  GLuint Real = 0;
  std::vector<Level> Levels;
  std::vector<std::pair<GLenum, GLint>> Parameters;
  bool Copied = false;      // drawn into from the frame buffer: it keeps its own texture
  bool InAtlas = false;     // has a slot in the atlas
  bool AtlasStale = false;  // the slot does not hold the picture yet
  AtlasSlot Slot;
};

std::unordered_map<GLuint, Texture> g_textures;
GLuint g_nextName = 1;
GLint g_maxSide = 0;

GLuint MakeReal() {
  GLuint real = 0;
  if (!Lost()) ::glGenTextures(1, &real);
  return real;
}

Texture Fresh() {
  Texture t;
  t.Real = MakeReal();
  return t;
}

// The texture bound, made when the name was never generated, as OpenGL does; null for 0.
Texture* Bound() {
  const GLuint name = Server().Texture;
  if (name == 0) return nullptr;
  auto found = g_textures.find(name);
  if (found == g_textures.end()) found = g_textures.emplace(name, Fresh()).first;
  return &found->second;
}

void BindReal(const Texture& t) { ::glBindTexture(GL_TEXTURE_2D, t.Real); }

void Upload(const Level& l) {
  ::glTexImage2D(GL_TEXTURE_2D, l.Number, static_cast<GLint>(l.Format), l.Width, l.Height, 0, l.Format,
                 GL_UNSIGNED_BYTE, l.Pixels.empty() ? nullptr : l.Pixels.data());
}

// Keeps a level and hands it to the real GL.
void Store(Texture& t, Level level) {
  Level* kept = nullptr;
  for (Level& l : t.Levels) {
    if (l.Number == level.Number) kept = &l;
  }
  if (kept != nullptr && kept->Number == 0 && (kept->Width != level.Width || kept->Height != level.Height)) {
    t.InAtlas = false;  // its slot no longer fits
  }
  t.AtlasStale = true;
  if (kept != nullptr) {
    *kept = std::move(level);
  } else {
    t.Levels.push_back(std::move(level));
    kept = &t.Levels.back();
  }
  if (Lost()) return;
  BindReal(t);
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  Upload(*kept);
}

GLint Parameter(const Texture& t, GLenum pname, GLint otherwise) {
  for (const auto& p : t.Parameters) {
    if (p.first == pname) return p.second;
  }
  return otherwise;
}

// Smooth, unmipmapped textures that wrap by repeating or clamping go into the atlas.
bool FitsAtlas(const Texture& t) {
  if (t.Copied || t.Levels.empty() || t.Levels[0].Number != 0 || t.Levels[0].Pixels.empty()) return false;
  if (Parameter(t, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_LINEAR) != GL_LINEAR) return false;
  if (Parameter(t, GL_TEXTURE_MAG_FILTER, GL_LINEAR) != GL_LINEAR) return false;
  for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
    const GLint mode = Parameter(t, wrap, GL_REPEAT);
    if (mode != GL_REPEAT && mode != GL_CLAMP_TO_EDGE) return false;
  }
  return true;
}

// A level's pixels as RGBA, as a sampler reads them.
std::vector<uint8_t> Rgba(const Level& l) {
  const size_t n = static_cast<size_t>(l.Width) * l.Height;
  std::vector<uint8_t> out(n * 4);
  const int channels = l.Format == GL_RGBA ? 4 : l.Format == GL_RGB ? 3 : l.Format == GL_LUMINANCE_ALPHA ? 2 : 1;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = &l.Pixels[i * channels];
    uint8_t* q = &out[i * 4];
    switch (l.Format) {
      case GL_RGBA: q[0] = p[0], q[1] = p[1], q[2] = p[2], q[3] = p[3]; break;
      case GL_RGB: q[0] = p[0], q[1] = p[1], q[2] = p[2], q[3] = 255; break;
      case GL_LUMINANCE_ALPHA: q[0] = q[1] = q[2] = p[0], q[3] = p[1]; break;
      case GL_ALPHA: q[0] = q[1] = q[2] = 0, q[3] = p[0]; break;
      default: q[0] = q[1] = q[2] = p[0], q[3] = 255; break;
    }
  }
  return out;
}

int AlignmentOf(GLint alignment) { return alignment == 1 || alignment == 2 || alignment == 8 ? alignment : 4; }

int Channels(GLenum format) {
  switch (format) {
    case GL_RGBA: return 4;
    case GL_RGB: return 3;
    case GL_LUMINANCE_ALPHA: return 2;
    case GL_LUMINANCE:
    case GL_ALPHA: return 1;
    default: return 0;
  }
}

// The format a texture of this internal format keeps; the pixels' own where it names none
// that WebGL knows.
GLenum BaseFormat(GLint internalFormat, GLenum format) {
  switch (internalFormat) {
    case 3:
    case GL_RGB:
    case GL_RGB8:
    case GL_RGB5: return GL_RGB;
    case 4:
    case GL_RGBA:
    case GL_RGBA8:
    case GL_RGBA4: return GL_RGBA;
    default: return Channels(format) > 0 ? format : GL_RGBA;
  }
}

// GLU's rule for a side that is no power of two: the nearest power, where a side half
// way between two powers goes up.
GLint NearestPower(GLint value) {
  if (value <= 0) return 1;
  GLint power = 1;
  while (value > 1) {
    if (value == 3) return power * 4;
    value >>= 1;
    power *= 2;
  }
  return power;
}

bool IsPowerOfTwo(GLint v) { return v > 0 && (v & (v - 1)) == 0; }

// Tightly packed rows of w x h pixels, box-filtered to nw x nh: each new pixel is the
// mean of the old pixels its area covers, weighted by how much of each it covers.
std::vector<uint8_t> Scale(const uint8_t* in, int w, int h, int channels, int nw, int nh) {
  std::vector<uint8_t> out(static_cast<size_t>(nw) * nh * channels);
  const double sx = static_cast<double>(w) / nw, sy = static_cast<double>(h) / nh;
  for (int y = 0; y < nh; ++y) {
    const double y0 = y * sy, y1 = y0 + sy;
    for (int x = 0; x < nw; ++x) {
      const double x0 = x * sx, x1 = x0 + sx;
      double sum[4] = {0, 0, 0, 0}, area = 0;
      for (int iy = static_cast<int>(y0); iy < h && iy < y1; ++iy) {
        const double wy = (iy + 1 < y1 ? iy + 1 : y1) - (iy > y0 ? iy : y0);
        for (int ix = static_cast<int>(x0); ix < w && ix < x1; ++ix) {
          const double wx = (ix + 1 < x1 ? ix + 1 : x1) - (ix > x0 ? ix : x0);
          const uint8_t* p = in + (static_cast<size_t>(iy) * w + ix) * channels;
          for (int c = 0; c < channels; ++c) sum[c] += p[c] * wx * wy;
          area += wx * wy;
        }
      }
      uint8_t* q = &out[(static_cast<size_t>(y) * nw + x) * channels];
      for (int c = 0; c < channels; ++c) q[c] = static_cast<uint8_t>(area > 0 ? sum[c] / area + 0.5 : 0);
    }
  }
  return out;
}

// The rows of the pixels handed over, without the padding of the unpack alignment.
std::vector<uint8_t> Packed(const uint8_t* data, int w, int h, int channels, int alignment) {
  alignment = AlignmentOf(alignment);
  const size_t row = static_cast<size_t>(w) * channels;
  const size_t stride = (row + alignment - 1) / alignment * alignment;
  std::vector<uint8_t> out(row * h);
  for (int y = 0; y < h; ++y) {
    for (size_t i = 0; i < row; ++i) out[y * row + i] = data[y * stride + i];
  }
  return out;
}

}  // namespace

void GenTextures(GLsizei n, GLuint* textures) {
  for (GLsizei i = 0; i < n; ++i) {
    const GLuint name = g_nextName++;
    g_textures[name] = Fresh();
    textures[i] = name;
  }
}

void DeleteTextures(GLsizei n, const GLuint* textures) {
  Flush();  // the gathered drawing may still sample them
  for (GLsizei i = 0; i < n; ++i) {
    const auto found = g_textures.find(textures[i]);
    if (found == g_textures.end()) continue;
    if (!Lost() && found->second.Real != 0) ::glDeleteTextures(1, &found->second.Real);
    g_textures.erase(found);
    if (Server().Texture == textures[i]) Server().Texture = 0;
  }
}

Sampled SampleOf(GLuint name) {
  const auto found = g_textures.find(name);
  if (found == g_textures.end()) return Sampled{};
  Texture& t = found->second;
  if (!FitsAtlas(t)) return Sampled{t.Real, {1, 1}, {0, 0}};
  const Level& picture = t.Levels[0];
  if (!t.InAtlas) {
    if (!PlaceInAtlas(picture.Width, picture.Height, t.Slot)) {
      t.Copied = true;  // no room: it keeps its own texture from now on
      return Sampled{t.Real, {1, 1}, {0, 0}};
    }
    t.InAtlas = true;
    t.AtlasStale = true;
  }
  if (t.AtlasStale) {
    FillAtlasSlot(t.Slot, Rgba(picture).data(), Parameter(t, GL_TEXTURE_WRAP_S, GL_REPEAT) == GL_REPEAT,
                  Parameter(t, GL_TEXTURE_WRAP_T, GL_REPEAT) == GL_REPEAT);
    t.AtlasStale = false;
  }
  const GLfloat side = AtlasSide();
  return Sampled{AtlasTexture(),
                 {static_cast<GLfloat>(picture.Width) / side, static_cast<GLfloat>(picture.Height) / side},
                 {static_cast<GLfloat>(t.Slot.X + 1) / side, static_cast<GLfloat>(t.Slot.Y + 1) / side}};
}

void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint,
                GLenum format, GLenum type, const GLvoid* pixels) {
  Texture* t = Bound();
  if (target != GL_TEXTURE_2D || t == nullptr || width <= 0 || height <= 0) return;
  Flush();
  // WebGL stores what it is handed. A texture that must be RGB (the copy of a frame
  // buffer without alpha may only go into one) is handed RGB.
  const GLenum stored = BaseFormat(internalFormat, format);
  Level l{level, width, height, stored, {}};
  const int in = Channels(format), out = Channels(stored);
  if (pixels != nullptr && type == GL_UNSIGNED_BYTE && in > 0) {
    const std::vector<uint8_t> packed =
        Packed(static_cast<const uint8_t*>(pixels), width, height, in, Client().UnpackAlignment);
    if (in == out) {
      l.Pixels = packed;
    } else {
      l.Pixels.resize(static_cast<size_t>(width) * height * out);
      for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        for (int c = 0; c < out; ++c) l.Pixels[i * out + c] = c < in ? packed[i * in + c] : 255;
      }
    }
  }
  Store(*t, std::move(l));
}

void TexParameteri(GLenum target, GLenum pname, GLint param) {
  Texture* t = Bound();
  if (target != GL_TEXTURE_2D || t == nullptr) return;
  if ((pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T) && param == GL_CLAMP) param = GL_CLAMP_TO_EDGE;
  Flush();
  bool replaced = false;
  for (auto& p : t->Parameters) {
    if (p.first == pname) {
      p.second = param;
      replaced = true;
    }
  }
  if (!replaced) t->Parameters.emplace_back(pname, param);
  t->AtlasStale = true;
  if (Lost()) return;
  BindReal(*t);
  ::glTexParameteri(GL_TEXTURE_2D, pname, param);
}

GLint Build2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,
                     const void* data) {
  const int channels = Channels(format);
  if (type != GL_UNSIGNED_BYTE || channels == 0 || width <= 0 || height <= 0 || data == nullptr) return GL_INVALID_ENUM;
  Texture* t = Bound();
  if (target != GL_TEXTURE_2D || t == nullptr) return GL_INVALID_ENUM;
  (void)components;  // the pixels' own format is the one WebGL stores
  Flush();
  GLint maxSide = 0;
  GetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  GLint w = IsPowerOfTwo(width) ? width : NearestPower(width);
  GLint h = IsPowerOfTwo(height) ? height : NearestPower(height);
  while (maxSide > 0 && (w > maxSide || h > maxSide)) {
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
  std::vector<uint8_t> level = Packed(static_cast<const uint8_t*>(data), width, height, channels,
                                      Client().UnpackAlignment);
  if (w != width || h != height) level = Scale(level.data(), width, height, channels, w, h);
  for (GLint n = 0;; ++n) {
    Store(*t, Level{n, w, h, format, level});
    if (w == 1 && h == 1) break;
    const GLint nw = w > 1 ? w / 2 : 1, nh = h > 1 ? h / 2 : 1;
    level = Scale(level.data(), w, h, channels, nw, nh);
    w = nw;
    h = nh;
  }
  return 0;
}

void CopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y, GLsizei width,
                       GLsizei height) {
  Texture* t = Bound();
  if (target != GL_TEXTURE_2D || t == nullptr) return;
  Flush();  // the copy takes what is drawn so far
  t->Copied = true;
  if (Lost()) return;
  BindReal(*t);
  ::glCopyTexSubImage2D(target, level, xoffset, yoffset, x, y, width, height);
}

void GetIntegerv(GLenum pname, GLint* params) {
  switch (pname) {
    case GL_UNPACK_ALIGNMENT: *params = Client().UnpackAlignment; return;
    case GL_VIEWPORT:
      for (int i = 0; i < 4; ++i) params[i] = Server().ViewportBox[i];
      return;
    case GL_MAX_TEXTURE_SIZE:
      if (g_maxSide == 0 && !Lost()) ::glGetIntegerv(GL_MAX_TEXTURE_SIZE, &g_maxSide);
      *params = g_maxSide > 0 ? g_maxSide : 2048;  // WebGL's least, while the context is away
      return;
    default:
      *params = 0;
      if (!Lost()) ::glGetIntegerv(pname, params);
  }
}

void RemakeTextures() {
  ResetAtlas();
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (auto& [name, t] : g_textures) {
    t.InAtlas = false;
    ::glGenTextures(1, &t.Real);
    BindReal(t);
    for (const auto& p : t.Parameters) ::glTexParameteri(GL_TEXTURE_2D, p.first, p.second);
    for (const Level& l : t.Levels) Upload(l);
  }
}

void ResetTextures() {
  ResetAtlas();
  g_textures.clear();
  g_nextName = 1;
  g_maxSide = 0;
}

void ReadBuffer(GLenum) {
  // WebGL reads only the buffer being drawn, which is the back buffer the game asks for.
}

}  // namespace GlCompat
