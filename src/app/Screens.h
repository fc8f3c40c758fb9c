#pragma once
// Every screen of the program is created once, in a fixed order with the main
// window first and the login second, and reached through one global pointer
// named after its class without the "T" (Main, Sifre, ...). Each screen's
// header declares its pointer; createAll() makes them in order and
// destroyAll() removes them in reverse order. Both start the session
// (app/kit/Session.h) afresh: a set of screens works on one session.

namespace Screens {
void createAll();
void destroyAll();
}
