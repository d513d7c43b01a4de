// Wave effects played from the program's own resources.
#pragma once
#include <windows.h>

extern HGLOBAL HeldSound;
// How waves reach sndPlaySoundA: -1 not yet decided (the first play decides:
// 1 under Wine, else 0), 0 the resource memory itself, 1 a 16-bit copy.
extern int WaveCopies;

void PlaySoundEffect(const char* name);
HGLOBAL PlayWaveAsync(HINSTANCE module, const char* name);
void PlayWaveSync(HINSTANCE module, const char* name);
void StopWave(HGLOBAL handle);
