#pragma once
// A signed-in station with weigh-in rows, bouts and ring assignments of two
// days, Turkish letters throughout; and the tools to read printed reports.

#include "app/Main.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ReportPreview.h"
#include "reports/ReportForm.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>

namespace fixture {

inline const QString kMen60 = QString::fromUtf8("ERKEK 60 KİLO BÜYÜKLER");
inline const QString kMen65 = QString::fromUtf8("ERKEK 65 KİLO BÜYÜKLER");
inline const QString kWomen52 = QString::fromUtf8("BAYAN 52 KİLO GENÇLER");

inline QString runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return "<" + program + " failed: " + QString::fromUtf8(p.readAllStandardError()) + ">";
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString pdfText(const QString& path)
{
    return runTool("pdftotext", {"-layout", path, "-"});
}

inline QString pdfInfo(const QString& path)
{
    return runTool("pdfinfo", {path});
}

// Texts of one control on every page, in print order.
inline QStringList textsOf(const ReportDocument& doc, const QString& control)
{
    QStringList out;
    for (const ReportPage& p : doc.pages)
        for (const ReportItem* i : p.findAll(control))
            if (i->kind == ReportItem::Text)
                out << i->text;
    return out;
}

// Whether a page prints something of a control.
inline bool prints(const ReportPage& page, const QString& control)
{
    return !page.findAll(control).empty();
}

} // namespace fixture

class ReportsTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(login("ADMIN", "1234"));
        modals().clear();
        Main->SportName = QString::fromUtf8("KİCK BOKS");
        Reports::setToday([] { return QDate(2010, 3, 15); });
    }
    void TearDown() override
    {
        Reports::setToday(nullptr);
        ScreensTest::TearDown();
    }

    void addAthlete(int key, const QString& brans, const QString& name, int sira, int onay, const QString& bolge,
                    const QString& klup, const QString& takim, double kilo)
    {
        db.insert("C_LISTE", {{"Liste_Key", key},
                              {"Brans", brans},
                              {"Cinsiyet", brans.section(' ', 0, 0)},
                              {"Ad", name},
                              {"Sira", sira},
                              {"Onay", onay},
                              {"Bolge", bolge},
                              {"Klup", klup},
                              {"Takim", takim},
                              {"TartilanKilo", kilo},
                              {"Musteri_Key", key}});
    }

    void addBout(const QVariantMap& fields)
    {
        QVariantMap row = fields;
        row.insert("Cinsiyet", fields.value("Brans").toString().section(' ', 0, 0));
        db.insert("C_KURA", row);
    }

    // Two weight classes weighed in, one more class with bouts only.
    void addWeighIn()
    {
        addAthlete(1, fixture::kMen60, "ŞÜKRÜ ÇAĞLAR", 1, 1, "İZMİR", "GÜÇLÜ SPOR", "A TAKIMI", 59.5);
        addAthlete(2, fixture::kMen60, "ÖMER IŞIK", 12, 1, "ANKARA", "ÇANKAYA SK", "B TAKIMI", 60);
        addAthlete(3, fixture::kMen60, "AHMET DOĞAN", 3, 0, "MUĞLA", "BODRUM SK", "C TAKIMI", 0);
        addAthlete(4, fixture::kWomen52, "AYŞE ÖZTÜRK", 4, 1, "ŞANLIURFA", "HARRAN SK", "A TAKIMI", 51.25);
        addAthlete(5, fixture::kWomen52, "GÜLŞEN İNCE", 5, 1, "ÇORUM", "HİTİT SK", "A TAKIMI", 52);
    }

    void addBouts()
    {
        // Back number 12 did not come to the semi-final; back number 1 is
        // marked absent only in another class.
        addBout({{"Kura_Key", 1}, {"Brans", fixture::kMen60}, {"Tur", "YARI FİNAL"}, {"Sira", "1"},
                 {"Ad1", "ŞÜKRÜ ÇAĞLAR"}, {"Bolge1", "İZMİR"}, {"Klup1", "GÜÇLÜ SPOR"}, {"Sira1", 1},
                 {"Ad2", "ÖMER IŞIK"}, {"Bolge2", "ANKARA"}, {"Klup2", "ÇANKAYA SK"}, {"Sira2", 12}, {"Dis2", 1},
                 {"Salon", "ŞÜKRÜ ÇAĞLAR"}, {"Galip", "1"}, {"Karar", "WO"}, {"Puan1", 7}, {"Puan2", 3},
                 {"Skor", "1005"}, {"Tar_Saat", "12.03.2010 RİNG 1"}});
        addBout({{"Kura_Key", 2}, {"Brans", fixture::kMen60}, {"Tur", "FİNAL"}, {"Sira", "1"},
                 {"Ad1", "ŞÜKRÜ ÇAĞLAR"}, {"Bolge1", "İZMİR"}, {"Klup1", "GÜÇLÜ SPOR"}, {"Sira1", 1},
                 {"Ad2", "YARI FİNAL 2.MAÇ"}, {"Skor", "105"}, {"Tar_Saat", "12.03.2010 RİNG 1"}});
        addBout({{"Kura_Key", 3}, {"Brans", fixture::kMen65}, {"Tur", "1. TUR"}, {"Sira", "3"},
                 {"Ad1", "ŞÜKRÜ ÇAĞLAR"}, {"Sira1", 1}, {"Dis1", 1}, {"Ad2", "ÇETİN ÖZ"}, {"Sira2", 40},
                 {"Skor", "2001"}, {"Tar_Saat", "12.03.2010 RİNG 2"}});
        addBout({{"Kura_Key", 4}, {"Brans", fixture::kWomen52}, {"Tur", "FİNAL"}, {"Sira", "1"},
                 {"Ad1", "AYŞE ÖZTÜRK"}, {"Sira1", 4}, {"Ad2", "GÜLŞEN İNCE"}, {"Sira2", 5},
                 {"Skor", "1001"}, {"Tar_Saat", "13.03.2010 RİNG 1"}});
    }

    // The competition title dialog closed with "Tamam", after `fill`.
    static void expectTitle(std::function<void(QDialog*)> fill = nullptr)
    {
        modals().expect("TBaslik1S", [fill](QDialog* d) {
            if (fill)
                fill(d);
            click(d->findChild<QWidget*>("BitBtn4"));
        });
    }

    // The preview: saves what it shows as a PDF file through the preview's
    // own "save" command, then closes.
    void expectPreviewSavedAs(const QString& path, std::function<void(QDialog*)> also = nullptr)
    {
        modals().expect("ReportPreview", [path, also](QDialog* d) {
            if (also)
                also(d);
            ui().answerFile(path);
            click(d->findChild<QWidget*>("SaveButton"));
            d->close();
        });
    }
};
