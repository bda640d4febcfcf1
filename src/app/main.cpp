#include <string>
#include <vector>

#include "app/zr_entry.h"
#include "platform/platform.h"

int main(int argc, char** argv) { return RunGame(Platform::CommandLineArgs(argc, argv)); }
