// Writes the benchmark's test signals as 16-bit stereo WAV at 44100 Hz:
//   make_signal tones|music SECONDS OUT.wav
// "tones": two steady sines under white noise, the easy case.
// "music": something closer to a record, so the coders work as they would on
// one: chords of notes with harmonics that change every half second and fade,
// a bass line, a noise burst on every beat, a faint noise floor, and a stereo
// picture that moves. The same arguments always give the same file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int rate = 44100;
const double pi = 3.14159265358979323846;

struct Random {
    std::uint32_t state = 1;
    // Uniform in -1..1.
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }
};

std::int16_t clip(double value) {
    const long rounded = std::lround(value);
    return static_cast<std::int16_t>(rounded > 32767 ? 32767 : rounded < -32768 ? -32768 : rounded);
}

void put16(std::FILE* out, unsigned value) {
    const unsigned char bytes[2] = {static_cast<unsigned char>(value),
                                    static_cast<unsigned char>(value >> 8)};
    std::fwrite(bytes, 1, 2, out);
}

void put32(std::FILE* out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// A sine by table (the phase in cycles): ten minutes of 24 voices stay quick.
struct SineTable {
    static const int size = 1 << 16;
    std::vector<float> values;
    SineTable() : values(size + 1) {
        for (int i = 0; i <= size; ++i)
            values[i] = static_cast<float>(std::sin(2 * pi * i / size));
    }
    double operator()(double cycles) const {
        const double at = cycles * size;
        const int whole = static_cast<int>(at);
        const double part = at - whole;
        return values[whole] + part * (values[whole + 1] - values[whole]);
    }
};

double noteHz(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// One half-second step of the chord sequence: three notes and a bass note.
struct Chord {
    int notes[3];
    int bass;
};

const Chord progression[] = {
    {{0, 4, 7}, -24}, {{-3, 0, 4}, -27}, {{-7, -3, 0}, -31}, {{-5, -1, 2}, -29},
    {{2, 5, 9}, -22}, {{0, 4, 9}, -24},  {{-2, 2, 5}, -26},  {{-5, -1, 4}, -29},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "tones") != 0 && std::strcmp(argv[1], "music") != 0)) {
        std::fprintf(stderr, "usage: make_signal tones|music SECONDS OUT.wav\n");
        return 2;
    }
    const bool music = std::strcmp(argv[1], "music") == 0;
    const long frames = std::lround(std::atof(argv[2]) * rate);
    std::FILE* out = std::fopen(argv[3], "wb");
    if (!out || frames <= 0) {
        std::fprintf(stderr, "make_signal: cannot write %s\n", argv[3]);
        return 1;
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames) * 4;
    std::fwrite("RIFF", 1, 4, out);
    put32(out, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, out);
    put32(out, 16);
    put16(out, 1);
    put16(out, 2);
    put32(out, rate);
    put32(out, rate * 4);
    put16(out, 4);
    put16(out, 16);
    std::fwrite("data", 1, 4, out);
    put32(out, dataBytes);

    Random random;
    std::vector<std::int16_t> block;
    block.reserve(2 * rate);
    // Phases kept running, so that a note's change makes no click.
    const SineTable sine;
    double phase[4][6] = {};
    double increment[4][6] = {};
    double lowNoise = 0;
    const long step = rate / 2;
    for (long i = 0; i < frames; ++i) {
        double left;
        double right;
        if (!music) {
            const double t = static_cast<double>(i) / rate;
            left = 9000 * std::sin(2 * pi * 440 * t) + 3000 * random.next();
            right = 9000 * std::sin(2 * pi * 587 * t) + 3000 * random.next();
        } else {
            const Chord& chord =
                progression[(i / step) % (sizeof progression / sizeof *progression)];
            if (i % step == 0)
                for (int n = 0; n < 4; ++n)
                    for (int h = 0; h < 6; ++h)
                        increment[n][h] =
                            noteHz(n < 3 ? chord.notes[n] : chord.bass) * (h + 1) / rate;
            const double sinceStep = static_cast<double>(i % step) / rate;
            const double fade = std::exp(-3.0 * sinceStep) * std::min(1.0, sinceStep * 200);
            left = right = 0;
            for (int n = 0; n < 4; ++n) {
                double voice = 0;
                for (int h = 0; h < 6; ++h) {
                    phase[n][h] += increment[n][h];
                    if (phase[n][h] >= 1)
                        phase[n][h] -= 1;
                    voice += sine(phase[n][h]) / (h + 1.5);
                }
                const double level = n < 3 ? 2600 * fade : 4200 * (0.4 + 0.6 * fade);
                // Each voice has its place between the speakers, slowly moving.
                const double pan =
                    0.5 + 0.4 * std::sin(2 * pi * (0.05 * n + 0.03) *
                                             static_cast<double>(i / 64 * 64) / rate +
                                         n);
                left += level * voice * (1 - pan);
                right += level * voice * pan;
            }
            // A beat: a short burst of noise, darker on the off-beats.
            const long beat = rate / 4;
            const double sinceBeat = static_cast<double>(i % beat) / rate;
            const double hit = std::exp(-35.0 * sinceBeat) * ((i / beat) % 2 ? 3500 : 7000);
            const double white = random.next();
            lowNoise = 0.85 * lowNoise + 0.15 * white;
            const double burst = (i / beat) % 2 ? lowNoise * 2.5 : white;
            left = 1.6 * (left + hit * burst + 60 * random.next());
            right = 1.6 * (right + hit * burst * 0.8 + 60 * random.next());
        }
        block.push_back(clip(left));
        block.push_back(clip(right));
        if (block.size() == block.capacity()) {
            std::fwrite(block.data(), 2, block.size(), out);
            block.clear();
        }
    }
    std::fwrite(block.data(), 2, block.size(), out);
    if (std::fclose(out) != 0) {
        std::fprintf(stderr, "make_signal: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
