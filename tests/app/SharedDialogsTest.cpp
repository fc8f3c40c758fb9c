#include "app/dialogs/Agirlik.h"
#include "app/dialogs/Form5.h"
#include "app/dialogs/ImtRapor.h"
#include "app/dialogs/Porgres.h"
#include "app/dialogs/SifreCheck.h"
#include "app/kit/Formats.h"
#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/text/CodePage.h"
#include "platform/text/Rtf.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace {

bool hasCloseBox(QWidget* w)
{
    return w->windowFlags() & Qt::WindowCloseButtonHint;
}

// --- Yes/no question ---------------------------------------------------------

class Form5Test : public ScreensTest {};

TEST_F(Form5Test, DesignTexts)
{
    EXPECT_EQ(Form5->windowTitle(), "Uyarı");
    EXPECT_EQ(child<QLabel>(Form5, "Label1")->text(), "XXX");
    EXPECT_EQ(Form5->BitBtn1->text(), "Evet");
    EXPECT_TRUE(Form5->BitBtn1->isDefault());
    EXPECT_EQ(Form5->BitBtn2->text(), "Hayır");
    EXPECT_FALSE(hasCloseBox(Form5));
    EXPECT_EQ(child<QPushButton>(Form5, "BitBtn2"), Form5->BitBtn2);
}

enum class Way { Evet, Hayir, Esc, Enter, Closed };
struct WayCase {
    Way way;
    int confirmed;
};
class Form5Ways : public Form5Test, public ::testing::WithParamInterface<WayCase> {};

TEST_P(Form5Ways, FlagFollowsTheWayTheQuestionIsLeft)
{
    Form5->Label1->setText("ALİ VELİ Silinecektir. Emin misiniz ...?");
    Form5->FConfirmed = 1;  // left over from an earlier question
    modals().expect("TForm5", [](QDialog* d) {
        EXPECT_EQ(Form5->FConfirmed, 0) << "reset when the question shows";
        switch (GetParam().way) {
        case Way::Evet: click(Form5->BitBtn1); break;
        case Way::Hayir: click(Form5->BitBtn2); break;
        case Way::Esc: QTest::keyClick(d, Qt::Key_Escape); break;
        case Way::Enter: QTest::keyClick(d, Qt::Key_Return); break;
        case Way::Closed: d->close(); break;
        }
        EXPECT_FALSE(d->isVisible());
    });
    Form5->showModal();
    EXPECT_EQ(Form5->FConfirmed, GetParam().confirmed);
}

INSTANTIATE_TEST_SUITE_P(Ways, Form5Ways,
                         ::testing::Values(WayCase{Way::Evet, 1}, WayCase{Way::Hayir, 0}, WayCase{Way::Esc, 0},
                                           WayCase{Way::Enter, 1}, WayCase{Way::Closed, 0}));

// A question whose "Evet" ends a running bout or deletes lists: "Hayır" is the
// default, Space answers neither button. Keys go to the widget that has the
// keyboard, as the operator's do.
enum class Key { Space, SpaceOnEvet, Enter, Esc, ClickEvet, TabThenEnter };
struct CarefulCase {
    const char* name;
    std::vector<Key> keys;
    bool stillShown;    // after the keys
    int confirmed;      // after the question closed (closed as by the close box when still shown)
};

void PrintTo(const CarefulCase& c, std::ostream* os) { *os << c.name; }

class Form5DefaultNo : public Form5Test, public ::testing::WithParamInterface<CarefulCase> {};

