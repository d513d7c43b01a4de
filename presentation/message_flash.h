// The message line's flash after a win: six inversions 600 ms apart on the
// table timer, then the line plain again.  Portable: the Windows shell and
// the page run the same count on their own line and timer.
#pragma once

constexpr int kFlashInversions = 6;
constexpr unsigned kFlashIntervalMs = 600;

// Inversions still to do; 0 while the line is plain.
extern int FlashCount;

class MessageLineSurface {
public:
    virtual void DrawMessageLine() = 0;     // plain, with the current text
    virtual void InvertMessageLine() = 0;
    virtual void StartTableTimer(unsigned intervalMs) = 0;
    virtual void KillTableTimer() = 0;

protected:
    ~MessageLineSurface() = default;
};

void StartMessageFlashOn(MessageLineSurface& line);
void StopMessageFlashOn(MessageLineSurface& line);
void FlashMessageLineOn(MessageLineSurface& line);     // one tick
