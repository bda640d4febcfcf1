#include <string>
#include <vector>

#include "app/zr_entry.h"

int main(int argc, char** argv) { return RunGame(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc)); }
