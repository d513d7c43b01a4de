// Wave effects from the program's own "WAVE" resources.  An asynchronous
// play from memory reads the wave while it sounds, so its resource stays
// loaded (HeldSound) until the next effect or the end cuts it off.
#include "presentation/sound.h"

#include <mmsystem.h>

#include "settings/settings.h"
#include "shell/app_shell.h"

HGLOBAL HeldSound = nullptr;

HGLOBAL PlayWaveAsync(HINSTANCE module, const char* name) {
    HRSRC found = FindResourceA(module, name, "WAVE");
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return nullptr;
    void* wave = LockResource(loaded);
    if (wave) sndPlaySoundA(static_cast<LPCSTR>(wave), SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
    return loaded;
}

void PlayWaveSync(HINSTANCE module, const char* name) {
    HRSRC found = FindResourceA(module, name, "WAVE");
    if (!found) return;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return;
    void* wave = LockResource(loaded);
    if (wave) sndPlaySoundA(static_cast<LPCSTR>(wave), SND_SYNC | SND_NODEFAULT | SND_MEMORY);
    FreeResource(loaded);
}

void StopWave(HGLOBAL handle) {
    sndPlaySoundA(nullptr, SND_NODEFAULT | SND_MEMORY);
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
