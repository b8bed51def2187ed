/* image_decoder.c -- stb_image's decoder, compiled once for the browser's images (the desktop
   reads them with DevIL). PNG and JPEG are the formats the asset tool writes. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb/stb_image.h>
