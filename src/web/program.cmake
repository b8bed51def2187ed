# program.cmake -- the browser's program, included by src/CMakeLists.txt in a build
# configured with emcmake: the headless libraries as they are, the sound on emscripten's
# OpenAL (Web Audio) with stb_vorbis for its files, the pads on the Gamepad API, the
# drawing on WebGL, and the program for the page (web/ beside src/ packs the site).

# Debian's stb headers live in the host's include folder, which the browser's compiler must
# not search whole: they are reached through a folder that holds only them.
find_path(WIBZ_STB_DIR stb/stb_vorbis.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(WIBZ_STB_INCLUDE ${CMAKE_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${WIBZ_STB_INCLUDE})
file(CREATE_LINK ${WIBZ_STB_DIR}/stb ${WIBZ_STB_INCLUDE}/stb SYMBOLIC)

# The decoders are others' C code, compiled as their authors ship it, warnings and all.
add_library(wibz_stb STATIC sound/vorbis_decoder.c web/image_decoder.c)
target_include_directories(wibz_stb SYSTEM PUBLIC ${WIBZ_STB_INCLUDE})
target_compile_options(wibz_stb PRIVATE -w)

add_library(wibz_sound STATIC ${WIBZ_SOUND_SOURCES}
  sound/sound_file_vorbis.cpp
  sound/sound_device_browser.cpp
)
target_include_directories(wibz_sound PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(wibz_sound PUBLIC wibz_core PRIVATE wibz_stb)
target_link_options(wibz_sound INTERFACE -lopenal)

add_library(wibz_pad STATIC pad/browser_gamepad.cpp)
target_include_directories(wibz_pad PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(wibz_pad PUBLIC wibz_controls)

add_executable(wibz3d
  ${WIBZ_FRAME_SOURCES}
  web/main.cpp
  web/browser_frame_loop.cpp
  web/browser_keys.cpp
  web/canvas.cpp
  web/drawing.cpp
  web/game_session.cpp
  web/page.cpp
)
target_link_libraries(wibz3d PRIVATE wibz_replay wibz_diagnostics wibz_pad wibz_sound wibz_render wibz_stb)
# The page's address gives the arguments (web/index.html); the data is packed beside the
# program (web/CMakeLists.txt). No threads: a page served without cross-origin isolation
# has none, and every start in the background runs at once (platform/background_start.h).
target_link_options(wibz3d PRIVATE
  -sENVIRONMENT=web
  -sMIN_WEBGL_VERSION=1
  -sMAX_WEBGL_VERSION=1
  -sALLOW_MEMORY_GROWTH=1
  -sEXPORTED_RUNTIME_METHODS=[FS,UTF8ToString]
  -sFORCE_FILESYSTEM=1)
set_target_properties(wibz3d PROPERTIES SUFFIX .js)
