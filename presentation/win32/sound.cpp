// Wave effects from the program's own "WAVE" resources.  An asynchronous
// play from memory reads the wave while it sounds, so its resource stays
// loaded (HeldSound) until the next effect or the end cuts it off.
//
// Under Wine 8 (winepulse) a stream of unsigned 8-bit samples is padded
// after its last sample with zero bytes, which for that format is full
// negative scale: every effect would end in a loud click.  There the wave is
// handed over as a 16-bit copy, whose zero is silence; Windows plays the
// resource memory itself.
#include "presentation/win32/sound.h"

#include <mmsystem.h>

#include <cstring>

#include "presentation/win32/screen_surface.h"
#include "settings/settings.h"
#include "shell/win32/app_shell.h"

HGLOBAL HeldSound = nullptr;
int WaveCopies = -1;

namespace {

// The copy that the running asynchronous play reads, if any.  Any later
// call of sndPlaySoundA returns only once that play has ended.
HGLOBAL PlayingCopy = nullptr;

bool UseWaveCopies() {
    if (WaveCopies < 0) WaveCopies = RunsUnderWine() ? 1 : 0;
    return WaveCopies != 0;
}

DWORD ReadU32(const BYTE* at) {
    DWORD value;
    std::memcpy(&value, at, 4);
    return value;
}

WORD ReadU16(const BYTE* at) {
    WORD value;
    std::memcpy(&value, at, 2);
    return value;
}

void PutU32(BYTE* at, DWORD value) { std::memcpy(at, &value, 4); }
void PutU16(BYTE* at, WORD value) { std::memcpy(at, &value, 2); }

// A 16-bit copy (GMEM_FIXED, so the handle is the pointer) of an 8-bit PCM
// wave of `size` bytes; null for anything else, which is then played as it is.
HGLOBAL WideCopyOf(const BYTE* wave, DWORD size) {
    if (size < 12 || std::memcmp(wave, "RIFF", 4) != 0 || std::memcmp(wave + 8, "WAVE", 4) != 0)
        return nullptr;
    const BYTE* format = nullptr;
    const BYTE* samples = nullptr;
    DWORD count = 0;
    for (DWORD at = 12; at + 8 <= size;) {
        const DWORD chunk = ReadU32(wave + at + 4);
        if (chunk > size - at - 8) break;
        if (std::memcmp(wave + at, "fmt ", 4) == 0 && chunk >= 16) format = wave + at + 8;
        if (std::memcmp(wave + at, "data", 4) == 0) {
            samples = wave + at + 8;
            count = chunk;
        }
        at += 8 + chunk + (chunk & 1);
    }
    if (!format || !samples || ReadU16(format) != WAVE_FORMAT_PCM || ReadU16(format + 14) != 8)
        return nullptr;
    const WORD channels = ReadU16(format + 2);
    const DWORD rate = ReadU32(format + 4);
    const DWORD bytes = 2 * count;
    HGLOBAL copy = GlobalAlloc(GMEM_FIXED, 44 + bytes);
    if (!copy) return nullptr;
    BYTE* out = static_cast<BYTE*>(copy);
    std::memcpy(out, "RIFF", 4);
    PutU32(out + 4, 36 + bytes);
    std::memcpy(out + 8, "WAVEfmt ", 8);
    PutU32(out + 16, 16);
    PutU16(out + 20, WAVE_FORMAT_PCM);
    PutU16(out + 22, channels);
    PutU32(out + 24, rate);
    PutU32(out + 28, rate * channels * 2);
    PutU16(out + 32, static_cast<WORD>(channels * 2));
    PutU16(out + 34, 16);
    std::memcpy(out + 36, "data", 4);
    PutU32(out + 40, bytes);
    for (DWORD i = 0; i < count; ++i) {
        const short sample = static_cast<short>((samples[i] - 128) * 256);
        std::memcpy(out + 44 + 2 * i, &sample, 2);
    }
    return copy;
}

// What to hand to sndPlaySoundA for a locked wave resource; `copy` is the
// block to free once that play is over (null when none was made).
LPCSTR WaveToPlay(HINSTANCE module, HRSRC found, void* wave, HGLOBAL* copy) {
    *copy = UseWaveCopies()
                ? WideCopyOf(static_cast<const BYTE*>(wave), SizeofResource(module, found))
                : nullptr;
    return static_cast<LPCSTR>(*copy ? *copy : wave);
}

// After a call of sndPlaySoundA has returned, the asynchronous play before
// it is over: its copy can go, and `copy` is now the one being read.
void ReplacePlayingCopy(HGLOBAL copy) {
    if (PlayingCopy) GlobalFree(PlayingCopy);
    PlayingCopy = copy;
}

}  // namespace

HGLOBAL PlayWaveAsync(HINSTANCE module, const char* name) {
    HRSRC found = FindResourceA(module, name, "WAVE");
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return nullptr;
    void* wave = LockResource(loaded);
    if (wave) {
        HGLOBAL copy;
        sndPlaySoundA(WaveToPlay(module, found, wave, &copy),
                      SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
        ReplacePlayingCopy(copy);
    }
    return loaded;
}

void PlayWaveSync(HINSTANCE module, const char* name) {
    HRSRC found = FindResourceA(module, name, "WAVE");
    if (!found) return;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return;
    void* wave = LockResource(loaded);
    if (wave) {
        HGLOBAL copy;
        sndPlaySoundA(WaveToPlay(module, found, wave, &copy),
                      SND_SYNC | SND_NODEFAULT | SND_MEMORY);
        ReplacePlayingCopy(nullptr);
        if (copy) GlobalFree(copy);
    }
    FreeResource(loaded);
}

void StopWave(HGLOBAL handle) {
    sndPlaySoundA(nullptr, SND_NODEFAULT | SND_MEMORY);
    ReplacePlayingCopy(nullptr);
    FreeResource(handle);
}

void PlaySoundEffect(const char* name) {
    if (gSettings.Sound == 0) return;
    if (HeldSound) {
        StopWave(HeldSound);
        HeldSound = nullptr;
    }
    HeldSound = PlayWaveAsync(gShell.instance, name);
}
