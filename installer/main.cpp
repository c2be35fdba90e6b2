// setup, the installer of the Jarn printer driver: installs a release,
// upgrades an earlier installation or removes one. Run as root.
#include "setup_main.h"

int main(int argc, char* argv[]) { return inst::runSetup(argc, argv); }
