#include "reports/ReportForm.h"

#include "app/kit/Session.h"
#include "reports/FitText.h"

#include <memory>
#include <optional>

namespace {
std::function<QDate()>& clockHook()
{
    static std::function<QDate()> clock = [] { return QDate::currentDate(); };
    return clock;
}
}

QDate Reports::today()
{
    return clockHook()();
}

void Reports::setToday(std::function<QDate()> clock)
{
    clockHook() = clock ? std::move(clock) : [] { return QDate::currentDate(); };
}

QString Reports::sportName()
{
    return session().edition.SportName;
}

TReportForm::TReportForm(const QString& name)
{
    setObjectName(name);
    ReportBody1.title = "Rapor Önizleme";
    ReportBody1.page.firstPageHeader = true;
    ReportBody1.page.lastPageFooter = true;
    ReportBody1.clock = [] { return QDateTime(Reports::today(), QTime::currentTime()); };
    ReportBody1.afterPreview = [this](Report&) { closeDataSets(); };
}

TReportForm::~TReportForm() = default;

void TReportForm::addDataSet(ReportQuery& q)
{
    q.database = &session().db;
    m_dataSets << &q;
}

void TReportForm::closeDataSets()
{
    for (ReportQuery* q : m_dataSets)
        q->close();
}

bool TReportForm::anyDataSetOpen() const
{
    for (const ReportQuery* q : m_dataSets)
        if (q->isOpen())
            return true;
    return false;
}

QString TReportForm::joinColumns(const QStringList& values)
{
    QString text;
    for (const QString& v : values) {
        if (v.isEmpty())
            continue;
        text = text.isEmpty() ? v : text + ", " + v;
    }
    return text;
}

void TReportForm::numberRows(ReportQuery& q, ReportLabel* label)
{
    ReportQuery::Event before = q.beforeScroll;
    ReportQuery::Event after = q.afterScroll;
    q.beforeScroll = [this, before](ReportQuery& d) {
        if (FFirstRow == 1) {
            FFirstRow = 0;
            FLineNo = 0;
        }
        m_moving = true;
        if (before)
            before(d);
    };
    // A number longer than its box was designed for (a list of tens of
    // thousands of rows) prints in smaller type instead of losing its first
    // digits: the type is fitted again whenever the number gains a digit.
    auto designFont = std::make_shared<std::optional<QFont>>();
    q.afterScroll = [this, after, label, designFont](ReportQuery& d) {
        // Opening a dataset stands on its first row without a move; the walk
        // that follows moves to it, and that move is the one counted.
        const bool moved = m_moving;
        m_moving = false;
        if (d.eof())
            FLineNo = 0;
        else if (moved) {
            ++FLineNo;
            if (label) {
                label->caption = QString::number(FLineNo);
                if (!*designFont)
                    *designFont = label->font;
                if (FLineNo == 1)
                    label->font = **designFont;
                else if (label->caption.size() > QString::number(FLineNo - 1).size())
                    label->font = FitText::fit(**designFont, label->caption, label->rect.width(), 0, {4, 4, {}}).font;
            }
        }
        if (after)
            after(d);
    };
}

void TReportForm::loadOnNeedData(std::function<void()> open, ReportExpr* runningTotal)
{
    ReportBody1.needData = [this, open = std::move(open), runningTotal](Report&, bool&) {
        ++FRowNo;
        if (FRowNo != 1)
            return;
        if (runningTotal)
            runningTotal->reset();
        open();
    };
}
