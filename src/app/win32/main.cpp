// Entry point of Orvane.exe. The start-up sequence is not wired in yet: the program
// carries its resources and version record and ends at once.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
