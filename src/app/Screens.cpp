#include "app/Screens.h"

#include "app/AboutBox.h"
#include "app/Agirlik.h"
#include "app/CmPort.h"
#include "app/Form5.h"
#include "app/ImtRapor.h"
#include "app/Main.h"
#include "app/Porgres.h"
#include "app/Sifre.h"
#include "app/SifreCheck.h"
#include "scoring/Skor.h"
#include "scoring/SkorbGiris.h"

#include <functional>
#include <vector>

namespace {
// How to delete what createAll made, last first.
std::vector<std::function<void()>>& destroyers()
{
    static std::vector<std::function<void()>> d;
    return d;
}

template <class T>
void make(T*& global)
{
    global = new T();
    destroyers().push_back([&global] {
        delete global;
        global = nullptr;
    });
}
}

void Screens::createAll()
{
    // The order of creation is the program's: no screen's constructor may
    // rely on a screen created after it.
    make(Main);
    make(Sifre);
    make(Form5);
    make(SifreCheck);
    make(Agirlik);
    make(Porgres);
    make(ImtRapor);
    make(AboutBox);
    make(CmPort);
    make(Skor);
    make(Skorb_giris);
}

void Screens::destroyAll()
{
    auto& d = destroyers();
    while (!d.empty()) {
        d.back()();
        d.pop_back();
    }
}
