/* vorbis_decoder.c -- stb_vorbis's decoder, compiled once for the browser's sound files
   (sound_file_vorbis.cpp). */
#include <stb/stb_vorbis.h>