TEST_P(Form5DefaultNo, SpaceAnswersNothingAndEnterAnswersHayir)
{
    modals().expect("TForm5", [](QDialog* d) {
        EXPECT_TRUE(Form5->BitBtn2->isDefault());
        EXPECT_FALSE(Form5->BitBtn1->isDefault());
        EXPECT_EQ(d->focusWidget(), Form5->BitBtn2);
        for (Key k : GetParam().keys) {
            switch (k) {
            case Key::Space: QTest::keyClick(d->focusWidget(), Qt::Key_Space); break;
            case Key::SpaceOnEvet: QTest::keyClick(Form5->BitBtn1, Qt::Key_Space); break;
            case Key::Enter: QTest::keyClick(d->focusWidget(), Qt::Key_Return); break;
            case Key::Esc: QTest::keyClick(d->focusWidget(), Qt::Key_Escape); break;
            case Key::ClickEvet: click(Form5->BitBtn1); break;
            case Key::TabThenEnter:
                QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
                EXPECT_EQ(d->focusWidget(), Form5->BitBtn1);
                QTest::keyClick(d->focusWidget(), Qt::Key_Return);
                break;
            }
        }
        EXPECT_EQ(d->isVisible(), GetParam().stillShown);
    });
    EXPECT_EQ(Form5->confirm("TÜM MÜSABAKA LİSTELERİ SİLİNECEKTİR. EMİN MİSİNİZ ...?", false, TForm5::DefaultNo),
              GetParam().confirmed == 1);
    EXPECT_EQ(Form5->FConfirmed, GetParam().confirmed);

    // Every other question keeps "Evet" as its default, and Space on it
    // answers it.
    modals().expect("TForm5", [](QDialog* d) {
        EXPECT_TRUE(Form5->BitBtn1->isDefault());
        EXPECT_FALSE(Form5->BitBtn2->isDefault());
        ASSERT_EQ(d->focusWidget(), Form5->BitBtn1);
        QTest::keyClick(d->focusWidget(), Qt::Key_Space);
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_TRUE(Form5->confirm("ALİ VELİ Silinecektir. Emin misiniz ...?"));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Form5DefaultNo,
    ::testing::Values(CarefulCase{"Space", {Key::Space}, true, 0},
                      CarefulCase{"SpaceOnEvet", {Key::SpaceOnEvet}, true, 0},
                      CarefulCase{"SpacesThenEnter", {Key::Space, Key::SpaceOnEvet, Key::Enter}, false, 0},
                      CarefulCase{"Enter", {Key::Enter}, false, 0},
                      CarefulCase{"Esc", {Key::Esc}, false, 0},
                      CarefulCase{"EvetClicked", {Key::ClickEvet}, false, 1},
                      CarefulCase{"TabToEvetThenEnter", {Key::TabThenEnter}, false, 1}),
    [](const ::testing::TestParamInfo<CarefulCase>& info) { return std::string(info.param.name); });

TEST_F(Form5Test, ALongTwoLineQuestionFitsTheWindow)
{
    const QString question = QString("A").repeated(60) + " Silinecektir.\nEminmisiniz .... ?";
    Form5->Label1->setText(question);
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() - 8);
    modals().expect("TForm5", [](QDialog* d) {
        const QRect label = Form5->Label1->geometry();
        EXPECT_LE(label.right(), d->width());
        EXPECT_LT(label.bottom(), Form5->BitBtn1->y()) << "both lines stand above the buttons";
        click(Form5->BitBtn2);
    });
    Form5->showModal();
    Form5->Label1->move(Form5->Label1->x(), Form5->Label1->y() + 8);
    EXPECT_EQ(Form5->Label1->text(), question);
}

// --- Administrator password check --------------------------------------------

class SifreCheckTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        ASSERT_TRUE(login("ADMIN", "1234"));
    }
    void setAdminPassword(const QString& password)
    {
        db.update("C_SIFRE", {{"Sifre", password}}, "Key_No = 1");
    }
    static constexpr const char* kWrong =
        "Sistem Sorumlusu Şifresini Hatalı Girdiniz. İşleme Devam Edilemiyor ...!";
};

