#include "CoderRun.h"

#include "../Arguments.h"
#include "../AudioError.h"
#include "jobs/CoderNote.h"
#include "Console.h"

#include <cstdio>
#include <exception>
#include <new>

namespace korimba::audio::win32 {

int runCoding(const char* program, const std::string& inputPath, const std::string& outputPath,
              const Coding& coding) {
    // Replaces a note of an earlier run, and stays if this run is ended before
    // it can say how it went (a crash, a killed process): no silent failure.
    writeNote(outputPath, notes::kUnfinished, inputPath);
    std::string failedFile = inputPath;
    std::string reason;
    try {
        FileInput input(inputPath);
        if (isSameFile(input, outputPath)) {
            // The output is the input here: it stays as it is.
            reportFailure(program, inputPath, "the output would overwrite the input");
            writeNote(outputPath, "the output would overwrite the input", inputPath);
            return 1;
        }
        OutputFile output(outputPath);
        const std::optional<std::string> warning = coding(input, output);
        output.commit();
        if (warning) {
            reportWarning(program, inputPath, *warning);
            writeNote(outputPath, notes::warning(*warning), inputPath);
        } else {
            removeNote(outputPath);
        }
        return 0;
    } catch (const OutputError& error) {
        failedFile = outputPath;
        reason = error.what();
    } catch (const AudioError& error) {
        reason = error.what();
    } catch (const std::bad_alloc&) {
        reason = "not enough memory";
    } catch (const std::exception& error) {
        // A fault of ours; still a failure like any other, not a crash that
        // leaves a temporary file and no word of what happened.
        reason = std::string("internal error: ") + error.what();
    }
    reportFailure(program, failedFile, reason);
    removeOutput(outputPath);
    writeNote(outputPath, reason, inputPath);
    return 1;
}

int coderMain(const char* program, const std::string& usage, int argc, char** argv,
              const std::function<int(const std::vector<std::string>&)>& run) {
    // Unbuffered, the runtime writes to a console one character at a time, a
    // system call each (thousands per file, slow under Wine); every message
    // is flushed whole instead (Console.cpp).
    std::setvbuf(stdout, nullptr, _IOFBF, 4096);
    std::setvbuf(stderr, nullptr, _IOFBF, 1024);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return run(arguments);
    } catch (const AudioError& error) {
        reportFailure(program, "", std::string(error.what()) + "; " + usage);
        if (const auto output = outputArgument(arguments))
            writeNote(*output, error.what(), arguments.front());
        return 2;
    }
}

} // namespace korimba::audio::win32
