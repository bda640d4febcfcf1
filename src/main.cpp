#include "zr_entry.h"

int main() { return RunGame(); }
