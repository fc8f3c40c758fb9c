#include "registry/PersonRecordSheet.h"

#include "platform/ui/Messages.h"

namespace PersonRecordSheet {

QString title(const QString& typed, const QString& sportName)
{
    return typed.isEmpty() ? sportName + " SİCİL BİLGİLERİ" : typed;
}

bool preview(const ReportCaller& caller, int personKey, const QString& title, const QString& date)
{
    // The record sheet's form is not part of the program yet: its launcher
    // takes this place, with these arguments.
    Q_UNUSED(caller);
    Q_UNUSED(personKey);
    Q_UNUSED(title);
    Q_UNUSED(date);
    Messages::info(kNoSheet);
    return false;
}

} // namespace PersonRecordSheet
