#pragma once
// The program's start: formats, splash, the screens, the message loop.

namespace Startup {
int run(int argc, char** argv);
// The steps before the message loop, for the program and for tests: fixes
// the formats, makes sure the work folder exists, shows the splash while the
// screens are created.
void prepare();
}
