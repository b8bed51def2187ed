// test_support.cpp -- stdout capture through a temporary file.
#include "test_support.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {
int savedStdout = -1;
std::string capturePath;
} // namespace

double scriptedMilliseconds = 0.0;
double scriptedClock() {
    return scriptedMilliseconds;
}

void beginStdoutCapture() {
    std::fflush(stdout);
    char path[] = "/tmp/wibz_capture_XXXXXX";
    const int fd = mkstemp(path);
    capturePath = path;
    savedStdout = dup(fileno(stdout));
    dup2(fd, fileno(stdout));
    close(fd);
}

std::string endStdoutCapture() {
    std::fflush(stdout);
    dup2(savedStdout, fileno(stdout));
    close(savedStdout);
    std::ifstream in(capturePath);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(capturePath.c_str());
    return text.str();
}
