// zemkari-replay: plays a script of clicks and ticks from standard input through the
// game core and writes one JSON line per step to standard output.
#include <iostream>

#include "zemkari/replay/replayer.h"

int main() { return zemkari::replay::RunScript(std::cin, std::cout, std::cerr); }
