#pragma once
// HvResD5.so — the picture library shared by all modules, so that every window shows the same
// toolbar pictures. Pictures are known by number (1 .. GetMaxBmpID(); not every number in that
// range is used). A picture is a strip of square images side by side: the first image is the
// normal look, a second one (when the strip has two) the disabled look.
//
// Pixels are 32-bit values 0xFFRRGGBB, row by row from the top, without padding between rows.
// The colour of the bottom-left pixel is the picture's transparent (background) colour.
//
// Memory contract: the pixels belong to the library. Each picture is built once, on its first
// request, and then stays unchanged and valid until the library is unloaded; the caller copies
// what it needs and never frees or writes the pointer. Both functions may be called from any
// thread.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct HvBmpImage {
    int32_t width; // the whole strip: height times the number of images
    int32_t height;
    const uint32_t* pixels; // width * height values
} HvBmpImage;

// The highest picture number the library holds.
__attribute__((visibility("default"))) int32_t GetMaxBmpID(void);

// Fills *image with picture `id` and answers 1; answers 0 (leaving *image alone) when the
// library has no picture of that number or `image` is null.
__attribute__((visibility("default"))) int32_t LoadBmp(HvBmpImage* image, int32_t id);

#ifdef __cplusplus
}
#endif
