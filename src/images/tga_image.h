// TGA decoding: the bytes of a file turned into an RGB(A) image, or the number of the
// message that refuses it. No OpenGL here, so the decoder runs (and is fuzzed) anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Why a file is refused; the numbers are those of the "TGA File Error" messages.
enum TgaMessage : int {
  TgaOk = 0,
  TgaNotTrueColour = 1,  // image type neither 2 (raw) nor 10 (run-length)
  TgaColourMapped = 2,   // a true-colour type that still declares a colour map
  TgaBadDepth = 3,       // pixel depth neither 24 nor 32
  TgaCannotRead = 4,     // pixel data missing, cut short or run-length stream ending early
  TgaNoPixels = 5,       // width or height 0
  TgaNoMemory = 6,       // the decoded image cannot be held in memory
};

inline constexpr size_t TgaHeaderSize = 18;

// Image descriptor bits that give the order of the stored pixels.
inline constexpr uint8_t TgaRightToLeft = 0x10;
inline constexpr uint8_t TgaTopToBottom = 0x20;

// The fixed 18-byte header; the colour-map and origin position fields are never used.
struct TgaHeader {
  uint8_t IdLength = 0;
  uint8_t ColourMapType = 0;
  uint8_t ImageType = 0;
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t Depth = 0;
  uint8_t Descriptor = 0;
};

// What the caller can afford: the largest image block.
struct TgaLimits {
  uint64_t MaxBytes = PTRDIFF_MAX;
};

// A decoded image: red, green, blue (, alpha) bytes, no row padding, the bottom row
// first (texture coordinate t = 0) and each row from left to right.
struct TgaImage {
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t BytesPerPixel = 0;
  std::vector<uint8_t> Pixels;
};

// Reads the header from the first TgaHeaderSize bytes.
TgaHeader ParseTgaHeader(const uint8_t* bytes);

// Checks a header against the size of the whole file before anything is allocated:
// the type, colour map and depth first (messages 1 to 3, in that order), then the
// size, then whether the file can hold the pixels it declares.
int CheckTgaHeader(const TgaHeader& header, uint64_t fileSize, const TgaLimits& limits);

// How many bytes from the start of the file the decoder needs: up to the last pixel
// byte of a raw image, the whole file for a run-length one. Only for accepted headers.
uint64_t TgaBytesNeeded(const TgaHeader& header, uint64_t fileSize);

// Decodes a whole file (or its first TgaBytesNeeded bytes). On refusal the image is
// left empty and the message number is returned.
int DecodeTga(const uint8_t* data, size_t size, const TgaLimits& limits, TgaImage& image);

// Copies one pixel from the file's blue-green-red(-alpha) order into red-green-blue
// (-alpha): first and third bytes exchanged. Source and destination may be the same.
void CopyPixelSwapped(const uint8_t* source, uint8_t* dest, int bytesPerPixel);

// The text shown to the player for a message number, naming the file as given.
std::string TgaMessageText(int message, const std::string& fileName);