TEST_F(SifreCheckTest, DesignTexts)
{
    EXPECT_EQ(SifreCheck->windowTitle(), "Şifre Gir");
    EXPECT_EQ(SifreCheck->Label1->text(), "Sistem Sorumlusu Şifresi");
    EXPECT_EQ(SifreCheck->Edit1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(SifreCheck->BitBtn1->text(), "Devam");
    EXPECT_TRUE(SifreCheck->BitBtn1->isDefault());
    EXPECT_TRUE(hasCloseBox(SifreCheck));
}

TEST_F(SifreCheckTest, WrongPasswordKeepsTheCheckOpenUntilTheRightOne)
{
    modals().expect("TSifreCheck", [this](QDialog* d) {
        auto* edit = child<QLineEdit>(d, "Edit1");
        EXPECT_EQ(edit->text(), "") << "cleared at activation";
        typeInto(edit, "4321");
        click(SifreCheck->BitBtn1);
        EXPECT_EQ(ui().lastText(), kWrong);
        EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
        EXPECT_EQ(edit->text(), "");
        EXPECT_EQ(SifreCheck->FPasswordOk, 0);
        EXPECT_TRUE(d->isVisible());
        typeInto(edit, "1234");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_FALSE(d->isVisible());
    });
    SifreCheck->Edit1->setText("eski");
    SifreCheck->showModal();
    EXPECT_EQ(SifreCheck->FPasswordOk, 1);
    EXPECT_EQ(SifreCheck->FAdminPassword, "1234");
    EXPECT_EQ(ui().texts(), QStringList({kWrong}));
}

TEST_F(SifreCheckTest, ClosingIsARefusalEvenAfterAnEarlierPass)
{
    SifreCheck->FPasswordOk = 1;
    modals().expect("TSifreCheck", [](QDialog* d) {
        EXPECT_EQ(SifreCheck->FPasswordOk, 0);
        d->close();
    });
    SifreCheck->showModal();
    EXPECT_EQ(SifreCheck->FPasswordOk, 0);
    EXPECT_EQ(ui().count(), 0);
}

TEST_F(SifreCheckTest, PasswordIsReadAnewAtEveryShowing)
{
    auto tryPassword = [](const QString& typed) {
        modals().expect("TSifreCheck", [typed](QDialog*) {
            SifreCheck->Edit1->setText(typed);
            click(SifreCheck->BitBtn1);
        });
        SifreCheck->showModal();
        return SifreCheck->FPasswordOk;
    };
    EXPECT_EQ(tryPassword("1234"), 1);
    setAdminPassword("777");  // changed on the user accounts screen
    EXPECT_EQ(tryPassword("1234"), 0);
    EXPECT_EQ(tryPassword("777"), 1);
}

struct PasswordCase {
    const char* stored;
    const char* typed;
    int ok;
};
class SifreCheckCases : public SifreCheckTest, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(SifreCheckCases, TypedTextMustEqualTheStoredPasswordExactly)
{
    setAdminPassword(GetParam().stored);
    modals().expect("TSifreCheck", [](QDialog* d) {
        SifreCheck->Edit1->setText(GetParam().typed);
        click(SifreCheck->BitBtn1);
        if (d->isVisible())
            d->close();
    });
    SifreCheck->showModal();
    EXPECT_EQ(SifreCheck->FPasswordOk, GetParam().ok);
    EXPECT_EQ(ui().count(), GetParam().ok ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Passwords, SifreCheckCases,
                         ::testing::Values(PasswordCase{"1234", "1234", 1}, PasswordCase{"1234", "", 0},
                                           PasswordCase{"1234", "01234", 0}, PasswordCase{"1234", "1234 ", 0},
                                           PasswordCase{"", "", 1}, PasswordCase{"", "0", 0},
                                           PasswordCase{"0012", "0012", 1}, PasswordCase{"0012", "12", 0}));

TEST_F(SifreCheckTest, WithoutAnAdministratorRowNothingPasses)
{
    db.exec("delete * from C_SIFRE where Key_No = 1");
    modals().expect("TSifreCheck", [](QDialog* d) {
        click(SifreCheck->BitBtn1);  // empty field
        EXPECT_EQ(ui().lastText(), kWrong);
        EXPECT_TRUE(d->isVisible());
        d->close();
    });
    SifreCheck->showModal();
    EXPECT_EQ(SifreCheck->FPasswordOk, 0);
}

// --- Weight entry ------------------------------------------------------------

struct NumberCase {
    const char* text;
    char separator;
    bool reads;
    double value;
};
class WeightNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(WeightNumbers, ReadWithTheUsersDecimalSeparator)
{
    double v = -1;
    EXPECT_EQ(TAgirlik::readsAsNumber(GetParam().text, QChar(GetParam().separator), &v), GetParam().reads);
    if (GetParam().reads) {
        EXPECT_DOUBLE_EQ(v, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WeightNumbers,
    ::testing::Values(NumberCase{"72,5", ',', true, 72.5}, NumberCase{"72.5", ',', false, 0},
                      NumberCase{"72.5", '.', true, 72.5}, NumberCase{"72,5", '.', false, 0},
                      NumberCase{"72", ',', true, 72}, NumberCase{" 58,25 ", ',', true, 58.25},
                      NumberCase{",5", ',', true, 0.5}, NumberCase{"-3,5", ',', true, -3.5},
                      NumberCase{"1,5E1", ',', true, 15}, NumberCase{"", ',', false, 0},
                      NumberCase{"  ", ',', false, 0}, NumberCase{"abc", ',', false, 0},
                      NumberCase{"72,5,1", ',', false, 0}, NumberCase{"1.072,5", ',', false, 0},
                      NumberCase{"72 5", ',', false, 0}, NumberCase{",", ',', false, 0}));

class AgirlikTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        saved = Formats::decimalSeparator();
        Formats::setDecimalSeparator(',');  // the Turkish setting
    }
    void TearDown() override
    {
        Formats::setDecimalSeparator(saved);
        ScreensTest::TearDown();
    }
    QChar saved;
    static constexpr const char* kBad =
        "Hatalı Kilo Girdiniz. Lütfen Düzeltiniz ...!\n(Not: Ondalık ayıracında virgül kullanınız)";
};

TEST_F(AgirlikTest, DesignTexts)
{
    EXPECT_EQ(Agirlik->windowTitle(), "Kilo Girişi");
    EXPECT_EQ(Agirlik->Label1->text(), "Tartılan Kilo");
    EXPECT_EQ(Agirlik->BitBtn1->text(), "Tamam");
    EXPECT_TRUE(Agirlik->BitBtn1->isDefault());
    EXPECT_EQ(Agirlik->BitBtn2->text(), "İptal");
    EXPECT_FALSE(hasCloseBox(Agirlik));
}

TEST_F(AgirlikTest, CommaPassesAndPointIsRefusedInTheTurkishSetting)
{
    Agirlik->Edit1->setText("61,0");
    Agirlik->FConfirmed = 1;
    modals().expect("TAgirlik", [](QDialog* d) {
        auto* edit = child<QLineEdit>(d, "Edit1");
        EXPECT_EQ(edit->text(), "") << "cleared at activation";
        EXPECT_EQ(Agirlik->FConfirmed, 0);
        typeInto(edit, "72.5");
        click(Agirlik->BitBtn1);
        EXPECT_EQ(ui().lastText(), kBad);
        EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(Agirlik->FConfirmed, 0);
        edit->setText("72,5");
        QTest::keyClick(edit, Qt::Key_Return);  // Enter in the field is "Tamam"
        EXPECT_FALSE(d->isVisible());
    });
    Agirlik->showModal();
    EXPECT_EQ(Agirlik->FConfirmed, 1);
    EXPECT_EQ(Agirlik->Edit1->text(), "72,5");
    EXPECT_EQ(ui().texts(), QStringList({kBad}));
}

TEST_F(AgirlikTest, CancelAndEscLeaveTheFlagAtZero)
{
    for (int way = 0; way < 2; ++way) {
        modals().expect("TAgirlik", [way](QDialog* d) {
            Agirlik->Edit1->setText("72,5");
            if (way == 0)
                click(Agirlik->BitBtn2);
            else
                QTest::keyClick(d, Qt::Key_Escape);
            EXPECT_FALSE(d->isVisible());
        });
        Agirlik->showModal();
        EXPECT_EQ(Agirlik->FConfirmed, 0);
    }
    EXPECT_EQ(ui().count(), 0);
}

// --- Progress window ---------------------------------------------------------

TEST(PorgresAlone, ProgressBarFromZeroToHundredShownBesideTheWork)
{
    TPorgres p;
    EXPECT_EQ(p.windowTitle(), "İşlem");
    EXPECT_FALSE(hasCloseBox(&p));
    EXPECT_EQ(p.ProgressBar1->minimum(), 0);
    EXPECT_EQ(p.ProgressBar1->maximum(), 100);
    p.show();
    EXPECT_FALSE(p.isModal());
    p.ProgressBar1->setValue(40);
    QTest::keyClick(&p, Qt::Key_Escape);
    EXPECT_TRUE(p.isVisible()) << "only the caller closes it";
    p.close();
    EXPECT_FALSE(p.isVisible());
}

// --- Status log --------------------------------------------------------------

class ImtRaporTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        Shell::setHook([this](const Shell::Request& r) {
            opened << r.target;
            return true;
        });
        ImtRapor->RichEdit1->clear();
        ImtRapor->Memo1->clear();
        ImtRapor->ProgressBar1->setValue(0);
    }
    void TearDown() override
    {
        Shell::setHook({});
        ImtRapor->hide();
        ScreensTest::TearDown();
    }
    void writeColouredLog()
    {
        const QList<QPair<QColor, QString>> lines = {
            {LogColour::Navy, "*** CEP TELEFONU HATALI OLAN KAYITLAR LİSTESİ ***"},
            {LogColour::Black, "AHMET ÇAĞLAR (0212 555 44 33)"},
            {LogColour::Grey, "ŞÜKRÜ ÖZ, ŞÜKRÜ ÖZTÜRK (5321234567 --> Aynı Numara)"},
            {LogColour::DarkGreen, "İĞNECİ kaydedildi"},
            {LogColour::Red, "ığdır hatalı"}};
        for (const auto& l : lines) {
            ImtRapor->CurrText().setForeground(l.first);
            ImtRapor->addLine(l.second);
        }
    }
    static QList<QPair<QString, QColor>> colouredLines(const QTextDocument& doc)
    {
        QList<QPair<QString, QColor>> out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            if (b.text().isEmpty())
                continue;
            const QTextCharFormat f = b.begin().fragment().charFormat();
            out << qMakePair(b.text(), f.foreground().style() == Qt::NoBrush ? QColor() : f.foreground().color());
        }
        return out;
    }
    QStringList opened;
};

