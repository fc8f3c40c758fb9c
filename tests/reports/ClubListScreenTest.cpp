// The club list screen driven through its named controls: filters, order,
// selection, the delete guards, "Aktarım" and the print runs.
#include "RegistryFixture.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/setup/ClubListRules.h"
#include "app/setup/KlupGiris1.h"
#include "app/setup/MetinIlave.h"
#include "reports/PrintMenu196.h"
#include "reports/PrintMenu199.h"
#include "support/ScreenDriving.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>

using fixture::textsOf;

namespace {

class ClubListScreen : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        db.exec("delete * from C_UYELIKSURESI where Durum_Key > 1");
        addClub(11, "ÇANKAYA SK", "ANKARA", "ALİ VELİ", {{"Il", "ANKARA"}, {"Cadde", "ATATÜRK CAD."}});
        addClub(12, "GÜÇ SPOR", "İZMİR", "ZEKİ ŞAHİN", {{"Salon", 1}});
        addClub(123, "ASLAN %100 SK", "ANKARA", "BERK ÖZ", {{"Faal", "0"}});
        addClub(14, "GÜÇ SPOR", "ANKARA", "CAN ER", {});
        screen = KlupGiris1;
        screen->show();
        QApplication::setActiveWindow(screen);
        QApplication::processEvents();
    }
    void addClub(int key, const QString& name, const QString& region, const QString& contact, QVariantMap fields)
    {
        fields.insert("Durum_Key", key);
        fields.insert("Durum", name);
        fields.insert("E1", region);
        fields.insert("Ad_Soyad", contact);
        db.insert("C_UYELIKSURESI", fields);
    }
    void addClubPerson(int key, const QString& club, int clubKey, const QString& region)
    {
        addPerson(key, {{"Adi", QString("KİŞİ%1").arg(key)}, {"Soyadi", "SOY"}, {"E16", club}, {"E49", "SALON A"},
                        {"Client_Key", clubKey}, {"Vergi_Dairesi", region}});
    }
    QStringList listed()
    {
        QStringList names;
        for (int r = 0; r < grid()->rowCount(); ++r)
            names << grid()->record(r).str("Durum") + "/" + grid()->record(r).str("E1");
        return names;
    }
    TDBGrid* grid() { return child<TDBGrid>(screen, "DBGrid1"); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(screen, name); }
    void select(std::initializer_list<int> rows, int current)
    {
        grid()->clearSelection();
        for (const int r : rows)
            grid()->selectionModel()->select(grid()->model()->index(r, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        grid()->setCurrentRow(current);
        grid()->selectionModel()->select(grid()->model()->index(current, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    int rowOf(int key)
    {
        for (int r = 0; r < grid()->rowCount(); ++r)
            if (grid()->record(r).toInt("Durum_Key") == key)
                return r;
        return -1;
    }
    Record person(int key) { return db.first("select * from C_MUSTERI where Musteri_Key = :k", {{"k", key}}).value(); }

    TKlupGiris1* screen = nullptr;
};

TEST_F(ClubListScreen, ListsActiveClubsByNameWithTheKeyText)
{
    EXPECT_EQ(screen->windowTitle(), "Yeni Kulüp Girişi ve İşlem Ekranı");
    EXPECT_EQ(listed(), (QStringList{"ÇANKAYA SK/ANKARA", "GÜÇ SPOR/İZMİR", "GÜÇ SPOR/ANKARA"}));
    EXPECT_EQ(child<QLabel>(screen, "Label10")->text(), "Kayıt Sayısı : 3");
    EXPECT_EQ(grid()->cellText(0, grid()->columnOf("Durum_Key")), "11");
    EXPECT_EQ(ClubListRules::keyText(123), "0123");
    EXPECT_EQ(ClubListRules::keyText(1234), "1234");
    // The order in force shows its marker in place of its button.
    EXPECT_TRUE(child<QToolButton>(screen, "SpeedButton1")->isHidden());
    EXPECT_FALSE(child<QLabel>(screen, "Image1")->isHidden());
}

TEST_F(ClubListScreen, FiltersNarrowTheListAndClearingTheFieldShowsAllAgain)
{
    typeInto(edit("Edit3"), "güç");
    QTest::keyClick(edit("Edit3"), Qt::Key_Return);
    EXPECT_EQ(listed(), (QStringList{"GÜÇ SPOR/İZMİR", "GÜÇ SPOR/ANKARA"}));
    EXPECT_EQ(child<QLabel>(screen, "Label3")->styleSheet(), "color: red;");

    pick(child<QComboBox>(screen, "DBLookupComboBox2"), "ANKARA");
    EXPECT_EQ(edit("Edit2")->text(), "ANKARA");
    EXPECT_EQ(listed(), QStringList{"GÜÇ SPOR/ANKARA"});

    click(child<QLabel>(screen, "Label3"));     // empties the club field
    EXPECT_EQ(edit("Edit3")->text(), "");
    EXPECT_EQ(child<QLabel>(screen, "Label3")->styleSheet(), "");
    EXPECT_EQ(listed(), (QStringList{"ÇANKAYA SK/ANKARA", "GÜÇ SPOR/ANKARA"}));
    click(child<QLabel>(screen, "Label2"));
    click(child<QRadioButton>(screen, "RadioButton2"));
    EXPECT_EQ(listed(), QStringList{"GÜÇ SPOR/İZMİR"}) << "gyms only";
    click(child<QRadioButton>(screen, "RadioButton3"));

    // A typed "%" is a percent sign, not a wildcard; inactive clubs show
    // with the box checked.
    click(child<QCheckBox>(screen, "CheckBox1"));
    EXPECT_EQ(listed(), QStringList{"ASLAN %100 SK/ANKARA"});
    typeInto(edit("Edit3"), "%1");
    QTest::keyClick(edit("Edit3"), Qt::Key_Return);
    EXPECT_EQ(listed(), QStringList{"ASLAN %100 SK/ANKARA"});
    edit("Edit3")->setText("S%K");
    QTest::keyClick(edit("Edit3"), Qt::Key_Return);
    EXPECT_EQ(listed(), QStringList{});
    edit("Edit3")->setText("O'NEIL");
    QTest::keyClick(edit("Edit3"), Qt::Key_Return);
    EXPECT_EQ(ui().count(), 0) << "an apostrophe is searched, not an error";
}

TEST_F(ClubListScreen, OrderButtonsSortTheList)
{
    click(child<QToolButton>(screen, "SpeedButton2"));
    EXPECT_EQ(screen->FOrderBy, "Ad_Soyad,Durum_Key");
    EXPECT_EQ(listed(), (QStringList{"ÇANKAYA SK/ANKARA", "GÜÇ SPOR/ANKARA", "GÜÇ SPOR/İZMİR"}));
    EXPECT_TRUE(child<QToolButton>(screen, "SpeedButton2")->isHidden());
    EXPECT_FALSE(child<QToolButton>(screen, "SpeedButton1")->isHidden());
    click(child<QToolButton>(screen, "SpeedButton3"));
    EXPECT_EQ(listed(), (QStringList{"ÇANKAYA SK/ANKARA", "GÜÇ SPOR/ANKARA", "GÜÇ SPOR/İZMİR"}));
}

TEST_F(ClubListScreen, DeletingIsRefusedWhileLicencesOrPersonsReferToTheClub)
{
    db.insert("F_LNC", {{"Lnc_Key", 1}, {"Musteri_Key", 1}, {"Klup_Key", 11}});
    addClubPerson(2, "GÜÇ SPOR", 1, "İZMİR");   // holds the name, no club key

    grid()->setCurrentRow(rowOf(11));
    click(child<QPushButton>(screen, "BitBtn6"));
    EXPECT_EQ(ui().lastText(), "Silmek istediğiniz Kulüple ilgili Lisans kayıtları bulunmaktadır.\n"
                               "Kulübü silmek için önce bu sporcuların Lisans Kulüp bilgisini değiştirmeniz gerekmektedir.");
    grid()->setCurrentRow(rowOf(12));
    click(child<QPushButton>(screen, "BitBtn6"));
    EXPECT_EQ(ui().lastText(), "Silmek istediğiniz Kulüple ilgili sporcu kayıtları bulunmaktadır.\n"
                               "Kulübü silmek için önce bu sporcuların Kulübünü değiştirmeniz gerekmektedir.");
    EXPECT_EQ(modals().seen().count("TForm5"), 0);

    // The Ankara club of the same name has no persons: it goes after "Evet".
    grid()->setCurrentRow(rowOf(14));
    QString asked;
    answerQuestion(true, &asked);
    click(child<QPushButton>(screen, "BitBtn6"));
    EXPECT_EQ(asked, "GÜÇ SPOR Kulübü Silinecektir. Eminmisiniz ...?");
    EXPECT_EQ(listed(), (QStringList{"ÇANKAYA SK/ANKARA", "GÜÇ SPOR/İZMİR"}));
    EXPECT_EQ(db.scalar("select count(*) from C_UYELIKSURESI where Durum_Key = 14").toInt(), 0);
}

TEST_F(ClubListScreen, AktarimNeedsExactlyTwoClubs)
{
    struct Case {
        std::vector<int> rows;
        const char* message;
    };
    const Case cases[] = {
        {{}, "Lütfen Aktarım yapılacak ve Aktarılacak olmak üzere 2 Kulüp Seçiniz...!"},
        {{0}, "Lütfen 2 Kulüp Seçiniz...!"},
        {{0, 1, 2}, "Lütfen sadece 2 Kulüp Seçiniz...!"},
    };
    for (const Case& c : cases) {
        grid()->clearSelection();
        for (const int r : c.rows)
            grid()->selectionModel()->select(grid()->model()->index(r, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        ui().clear();
        click(child<QPushButton>(screen, "BitBtn5"));
        EXPECT_EQ(ui().texts(), QStringList{c.message}) << c.rows.size();
    }
    EXPECT_EQ(modals().seen().count("TForm5"), 0);
}

TEST_F(ClubListScreen, AktarimMovesOnlyTheSourceClubsPersonsToTheClubUnderTheCursor)
{
    screen->FToday = [] { return QDate(2026, 3, 5); };
    addClubPerson(1, "GÜÇ SPOR", 12, "İZMİR");
    addClubPerson(2, "GÜÇ SPOR", 1, "İZMİR");      // by name, in the club's region
    addClubPerson(3, "GÜÇ SPOR", 14, "ANKARA");    // the other region's club of that name
    addClubPerson(4, "ÇANKAYA SK", 11, "ANKARA");

    // Source: İzmir's GÜÇ SPOR; target (under the cursor): ÇANKAYA SK.
    select({rowOf(12)}, rowOf(11));
    QString asked;
    answerQuestion(true, &asked);
    click(child<QPushButton>(screen, "BitBtn5"));
    EXPECT_EQ(asked, "Sicil Kayıtlarında GÜÇ SPOR Sporcuları (2)\nÇANKAYA SK Aktarılacaktır. Devam Edilsin mi?");
    EXPECT_EQ(ui().lastText(), "Aktarım Tamamlandı ...!");
    for (const int key : {1, 2}) {
        const Record p = person(key);
        EXPECT_EQ(p.str("E16"), "ÇANKAYA SK") << key;
        EXPECT_EQ(p.toInt("Client_Key"), 11) << key;
        EXPECT_EQ(p.str("E49"), "ÇANKAYA SK") << "the gym is the target club";
        EXPECT_EQ(p.str("User"), "ADMIN, 05.03.2026");
        EXPECT_EQ(p.date("M1"), QDate(2026, 3, 5));
    }
    EXPECT_EQ(person(3).str("E16"), "GÜÇ SPOR") << "another region's club of the same name";
    EXPECT_EQ(person(3).toInt("Client_Key"), 14);
    EXPECT_EQ(person(3).str("E49"), "SALON A");
    EXPECT_EQ(person(4).str("E49"), "SALON A") << "the target club's own persons keep their gym";
    EXPECT_EQ(db.scalar("select count(*) from C_UYELIKSURESI where Durum_Key = 12").toInt(), 1) << "source stays";

    // "Hayır" moves nothing.
    select({rowOf(14)}, rowOf(11));
    answerQuestion(false);
    click(child<QPushButton>(screen, "BitBtn5"));
    EXPECT_EQ(person(3).toInt("Client_Key"), 14);
}

TEST_F(ClubListScreen, PrintsTheSelectedClubsOrAllAndTheirLabels)
{
    const QString pdf = pdfPath("kulupler.pdf");
    expectTitle("TBaslik1", "KULÜPLERİMİZ");
    expectPreview(pdf);
    click(child<QPushButton>(screen, "BitBtn3"));
    EXPECT_EQ(textsOf(*PrintMenu196->ReportBody1.document(), "QRDBText1"),
              (QStringList{"ÇANKAYA SK", "GÜÇ SPOR", "GÜÇ SPOR"}));
    EXPECT_TRUE(flagWhileShown != 0 || screen->FInPreview == 0);
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"KULÜPLERİMİZ", "KULÜP LİSTESİ", "ÇANKAYA SK", "ALİ VELİ"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();

    // Two selected rows: only those, in list order.
    select({rowOf(14)}, rowOf(11));
    expectTitle("TBaslik1", "SEÇİLİ");
    expectPreview();
    screen->KulpListesi1->trigger();
    EXPECT_EQ(screen->FSelectedKeys, "11,14");
    EXPECT_EQ(textsOf(*PrintMenu196->ReportBody1.document(), "QRDBText2"), (QStringList{"ALİ VELİ", "CAN ER"}));

    // Labels: the clubs with a province and a street part.
    grid()->clearSelection();
    const QString labels = pdfPath("etiket.pdf");
    expectPreview(labels);
    screen->Etiket1->trigger();
    EXPECT_EQ(textsOf(*PrintMenu198->ReportBody1.document(), "QRDBText2"), QStringList{"ÇANKAYA SK"});
    EXPECT_TRUE(fixture::squeezedPdfText(labels).contains("ATATÜRK CAD.")) << fixture::pdfText(labels).toStdString();
}

TEST_F(ClubListScreen, LettersAskTheirHeaderFirst)
{
    grid()->setCurrentRow(0);
    modals().expect("TMetinIlave", [](QDialog* d) {
        child<QLineEdit>(d, "Edit5")->setText("TOPLANTI");
        d->close();
    });
    expectPreview();
    screen->MektupAdresli1->trigger();
    EXPECT_EQ(modals().seen().mid(modals().seen().size() - 2), (QStringList{"TMetinIlave", "ReportPreview"}));
}

} // namespace

namespace {

TEST_F(ClubListScreen, SmsGonderHandsTheClubsToTheSmsExport)
{
    // No SMS program on this station: the export says so.
    click(child<QPushButton>(screen, "BitBtn7"));
    EXPECT_EQ(ui().texts(), QStringList{"SMS Gönderi arayüzü bulunamamıştır. Lütfen yükleyiniz ...!"});
}

} // namespace
