#include "app/zr_entry.h"

int main() { return RunGame(); }
