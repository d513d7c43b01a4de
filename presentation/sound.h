// Wave effects played from the program's own resources.
#pragma once
#include <windows.h>

extern HGLOBAL HeldSound;

void PlaySoundEffect(const char* name);
HGLOBAL PlayWaveAsync(HINSTANCE module, const char* name);
void PlayWaveSync(HINSTANCE module, const char* name);
void StopWave(HGLOBAL handle);
