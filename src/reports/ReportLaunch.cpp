#include "reports/ReportLaunch.h"

#include "platform/db/Database.h"
#include "platform/ui/Messages.h"
#include "reports/ReportForm.h"

#include <QWidget>

ReportCaller ReportCaller::screen(QWidget* window, int* flag, std::function<void(QObject* report)> setPreviewReport)
{
    ReportCaller c;
    c.window = window;
    c.inPreview = flag;
    c.setPreviewReport = std::move(setPreviewReport);
    return c;
}

namespace {

// The caller's state for the length of a waiting preview; put back when the
// preview ends, also by an error.
class PreviewScope {
public:
    PreviewScope(TReportForm& report, const ReportCaller& caller) : m_report(report), m_caller(caller)
    {
        if (m_caller.inPreview)
            *m_caller.inPreview = 1;
        if (m_caller.toolBar && m_caller.toolBar->isVisible()) {
            m_toolBar = m_caller.toolBar;
            m_toolBar->hide();
        }
        if (m_caller.window) {
            m_window = m_caller.window;
            m_window->setEnabled(false);
        }
    }
    ~PreviewScope()
    {
        if (m_window)
            m_window->setEnabled(true);
        if (m_toolBar)
            m_toolBar->show();
        // The preview was modal: no activation of the caller follows it that
        // would clear the flag.
        if (m_caller.inPreview)
            *m_caller.inPreview = 0;
        m_report.closeDataSets();
    }

private:
    TReportForm& m_report;
    const ReportCaller& m_caller;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_toolBar;
};

} // namespace

// The selected keys stand in the statement as a list of numbers; anything
// else in them is refused rather than pasted into SQL.
QString ReportLaunch::keyList(const QString& keys)
{
    QStringList out;
    for (const QString& item : keys.split(',')) {
        bool ok = false;
        const qint64 key = item.trimmed().toLongLong(&ok);
        if (!ok)
            throw DbError("Seçilen kayıtların anahtarları hatalı: " + keys);
        out << QString::number(key);
    }
    return out.join(',');
}

QString ReportLaunch::narrowing(const RegistrySelection& s, const QString& keyColumn, const QString& extra)
{
    const QString joiner = s.hasWhere ? " and " : " where ";
    if (!s.selectedKeys.isEmpty())
        return joiner + keyColumn + " in (" + keyList(s.selectedKeys) + ")" + (extra.isEmpty() ? "" : " and " + extra);
    if (!extra.isEmpty())
        return joiner + extra;
    return QString();
}

namespace {

QString compose(const QString& base, const ReportLaunch::RegistrySelection& s, const QString& keyColumn, const QString& extra,
                const QString& order)
{
    const QString o = order.isEmpty() ? s.orderBy : order;
    return base + ReportLaunch::narrowing(s, keyColumn, extra) + " Order By " + o;
}

} // namespace

void ReportLaunch::preview(TReportForm& report, const ReportCaller& caller, Kind kind)
{
    if (caller.setPreviewReport)
        caller.setPreviewReport(&report);
    if (kind == Kind::Modal) {
        try {
            report.ReportBody1.previewModal();
        } catch (...) {
            report.closeDataSets();
            throw;
        }
        if (caller.activate)
            caller.activate();
        return;
    }
    PreviewScope scope(report, caller);
    report.ReportBody1.preview();
}

QString ReportLaunch::notListedText(const QString& nouns)
{
    return "Lütfen 'Kayıt Bul' Düğmesine Basarak " + nouns + " Listeleyiniz ...!";
}

QString ReportLaunch::emptyListText(const QString& noun)
{
    return "Liste Alanında Herhangibir " + noun + " Bulunmamaktadır ...!";
}

bool ReportLaunch::checkList(bool listOpen, bool currentRowHasKey, const QString& nouns, const QString& noun)
{
    if (!listOpen) {
        Messages::info(notListedText(nouns));
        return false;
    }
    if (!currentRowHasKey) {
        Messages::info(emptyListText(noun));
        return false;
    }
    return true;
}

QString ReportLaunch::listQuery(const RegistrySelection& s, const QString& extra, const QString& order)
{
    return compose(s.reportSql, s, "Musteri_Key", extra, order);
}

QString ReportLaunch::sheetQuery(const RegistrySelection& s, const QString& extra, const QString& order)
{
    return compose("Select * from C_MUSTERI " + s.whereClause, s, "C_MUSTERI.Musteri_Key", extra, order);
}
