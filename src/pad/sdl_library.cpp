// sdl_library.cpp -- libSDL2 opened by its soname, as the package that ships it installs it.
// It stays loaded for the life of the process.
#include "pad/sdl_library.h"

#include <dlfcn.h>

namespace {
struct LoadedLibrary {
    bool tried = false;
    bool complete = false;
    SdlLibrary functions;
};
LoadedLibrary sdlLibrary;

bool loadFunctions(void* library, SdlLibrary& sdl) {
    bool complete = true;
#define WIBZ_SDL_LOAD(name)                                                                        \
    sdl.name = reinterpret_cast<sdl::name>(dlsym(library, #name));                                 \
    complete = complete && sdl.name != nullptr;
    WIBZ_SDL_FUNCTIONS(WIBZ_SDL_LOAD)
#undef WIBZ_SDL_LOAD
    return complete;
}
} // namespace

const SdlLibrary* loadSdlLibrary() {
    if (!sdlLibrary.tried) {
        sdlLibrary.tried = true;
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        sdlLibrary.complete = library != nullptr && loadFunctions(library, sdlLibrary.functions);
    }
    return sdlLibrary.complete ? &sdlLibrary.functions : nullptr;
}
