// The jackpot screen's course: the picture on black, held for the fanfare
// or a second of silence, then the whole screen inverted, three times, and
// the screen as it was.  Portable: the Windows shell and the page run this.
#pragma once

constexpr int kJackpotFlashes = 3;
constexpr unsigned kJackpotSilentFlashMs = 1000;
constexpr char kJackpotPicture[] = "Jackpot";
constexpr char kJackpotFanfare[] = "BigJackpot";

// The picture's top-left corner, centred on a screen of w x h.
inline int JackpotPictureLeft(int w, int pictureWidth) { return w / 2 - pictureWidth / 2; }
inline int JackpotPictureTop(int h, int pictureHeight) { return h / 2 - pictureHeight / 2; }
