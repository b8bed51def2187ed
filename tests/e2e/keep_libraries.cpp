// keep_libraries.cpp -- preloaded into the game for the leak check at exit: dlclose keeps
// every library loaded, so that LeakSanitizer can still name the library behind each block
// a driver or plugin allocated (Mesa's driver, ALSA's plugins, SDL), and its suppressions
// can match it. Once unloaded, such frames show only as an unknown module.
extern "C" int dlclose(void* /*handle*/) {
    return 0;
}
