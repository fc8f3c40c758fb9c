#include "registry/PersonRecordSheet.h"

#include "reports/RegistryReports.h"

namespace PersonRecordSheet {

QString title(const QString& typed, const QString& sportName)
{
    return typed.isEmpty() ? sportName + " SİCİL BİLGİLERİ" : typed;
}

void preview(const ReportCaller& caller, int personKey, const QString& title, const QString& date)
{
    Reports::sicilDokumuKisi(caller, personKey, title, date);
}

} // namespace PersonRecordSheet
