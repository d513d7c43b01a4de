#include "presentation/message_flash.h"

int FlashCount = 0;

void StartMessageFlashOn(MessageLineSurface& line) {
    FlashCount = kFlashInversions;
    line.StartTableTimer(kFlashIntervalMs);
}

void StopMessageFlashOn(MessageLineSurface& line) {
    if (FlashCount == 0) return;
    line.KillTableTimer();
    FlashCount = 0;
}

// The last inversion is followed at once by the plain line.
void FlashMessageLineOn(MessageLineSurface& line) {
    if (FlashCount <= 0) return;
    line.InvertMessageLine();
    if (--FlashCount == 0) {
        line.KillTableTimer();
        line.DrawMessageLine();
    }
}
