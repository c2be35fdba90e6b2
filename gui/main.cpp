// Jarn.exe, the administration program: everything happens in jarnMain.
#include "startup.h"

int main(int argc, char** argv) { return jarnMain(argc, argv); }