TEST_F(ImtRaporTest, DesignTexts)
{
    EXPECT_EQ(ImtRapor->windowTitle(), "Rapor");
    EXPECT_TRUE(hasCloseBox(ImtRapor));
    EXPECT_EQ(ImtRapor->Label1->text(), "Durum Ekranı");
    EXPECT_EQ(child<QPushButton>(ImtRapor, "BitBtn1")->text(), "Hatalı Listesi");
    EXPECT_EQ(child<QPushButton>(ImtRapor, "BitBtn4")->text(), "SMS Listesi");
    EXPECT_EQ(child<QPushButton>(ImtRapor, "BitBtn2")->text(), "Kapat");
    EXPECT_EQ(ImtRapor->ProgressBar1->maximum(), 100);
    EXPECT_TRUE(ImtRapor->RichEdit1->isReadOnly());
    EXPECT_EQ(ImtRapor->RichEdit1->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(ImtRapor->RichEdit1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(ImtRapor->Memo1->isVisibleTo(ImtRapor));
    EXPECT_EQ(ImtRapor->SaveDialog1.Filter, "WordPad Dosyası (*.rtf)");
    EXPECT_EQ(ImtRapor->SaveDialog1.DefaultExt, "rtf");
    EXPECT_EQ(ImtRapor->SaveDialog2.Filter, "Excel Dosyası (*.xls)");
    EXPECT_EQ(ImtRapor->SaveDialog2.DefaultExt, "xls");
}

TEST_F(ImtRaporTest, EachLineKeepsTheColourSetBeforeIt)
{
    ImtRapor->show();
    writeColouredLog();
    EXPECT_EQ(ImtRapor->lines(),
              QStringList({"*** CEP TELEFONU HATALI OLAN KAYITLAR LİSTESİ ***", "AHMET ÇAĞLAR (0212 555 44 33)",
                           "ŞÜKRÜ ÖZ, ŞÜKRÜ ÖZTÜRK (5321234567 --> Aynı Numara)", "İĞNECİ kaydedildi",
                           "ığdır hatalı"}));
    const auto lines = colouredLines(*ImtRapor->RichEdit1->document());
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0].second, QColor(0, 0, 128));
    EXPECT_EQ(lines[1].second, QColor(0, 0, 0));
    EXPECT_EQ(lines[2].second, QColor(128, 128, 128));
    EXPECT_EQ(lines[3].second, QColor(0, 111, 0));
    EXPECT_EQ(lines[4].second, QColor(255, 0, 0));
    EXPECT_FALSE(ImtRapor->isModal());
}

