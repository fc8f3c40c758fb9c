#include "app/kit/Session.h"

void Session::reset()
{
    db.close();
    user = SessionUser();
    edition = EditionSettings();
    station = StationSettings();
    today = [] { return QDate::currentDate(); };
}

Session& session()
{
    static Session s;
    return s;
}
