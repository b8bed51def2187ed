// message_box.cpp -- one line on standard error per box.
#include "platform/message_box.h"

#include <cstdio>

void showMessageBox(const char* title, const char* text) {
    std::fprintf(stderr, "%s: %s\n", title != nullptr ? title : "", text != nullptr ? text : "");
    std::fflush(stderr);
}
