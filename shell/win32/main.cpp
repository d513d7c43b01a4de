// The entry point: start-up, then the message loop until WM_QUIT.
#include <windows.h>

#include "shell/win32/app_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
    if (!previous && !DefineMainClass(instance)) return 0;
    if (!OpenMainWindow(instance, showCommand)) return 0;
    return RunMessageLoop();
}
