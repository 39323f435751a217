#pragma once

#include <cstddef>
#include <iterator>

// A picture of the game as the build bakes it into the program (tools/bake):
// rows of 32-bit pixels in QImage's memory order, without padding.
struct TBakedPicture {
    const char* name;
    int width;
    int height;
    int format;  // QImage::Format_RGB32, or Format_ARGB32 where it has see-through pixels
    const char* pixels;
};

extern const TBakedPicture kBakedPictures[];
extern const std::size_t kBakedPictureCount;
