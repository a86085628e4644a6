// Writing graphics as 24-bit BMP files (SaveBuffer, SaveImage).
//
// The file is a 14-byte file header, a 40-byte information header with a
// positive height (rows bottom-up), 24 bits per pixel and no compression,
// then the rows from last to first, each padded to a multiple of 4 bytes
// with zeros.
#pragma once

#include <cstdint>

class KrGraphics;

// Writes rows held in format 3 (blue, green, red bytes), top-down, pitch
// bytes apart. False when the file cannot be opened or written.
bool writeBmp24(const char* path, int width, int height, const uint8_t* rows, int pitch);

// Copies the graphics into a 24-bit pixmap and writes it with writeBmp24.
bool saveGraphicsBmp(KrGraphics* graphics, const char* path);
