#pragma once
// A signed-in station with a small register: persons with Turkish letters,
// titles, belts and addresses, their career rows, clubs, regions, the
// federation's identity row and activities with placings; and the tools to
// run the register's reports and read them back.

#include "ReportsFixture.h"

#include "reports/ReportLaunch.h"

#include <QImage>

class RegistryTest : public ReportsTest {
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        db.exec("delete * from C_YAZILAR");
        db.insert("C_YAZILAR", {{"FirmaAdi", "TÜRKİYE KİCK BOKS FEDERASYONU"},
                                {"Ihbar", "KİCK BOKS"},
                                {"Adres", "ULUS İŞ HANI A BLOK\nALTINDAĞ / ANKARA"}});
        caller.window = &screen;
        caller.inPreview = &flag;
    }

    // A person of C_MUSTERI: the given columns, Ad_Soyad from Adi and
    // Soyadi unless given.
    void addPerson(int key, QVariantMap fields)
    {
        fields.insert("Musteri_Key", key);
        if (!fields.contains("Ad_Soyad"))
            fields.insert("Ad_Soyad", (fields.value("Adi").toString() + " " + fields.value("Soyadi").toString()).trimmed());
        if (!fields.contains("Vergi_Numarasi"))
            fields.insert("Vergi_Numarasi", QString("%1").arg(key, 7, 10, QChar('0')));
        if (!fields.contains("Tip"))
            fields.insert("Tip", 1);
        db.insert("C_MUSTERI", fields);
    }

    // The search "every person", optionally narrowed to selected keys, in the
    // order given.
    static ReportLaunch::RegistrySelection everyone(const QString& keys = QString(), const QString& order = "Ad_Soyad")
    {
        ReportLaunch::RegistrySelection s;
        s.reportSql = "Select * from C_MUSTERI";
        s.selectedKeys = keys;
        s.orderBy = order;
        return s;
    }
    // The search with a condition and bound values.
    static ReportLaunch::RegistrySelection searched(const QString& where, const QVariantMap& params,
                                                    const QString& order = "Ad_Soyad")
    {
        ReportLaunch::RegistrySelection s;
        s.reportSql = "Select * from C_MUSTERI" + where;
        s.whereClause = where;
        s.hasWhere = true;
        s.orderBy = order;
        s.params = params;
        return s;
    }

    // A title dialog closed with "Tamam" after the title was typed.
    static void expectTitle(const char* dialogClass, const QString& title)
    {
        modals().expect(dialogClass, [title](QDialog* d) {
            d->findChild<QLineEdit*>("Edit8")->setText(title);
            click(d->findChild<QWidget*>("BitBtn4"));
        });
    }
    // The preview: checks the caller's state while it shows, saves a PDF
    // when a path is given, then closes.
    void expectPreview(const QString& pdf = QString())
    {
        modals().expect("ReportPreview", [this, pdf](QDialog* d) {
            shownWhileDisabled = !screen.isEnabled();
            flagWhileShown = flag;
            if (!pdf.isEmpty()) {
                ui().answerFile(pdf);
                click(d->findChild<QWidget*>("SaveButton"));
            }
            d->close();
        });
    }

    // Writes a photo "R" + key + ".jpg" into the program folder.
    void addPhoto(int key, QColor colour = Qt::darkCyan)
    {
        QImage photo(100, 120, QImage::Format_RGB32);
        photo.fill(colour);
        const QString path = host("C:\\CO\\QVX_PROG\\R" + QString::number(key) + ".jpg");
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(photo.save(path, "JPG"));
    }

    // Where a test saves a PDF: the test's folder, or the folder that
    // BRIVEX_REPORTS_PDF_DIR names, to look at the pages afterwards.
    QString pdfPath(const QString& name) const
    {
        const QString keep = qEnvironmentVariable("BRIVEX_REPORTS_PDF_DIR");
        return keep.isEmpty() ? dir.filePath(name) : QDir(keep).filePath(name);
    }

    QWidget screen;
    int flag = 0;
    ReportCaller caller;
    bool shownWhileDisabled = false;
    int flagWhileShown = -1;
};

namespace fixture {

// Every text item of the document, page by page, joined by " | " for
// readable failures.
inline QString allTexts(const ReportDocument& doc)
{
    return doc.texts().join(" | ");
}

// The texts of one page's band items in print order.
inline QStringList pageTexts(const ReportDocument& doc, int page)
{
    return doc.pages[size_t(page)].texts();
}

// Whether a text is on a page.
inline bool onPage(const ReportDocument& doc, int page, const QString& text)
{
    return doc.pages[size_t(page)].texts().contains(text);
}

// The PDF's text with its lines' runs of blanks squeezed to one blank, so
// that tests look for a line's content without the layout's spacing.
inline QString squeezedPdfText(const QString& pdf)
{
    QString text = pdfText(pdf);
    text.replace(QRegularExpression("[ \\t]+"), " ");
    return text;
}

} // namespace fixture
