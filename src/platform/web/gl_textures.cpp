// Textures the way WebGL takes them: the internal format is the format of the pixels
// handed over, GL_CLAMP is the clamp to the edge, and mipmaps are made here rather than
// by GLU.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

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
  const size_t row = static_cast<size_t>(w) * channels;
  const size_t stride = (row + alignment - 1) / alignment * alignment;
  std::vector<uint8_t> out(row * h);
  for (int y = 0; y < h; ++y) {
    for (size_t i = 0; i < row; ++i) out[y * row + i] = data[y * stride + i];
  }
  return out;
}

}  // namespace

void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const GLvoid* pixels) {
  // WebGL stores what it is handed. A texture that must be RGB (the copy of a frame
  // buffer without alpha may only go into one) is handed RGB.
  const GLenum stored = BaseFormat(internalFormat, format);
  if (stored == format || pixels == nullptr || type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0) {
    ::glTexImage2D(target, level, static_cast<GLint>(stored), width, height, border, stored, type, pixels);
    return;
  }
  const int in = Channels(format), out = Channels(stored);
  const std::vector<uint8_t> packed =
      Packed(static_cast<const uint8_t*>(pixels), width, height, in, Client().UnpackAlignment);
  std::vector<uint8_t> converted(static_cast<size_t>(width) * height * out);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    for (int c = 0; c < out; ++c) converted[i * out + c] = c < in ? packed[i * in + c] : 255;
  }
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  ::glTexImage2D(target, level, static_cast<GLint>(stored), width, height, border, stored, type, converted.data());
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, Client().UnpackAlignment);
}

void TexParameteri(GLenum target, GLenum pname, GLint param) {
  if ((pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T) && param == GL_CLAMP) param = GL_CLAMP_TO_EDGE;
  ::glTexParameteri(target, pname, param);
}

GLint Build2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,
                     const void* data) {
  const int channels = Channels(format);
  if (type != GL_UNSIGNED_BYTE || channels == 0 || width <= 0 || height <= 0 || data == nullptr) return GL_INVALID_ENUM;
  (void)components;  // the pixels' own format is the one WebGL stores
  GLint maxSide = 0;
  ::glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  GLint w = IsPowerOfTwo(width) ? width : NearestPower(width);
  GLint h = IsPowerOfTwo(height) ? height : NearestPower(height);
  while (maxSide > 0 && (w > maxSide || h > maxSide)) {
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
  std::vector<uint8_t> level = Packed(static_cast<const uint8_t*>(data), width, height, channels,
                                      Client().UnpackAlignment);
  if (w != width || h != height) level = Scale(level.data(), width, height, channels, w, h);

  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (GLint n = 0;; ++n) {
    ::glTexImage2D(target, n, static_cast<GLint>(format), w, h, 0, format, GL_UNSIGNED_BYTE, level.data());
    if (w == 1 && h == 1) break;
    const GLint nw = w > 1 ? w / 2 : 1, nh = h > 1 ? h / 2 : 1;
    level = Scale(level.data(), w, h, channels, nw, nh);
    w = nw;
    h = nh;
  }
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, Client().UnpackAlignment);
  return 0;
}

void ReadBuffer(GLenum) {
  // WebGL reads only the buffer being drawn, which is the back buffer the game asks for.
}

}  // namespace GlCompat
