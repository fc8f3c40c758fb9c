#pragma once
// The program's start: formats, splash, the screens, the message loop.

namespace Startup {
int run(int argc, char** argv);
// The steps before the message loop, for the program and for tests: fixes
// the formats, makes sure the work folder exists, shows the splash while the
// screens are created.
void prepare();
// Loads Qt's own Turkish texts (the buttons of message boxes, the file and
// print dialogs) from Qt's translations folder; false when they are not
// installed (Debian qt6-translations-l10n), and Qt's dialogs stay English.
bool loadQtTranslations();
}
