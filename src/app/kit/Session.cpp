#include "app/kit/Session.h"

void Session::reset()
{
    db.close();
    user = SessionUser();
    edition = EditionSettings();
}

Session& session()
{
    static Session s;
    return s;
}
