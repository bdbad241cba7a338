// How the composing of a list script grows with the list: time per entry for
// 10 to 10,000 entries, natively. It must stay linear.
#include "jobs/ExternalPrograms.h"
#include "lists/ListScript.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace korimba;

namespace {

lists::ListScript listOf(std::size_t entries) {
    lists::ListScript values;
    values.programFolder = "C:\\Program Files\\Audio Coder\\";
    values.shortProgramFolder = "C:\\PROGRA~1\\AUDIOC~1\\";
    values.encoderPath = values.shortEncoder = values.shortTool = "C:\\L3ENC\\L3ENC.EXE";
    values.switches = jobs::encoderSwitches(8, {true, false});
    values.outputFolder = "E:\\MP3 & more 100%\\";
    values.showsCount = values.deletesInputs = values.startsMessage = true;
    for (std::size_t i = 0; i < entries; ++i)
        values.entries.push_back({"D:\\Music\\Track number " + std::to_string(i) + ".wav",
                                  "D:\\MUSIC\\TRACKN~" + std::to_string(i) + ".WAV"});
    return values;
}

} // namespace

int main() {
    std::printf("%-10s %12s %14s %10s\n", "entries", "total ms", "us per entry", "lines");
    for (std::size_t entries : {10u, 100u, 1000u, 10000u}) {
        const lists::ListScript values = listOf(entries);
        std::size_t lines = 0;
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            lines = lists::listJobScript(values).size();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            best = took.count() < best ? took.count() : best;
        }
        std::printf("%-10zu %12.3f %14.3f %10zu\n", entries, best, best * 1000.0 / entries, lines);
    }
    return 0;
}
