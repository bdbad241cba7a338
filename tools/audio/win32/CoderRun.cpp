#include "CoderRun.h"

#include "../AudioError.h"
#include "Console.h"

#include <new>

namespace korimba::audio::win32 {

int runCoding(const char* program, const std::string& inputPath, const std::string& outputPath,
              const Coding& coding) {
    try {
        FileInput input(inputPath);
        if (isSameFile(input, outputPath)) {
            reportFailure(program, inputPath, "the output would overwrite the input");
            return 1;
        }
        OutputFile output(outputPath);
        coding(input, output);
        output.commit();
        return 0;
    } catch (const OutputError& error) {
        reportFailure(program, outputPath, error.what());
    } catch (const AudioError& error) {
        reportFailure(program, inputPath, error.what());
    } catch (const std::bad_alloc&) {
        reportFailure(program, inputPath, "not enough memory");
    }
    removeOutput(outputPath);
    return 1;
}

int coderMain(const char* program, const std::string& usage, int argc, char** argv,
              const std::function<int(const std::vector<std::string>&)>& run) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return run(arguments);
    } catch (const AudioError& error) {
        reportFailure(program, "", std::string(error.what()) + "; " + usage);
        return 2;
    }
}

} // namespace korimba::audio::win32
