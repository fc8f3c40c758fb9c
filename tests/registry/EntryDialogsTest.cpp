// The entry dialogs of the person editor on their own: every check of
// "Tamam" / "Devam" in its order, with its message and kind.
#include "EditorFixture.h"

#include <QCalendarWidget>
#include <QDateEdit>

namespace {

using DialogsTest = EditorTest;

// Runs a dialog modally with a script and returns the messages it showed.
template <class Dialog>
QStringList run(Dialog* d, const QString& className, std::function<void()> script)
{
    ui().clear();
    modals().expect(className, [script](QDialog*) { script(); });
    d->showModal();
    return ui().texts();
}

TEST_F(DialogsTest, TheEntryDialogChecksItsFieldsInOrder)
{
    TBilgi_Giris* d = Bilgi_Giris;
    QList<QStringList> shown;
    QList<QList<UiRequest::Kind>> kinds;
    auto tamam = [&] {
        ui().clear();
        click(d->BitBtn1);
        shown << ui().texts();
        QList<UiRequest::Kind> k;
        for (const UiRequest& r : ui().requests)
            k << r.kind;
        kinds << k;
    };
    run(d, "TBilgi_Giris", [&] {
        EXPECT_EQ(d->windowTitle(), "Giriş");
        EXPECT_TRUE(d->Edit82->isHidden());
        EXPECT_EQ(d->Label6->text(), "Vize Yılı");
        typeDate(d->MaskEdit1, "32.13.2000");
        typeInto(d->Edit3, "2009-2010");
        tamam();
        // The visa year is checked also after a failed date check.
        typeDate(d->MaskEdit1, "31.12.1949");
        tamam();
        typeDate(d->MaskEdit1, "02.01.2050");
        d->Edit3->clear();
        typeInto(d->Edit3, "09");
        tamam();
        typeDate(d->MaskEdit1, "01.01.2050");
        tamam();
        d->Edit3->clear();
        typeInto(d->Edit3, "2009");
        tamam();
        EXPECT_FALSE(d->isVisible());
    });
    const QString visa = "Vize Yılını hatalı girdiniz ...!";
    const QString range = "Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!";
    ASSERT_EQ(shown.size(), 5);
    EXPECT_EQ(shown[0], QStringList({"Tarihi Hatalı Girdiniz. Lütfen Düzeltiniz ...!", visa}));
    EXPECT_EQ(kinds[0], QList<UiRequest::Kind>({UiRequest::Error, UiRequest::Info}));
    EXPECT_EQ(shown[1], QStringList({range, visa}));
    EXPECT_EQ(kinds[1], QList<UiRequest::Kind>({UiRequest::Info, UiRequest::Info}));
    EXPECT_EQ(shown[2], QStringList({range, visa}));
    EXPECT_EQ(shown[3], QStringList({visa}));
    EXPECT_EQ(shown[4], QStringList());
    EXPECT_EQ(d->FCancelled, 0);
    EXPECT_EQ(d->MaskEdit1->maskedText(), "01.01.2050");
}

struct DateCase {
    const char* date;
    bool taken;
};

class EntryDialogDates : public EditorTest, public ::testing::WithParamInterface<DateCase> {};

// The dialog takes a belt's or a title's date from 01.01.1950 to 01.01.2050,
// both included; outside it says so and stays open.
TEST_P(EntryDialogDates, From1950To2050)
{
    TBilgi_Giris* d = Bilgi_Giris;
    const QStringList texts = run(d, "TBilgi_Giris", [&] {
        typeDate(d->MaskEdit1, GetParam().date);
        click(d->BitBtn1);
        if (d->isVisible())
            click(d->BitBtn2);
    });
    EXPECT_EQ(d->FCancelled == 0, GetParam().taken) << texts.join(" | ").toStdString();
    EXPECT_EQ(texts, GetParam().taken ? QStringList()
                                      : QStringList{"Tarihi çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!"});
}

INSTANTIATE_TEST_SUITE_P(Dates, EntryDialogDates,
                         ::testing::Values(DateCase{"01.01.1900", false}, DateCase{"31.12.1949", false},
                                           DateCase{"01.01.1950", true}, DateCase{"15.06.2009", true},
                                           DateCase{"01.01.2050", true}, DateCase{"02.01.2050", false},
                                           DateCase{"01.01.2099", false}, DateCase{"  .  .    ", true}));

TEST_F(DialogsTest, TheEntryDialogForAStyleWantsABeltAndAStyle)
{
    TBilgi_Giris* d = Bilgi_Giris;
    d->setBeltPickShown(true);
    d->Label6->setText("Stil");
    QStringList texts;
    run(d, "TBilgi_Giris", [&] {
        EXPECT_EQ(d->focusWidget(), d->Edit82);
        ASSERT_GT(d->DBLookupComboBox1->count(), 0) << "the dialog lists the belts";
        EXPECT_EQ(d->DBLookupComboBox1->itemText(0), "BEYAZ KUŞAK");
        click(d->BitBtn1);
        pick(d->DBLookupComboBox1, "MAVİ KUŞAK");
        EXPECT_EQ(d->Edit82->text(), "MAVİ KUŞAK");
        click(d->BitBtn1);
        d->Edit3->setText("KICK");
        click(d->BitBtn1);
        texts = ui().texts();
    });
    d->setBeltPickShown(false);
    d->Label6->setText("Vize Yılı");
    EXPECT_EQ(texts, QStringList({"Lütfen Kuşak Seçiniz ...!", "Lütfen Stil Seçiniz ...!"}));
    EXPECT_EQ(d->FCancelled, 0);
    EXPECT_EQ(d->DBLookupComboBox1->count(), 0) << "closing the dialog closes its belt list";
}

TEST_F(DialogsTest, EnterMovesDownTheEntryDialogPassingHiddenFields)
{
    TBilgi_Giris* d = Bilgi_Giris;
    run(d, "TBilgi_Giris", [&] {
        QApplication::setActiveWindow(d);
        EXPECT_EQ(QApplication::focusWidget(), d->Edit1);
        QTest::keyClick(d->Edit1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->MaskEdit1);
        QTest::keyClick(d->MaskEdit1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->Edit2);
        QTest::keyClick(d->Edit2, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->Edit4);
        d->Edit3->hide();
        QTest::keyClick(d->Edit4, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->BitBtn1);
        d->Edit3->show();
        EXPECT_TRUE(d->isVisible()) << "Enter presses no button";
        click(d->BitBtn2);
    });
    EXPECT_EQ(d->FCancelled, 1);
}

TEST_F(DialogsTest, TheLicenceDialogChecksItsFieldsInOrder)
{
    TBilgi_Giris_1* d = Bilgi_Giris_1;
    d->FPickedClubKey = club;
    d->FRegionName = "İSTANBUL";
    QStringList texts;
    QList<UiRequest::Kind> kinds;
    run(d, "TBilgi_Giris_1", [&] {
        EXPECT_EQ(d->windowTitle(), "Sporcu Lisans Bilgileri");
        EXPECT_EQ(d->Label10->text(), "Menajer");
        EXPECT_EQ(d->Label6->text(), "KARTAL SPOR");
        EXPECT_EQ(d->Label7->text(), "İSTANBUL");
        EXPECT_EQ(d->FClubKey, QString::number(club));
        EXPECT_EQ(d->FRegionKey, "34");
        auto tamam = [&](QWidget* focus) {
            click(d->BitBtn1);
            EXPECT_EQ(QApplication::focusWidget(), focus) << ui().lastText().toStdString();
        };
        QApplication::setActiveWindow(d);
        tamam(d->Edit1);
        typeInto(d->Edit1, " 34");
        tamam(d->Edit1);
        d->Edit1->setText("34-049-000001");
        tamam(d->MaskEdit1);
        typeDate(d->MaskEdit1, "31.12.1949");
        tamam(d->MaskEdit1);
        typeDate(d->MaskEdit1, "01.01.1950");
        typeDate(d->MaskEdit2, "31.02.2009");
        tamam(d->MaskEdit2);
        typeDate(d->MaskEdit2, "02.01.2050");
        tamam(d->MaskEdit2);
        typeDate(d->MaskEdit2, "01.01.2050");
        typeDate(d->MaskEdit3, "00.01.2009");
        tamam(d->MaskEdit3);
        typeDate(d->MaskEdit3, "01.01.1900");
        tamam(d->MaskEdit3);
        d->MaskEdit3->clear();
        click(d->BitBtn1);
        texts = ui().texts();
        for (const UiRequest& r : ui().requests)
            kinds << r.kind;
    });
    EXPECT_EQ(texts, QStringList({"Lisans Numarası Girmediniz ...!", "Hatalı Lisans Numarası Girdiniz ...",
                                  "Boş veya Hatalı Lisans Tarihi. Lütfen Düzeltiniz ...!",
                                  "Lisans Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!",
                                  "Vize Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                                  "Vize Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!",
                                  "Transfer Tarihini Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                                  "Transfer Tarihini çok büyük yada çok küçük yazdınız. Kontrol Ediniz ...!"}));
    using K = UiRequest::Kind;
    EXPECT_EQ(kinds, QList<K>({K::Error, K::Info, K::Error, K::Info, K::Error, K::Info, K::Error, K::Info}));
    EXPECT_EQ(d->FCancelled, 0);
    EXPECT_EQ(d->MaskEdit1->maskedText(), "01.01.1950");
    EXPECT_EQ(d->MaskEdit2->maskedText(), "01.01.2050");
    EXPECT_TRUE(d->MaskEdit3->isBlank()) << "a blank transfer date is taken";
}

TEST_F(DialogsTest, TheLicenceDialogsDateCaptionsGiveToday)
{
    TBilgi_Giris_1* d = Bilgi_Giris_1;
    d->FPickedClubKey = club;
    d->FRegionName = "İSTANBUL";
    run(d, "TBilgi_Giris_1", [&] {
        EXPECT_TRUE(d->MaskEdit2->isBlank());
        click(d->Label4);
        EXPECT_EQ(d->MaskEdit2->maskedText(), "05.03.2009");
        click(d->Label3);
        click(d->Label5);
        EXPECT_EQ(d->MaskEdit1->maskedText(), "05.03.2009");
        EXPECT_EQ(d->MaskEdit3->maskedText(), "05.03.2009");
        click(d->BitBtn2);
    });
    EXPECT_EQ(d->FCancelled, 1);
}

TEST_F(DialogsTest, TheLicenceDialogFindsTheRegionByItsNameOnly)
{
    TBilgi_Giris_1* d = Bilgi_Giris_1;
    d->FPickedClubKey = otherClub;
    d->FRegionName = "İZMİR";
    run(d, "TBilgi_Giris_1", [&] { click(d->BitBtn2); });
    EXPECT_EQ(d->Label6->text(), "ANKARA GÜCÜ");
    EXPECT_EQ(d->FRegionKey, "35");
    d->FRegionName = "YOK BÖYLE BİR BÖLGE";
    run(d, "TBilgi_Giris_1", [&] { click(d->BitBtn2); });
    EXPECT_EQ(d->FRegionKey, "");
    EXPECT_EQ(d->Label7->text(), "");
}

TEST_F(DialogsTest, TheSeminarDialogChecksItsFieldsInOrder)
{
    TSeminer* d = Seminer;
    QStringList texts;
    run(d, "TSeminer", [&] {
        EXPECT_EQ(d->windowTitle(), "Seminer İşleme");
        QApplication::setActiveWindow(d);
        click(d->BitBtn1);
        EXPECT_EQ(QApplication::focusWidget(), d->Edit1);
        typeInto(d->Edit1, " hakem");
        click(d->BitBtn1);
        d->Edit1->setText("HAKEM SEMİNERİ");
        click(d->BitBtn1);
        EXPECT_EQ(QApplication::focusWidget(), d->MaskEdit1);
        d->DateTimePicker1->setDate(QDate(2009, 6, 7));
        EXPECT_EQ(d->MaskEdit1->maskedText(), "07.06.2009");
        click(d->BitBtn1);
        texts = ui().texts();
    });
    EXPECT_EQ(texts, QStringList({"Lütfen Seminer Adı Giriniz ...!",
                                  "Seminer Adı Hatalı Girdiniz. Lütfen Düzeltiniz ...!",
                                  "Lütfen Bitiş Tarihini Giriniz ...!"}));
    EXPECT_EQ(d->FConfirmed, 1);
    EXPECT_TRUE(d->MaskEdit2->isBlank()) << "no start date: the blank mask";
}

TEST_F(DialogsTest, TheSeminarDialogKeepsOnlyTheNameFromTheLastUse)
{
    TSeminer* d = Seminer;
    run(d, "TSeminer", [&] {
        typeInto(d->Edit1, "antrenör semineri");
        typeInto(d->Edit2, "ankara");
        // A date picked in the calendar goes into the text, also the date
        // the picker showed already.
        Q_EMIT d->DateTimePicker2->calendarWidget()->clicked(d->DateTimePicker2->date());
        EXPECT_EQ(d->MaskEdit2->maskedText(), Formats::dateToStr(d->DateTimePicker2->date()));
        click(d->Label4);
        EXPECT_TRUE(d->MaskEdit2->isBlank());
        d->DateTimePicker1->setDate(QDate(2009, 6, 7));
        click(d->BitBtn1);
    });
    run(d, "TSeminer", [&] {
        EXPECT_EQ(d->Edit1->text(), "ANTRENÖR SEMİNERİ");
        EXPECT_EQ(d->Edit2->text(), "");
        EXPECT_TRUE(d->MaskEdit1->isBlank());
        EXPECT_TRUE(d->MaskEdit2->isBlank());
        EXPECT_EQ(d->FConfirmed, 0);
        // Enter in the place stays there.
        QApplication::setActiveWindow(d);
        d->Edit2->setFocus();
        QTest::keyClick(d->Edit2, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->Edit2);
        EXPECT_TRUE(d->isVisible());
        click(d->BitBtn2);
    });
    EXPECT_EQ(d->FConfirmed, 0);
}

} // namespace
