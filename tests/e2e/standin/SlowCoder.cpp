// A stand-in coder for the end-to-end tests that need a job to last: it takes
// the coders' command line, waits a few seconds and copies IN to OUT.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("slowcoder: IN OUT [switches...]\n", stderr);
        return 2;
    }
    Sleep(10000);
    return CopyFileA(argv[1], argv[2], FALSE) ? 0 : 1;
}