TEST_F(ImtRaporTest, HataliListesiSavesTheColouredLogAsRtfAndOpensIt)
{
    writeColouredLog();
    ImtRapor->SaveDialog1.FileName = "C:\\CO\\HATALILAR.rtf";
    click(ImtRapor->BitBtn1);
    EXPECT_EQ(ui().count(), 0) << "saved without asking";
    EXPECT_EQ(opened, QStringList({"C:\\CO\\HATALILAR.rtf"}));
    QTextDocument saved;
    ASSERT_TRUE(Rtf::load(saved, host("C:\\CO\\HATALILAR.rtf")));
    EXPECT_EQ(colouredLines(saved), colouredLines(*ImtRapor->RichEdit1->document()));
}

TEST_F(ImtRaporTest, SmsListesiSavesTheListInCodePage1254AndOpensIt)
{
    ImtRapor->Memo1->appendPlainText("AHMET ÇAĞLAR;5321234567");
    ImtRapor->Memo1->appendPlainText("ŞÜKRÜ İĞNECİ;5339998877");
    ImtRapor->SaveDialog2.FileName = "C:\\CO\\Liste.csv";
    click(ImtRapor->BitBtn4);
    EXPECT_EQ(opened, QStringList({"C:\\CO\\Liste.csv"}));
    QFile f(host("C:\\CO\\Liste.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), Cp1254::encode("AHMET ÇAĞLAR;5321234567\r\nŞÜKRÜ İĞNECİ;5339998877\r\n"));
}

TEST_F(ImtRaporTest, WithoutAFileNameTheUserChoosesOne)
{
    writeColouredLog();
    ImtRapor->SaveDialog1.FileName.clear();
    const QString chosen = dir.path() + "/durum";
    ui().answerFile(chosen);
    click(ImtRapor->BitBtn1);
    ASSERT_EQ(ui().count(), 1);
    EXPECT_EQ(ui().requests[0].kind, UiRequest::SaveFile);
    EXPECT_EQ(ui().requests[0].filter, "WordPad Dosyası (*.rtf)");
    EXPECT_EQ(ImtRapor->SaveDialog1.FileName, chosen + ".rtf");
    EXPECT_TRUE(QFile::exists(chosen + ".rtf"));
    EXPECT_EQ(opened, QStringList({chosen + ".rtf"}));

    // Cancelled: nothing is written or opened.
    ImtRapor->SaveDialog2.FileName.clear();
    ui().answerCancel();
    click(ImtRapor->BitBtn4);
    EXPECT_EQ(ui().count(), 2);
    EXPECT_EQ(ImtRapor->SaveDialog2.FileName, "");
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(ui().texts(), QStringList());
}

TEST_F(ImtRaporTest, AFailingSaveSaysSoAndOpensNothing)
{
    writeColouredLog();
    ImtRapor->Memo1->appendPlainText("AHMET;5321234567");
    ImtRapor->SaveDialog1.FileName = "C:\\CO\\YOK\\HATALILAR.rtf";
    ImtRapor->SaveDialog2.FileName = "C:\\CO\\YOK\\Liste.csv";
    click(ImtRapor->BitBtn1);
    click(ImtRapor->BitBtn4);
    EXPECT_EQ(ui().texts(), QStringList({"Dosya Kaydedilemedi ...!\nC:\\CO\\YOK\\HATALILAR.rtf",
                                         "Dosya Kaydedilemedi ...!\nC:\\CO\\YOK\\Liste.csv"}));
    EXPECT_EQ(ui().requests[0].kind, UiRequest::Error);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ImtRaporTest, ClosingEnablesTheWaitingScreensAndShowsSmsListesiAgain)
{
    QWidget editor, search;
    ImtRapor->enableOnClose(&editor);
    ImtRapor->enableOnClose(&search);
    auto* removed = new QWidget;
    ImtRapor->enableOnClose(removed);
    delete removed;  // a screen that is gone is skipped
    for (int way = 0; way < 2; ++way) {
        search.setEnabled(false);  // the caller disabled itself
        editor.setEnabled(false);
        ImtRapor->BitBtn4->hide();  // the exam import hides "SMS Listesi"
        ImtRapor->show();
        QTest::keyClick(ImtRapor, Qt::Key_Escape);
        EXPECT_TRUE(ImtRapor->isVisible()) << "Esc does not close the log";
        EXPECT_FALSE(search.isEnabled()) << "the caller stays disabled while the log is open";
        if (way == 0)
            click(ImtRapor->BitBtn2);
        else
            ImtRapor->close();  // the close box
        EXPECT_FALSE(ImtRapor->isVisible());
        EXPECT_TRUE(search.isEnabled());
        EXPECT_TRUE(editor.isEnabled());
        EXPECT_TRUE(ImtRapor->BitBtn4->isVisibleTo(ImtRapor));
    }
}

} // namespace
