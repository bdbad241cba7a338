"""Sample audio for the end-to-end tests, and what a test needs to know of the
coders' results: a WAV's length and an MP3's bit rate and length."""

import math
import struct

MPEG1_LAYER3_KBPS = (0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320)
MPEG1_RATES = (44100, 48000, 32000)


def wav_bytes(seconds, rate=44100, channels=2, period=100):
    """A 16-bit PCM RIFF WAVE file holding a sine tone of `period` frames."""
    frames = int(seconds * rate)
    cycle = b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * n / period))) * channels
                     for n in range(period))
    block = 2 * channels
    samples = (cycle * (frames // period + 1))[:frames * block]
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(samples), b"WAVE", b"fmt ", 16,
                         1, channels, rate, rate * block, block, 16, b"data", len(samples))
    return header + bytes(samples)


def _wav_format(data):
    """(channels, rate, bytes per frame, data bytes) of a PCM WAV file, from its fmt and
    data chunks in any order."""
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("not a RIFF WAVE file")
    position, fmt, length = 12, None, None
    while position + 8 <= len(data):
        chunk, size = struct.unpack("<4sI", data[position:position + 8])
        if chunk == b"fmt ":
            channels, rate, _, block = struct.unpack("<HIIH", data[position + 10:position + 22])
            fmt = channels, rate, block
        elif chunk == b"data":
            length = min(size, len(data) - position - 8)
        position += 8 + size + (size & 1)
    if not fmt or length is None:
        raise ValueError("no fmt or data chunk")
    return fmt + (length,)


def wav_seconds(data):
    """The length of a PCM WAV file in seconds."""
    _, rate, block, length = _wav_format(data)
    return length / (rate * block)


def wav_frames(data):
    """The number of sample frames of a PCM WAV file, which must hold whole frames."""
    _, _, block, length = _wav_format(data)
    if length % block:
        raise ValueError("%d data bytes are no whole number of %d-byte frames" % (length, block))
    return length // block


def _skip_id3(data):
    if data[:3] == b"ID3":
        size = data[6] << 21 | data[7] << 14 | data[8] << 7 | data[9]
        return 10 + size
    return 0


def mp3_frames(data):
    """(kbit/s, sample rate) of every MPEG-1 Layer III frame, walked header by header."""
    position = _skip_id3(data)
    frames = []
    while position + 4 <= len(data):
        header = struct.unpack(">I", data[position:position + 4])[0]
        if header >> 21 != 0x7FF or (header >> 19) & 3 != 3 or (header >> 17) & 3 != 1:
            break
        if (header >> 12) & 15 in (0, 15) or (header >> 10) & 3 == 3:
            break
        kbps = MPEG1_LAYER3_KBPS[(header >> 12) & 15]
        rate = MPEG1_RATES[(header >> 10) & 3]
        padding = (header >> 9) & 1
        frames.append((kbps, rate))
        position += 144000 * kbps // rate + padding
    return frames


def mp3_samples(data):
    """The exact number of samples per channel an MP3 file holds, as its LAME Info tag
    states it: every frame's 1152 samples but the info frame, less the encoder
    delay and the padding at the end."""
    frames = mp3_frames(data)
    start = _skip_id3(data)
    tag = max(data.find(b"Info", start, start + 200), data.find(b"Xing", start, start + 200))
    if tag < 0:
        raise ValueError("no Info tag in the first frame")
    flags = struct.unpack(">I", data[tag + 4:tag + 8])[0]
    lame = tag + 8 + 4 * bool(flags & 1) + 4 * bool(flags & 2) + 100 * bool(flags & 4) \
        + 4 * bool(flags & 8)
    if data[lame:lame + 4] != b"LAME":
        raise ValueError("no LAME extension after the Info tag")
    packed = int.from_bytes(data[lame + 21:lame + 24], "big")
    delay, padding = packed >> 12, packed & 0xFFF
    return (len(frames) - 1) * 1152 - delay - padding


def mp3_seconds(data):
    """The playing time of an MP3 file: 1152 samples a frame, the info frame left out."""
    frames = mp3_frames(data)
    if not frames:
        raise ValueError("no MPEG-1 Layer III frames")
    return (len(frames) - 1) * 1152 / frames[0][1]


if __name__ == "__main__":
    # python3 audio_files.py OUT.wav SECONDS: a sample for the run script.
    import sys

    with open(sys.argv[1], "wb") as out:
        out.write(wav_bytes(float(sys.argv[2])))
