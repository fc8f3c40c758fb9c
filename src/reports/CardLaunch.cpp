#include "reports/CardLaunch.h"

#include "platform/db/Database.h"
#include "platform/ui/Messages.h"
#include "reports/Akreditasyon.h"
#include "reports/Baslik1S.h"
#include "reports/BaslikDip.h"
#include "reports/CardReport.h"
#include "reports/Margin.h"
#include "reports/Millilik.h"
#include "reports/PrintMenuD1.h"
#include "app/kit/Session.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>

namespace Cards {
namespace {

using S = Shown;

bool hasKey(const QVariant& key)
{
    return key.isValid() && !key.isNull() && !key.toString().isEmpty();
}

// The two checks of every card launcher.
bool checkCardList(const RegistryList& list)
{
    if (!list.open) {
        Messages::info(notSearchedText());
        return false;
    }
    if (!hasKey(list.currentKey)) {
        Messages::info(emptyListText());
        return false;
    }
    return true;
}

// Selected keys as a list of numbers; anything else is refused rather than
// put into a statement.
QString keyList(const QString& keys)
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

// The page-setup dialog's choices onto a card form.
void applyMargin(TCardReport& card)
{
    card.setRegisterNumberShown(!Margin->CheckBox1->isChecked());
    card.setOffsets(Margin->topOffset(), Margin->leftOffset());
    card.FVisaYear = Margin->visaYear();
    card.FStamp = Margin->FConfirmed == 1;
    card.FCardTitle = Margin->Edit3->text();
}

// Steps 7 to 9 of a card print: the persons, the preview, the end.
void previewCard(TCardReport& card, const ReportCaller& caller, const RegistryList& list)
{
    card.Query1.sql = ReportLaunch::listQuery(list.selection);
    card.Query1.params = list.selection.params;
    card.Query1.open();
    ReportLaunch::preview(card, caller);
    card.Query1.close();
}

bool signedInAdmin()
{
    return session().user.FIsAdmin;
}

void printCard(const MenuItem& item, const ReportCaller& caller, const RegistryList& list)
{
    if (!checkCardList(list))
        return;
    const CardDesign* d = design(QString::fromUtf8(item.form));
    if (!d)
        return;
    auto card = std::make_unique<TCardReport>(*d);
    card->FCardKind = item.kind;
    if (*item.title)
        card->setRoleCaptions(QString::fromUtf8(item.title), QString::fromUtf8(item.subtitle));
    Margin->showModal();
    applyMargin(*card);
    previewCard(*card, caller, list);
}

// The competition title dialog with the person panel of the accreditation
// card below its own fields.
void askAccreditationTitle()
{
    const QSize size = Baslik1S->size();
    const bool weights = Baslik1S->CheckBox2->isVisible();
    const bool clubs = Baslik1S->CheckBox3->isVisible();
    Baslik1S->CheckBox2->setVisible(false);
    Baslik1S->CheckBox3->setVisible(false);
    Baslik1S->Panel1->move(0, size.height());
    Baslik1S->Panel1->show();
    Baslik1S->setFixedSize(size.width(), size.height() + Baslik1S->Panel1->height());
    Baslik1S->showModal();
    Baslik1S->Panel1->hide();
    Baslik1S->setFixedSize(size);
    Baslik1S->CheckBox2->setVisible(weights);
    Baslik1S->CheckBox3->setVisible(clubs);
}

void weighIn(const ReportCaller& caller, const QString& sql, const QString& category, bool direct)
{
    // The title is the activity the cards are for: picked in the dialog,
    // whose activity picker shows for these cards whatever the other
    // reports do with it.
    Baslik1S->CheckBox2->setVisible(false);
    Baslik1S->CheckBox3->setVisible(false);
    Baslik1S->Edit8->setReadOnly(true);
    const bool pickerShown = Baslik1S->DBLookupComboBox1->isVisibleTo(Baslik1S);
    Baslik1S->DBLookupComboBox1->setVisible(true);
    Baslik1S->showModal();
    Baslik1S->DBLookupComboBox1->setVisible(pickerShown);
    Baslik1S->Edit8->setReadOnly(false);
    // A title left behind by another report is no activity: the card's
    // title line would be empty.
    if (Baslik1S->Edit8->text().isEmpty() || Baslik1S->FActivityTitle.isEmpty()) {
        Messages::info("Lütfen Turnuva Seçiniz ...!");
        return;
    }
    auto card = std::make_unique<TAkreditasyon>();
    card->QRLabelTitle->caption = Baslik1S->FActivityTitle;
    card->QRLabelRole->caption = "SPORCU";
    card->QRLabelCaption->caption.clear();
    card->QRLabelCategory->caption = category;
    card->FCategoryText = category;
    card->FCardKind = 1;
    card->Query1.sql = sql;
    card->Query1.params.clear();
    printAccreditation(*card, caller, direct);
}

} // namespace

const std::vector<Submenu>& submenus()
{
    static const std::vector<Submenu> all{{"SporcuKimlikleri1", "Sporcu Kimlikleri", S::Nobody},
                                          {"HakemKimlikleri1", "Hakem Kimlikleri", S::Everyone},
                                          {"MenejerKimlik1", "Menajer Kimlikler", S::Administrator}};
    return all;
}

const std::vector<MenuItem>& menuItems()
{
    static const std::vector<MenuItem> all{
        {"MsabakaKart1", "Müsabaka Kartı", "", "", 0, "", "", S::Nobody},
        {"Diploma1", "Diploma", "", "", 0, "", "", S::Nobody},
        {"Sporcu1", "Sporcu", "SporcuKimlikleri1", "TPrintMenu55", 0, "", "", S::Nobody},
        {"AKlasmanProfesyonelHakem2", "A Klasmanı Profesyonel Sporcu", "SporcuKimlikleri1", "TPrintMenu75", 0,
         "PROFESYONEL SPORCU", "A KLASMAN", S::Nobody},
        {"BKlasmanProfesyonelHakem2", "B Klasmanı Profesyonel Sporcu", "SporcuKimlikleri1", "TPrintMenu75", 0,
         "PROFESYONEL SPORCU", "B KLASMAN", S::Nobody},
        {"CKlasmanProfesyonelSporcu1", "C Klasmanı Profesyonel Sporcu", "SporcuKimlikleri1", "TPrintMenu75", 0,
         "PROFESYONEL SPORCU", "C KLASMAN", S::Nobody},
        {"NewKlasmanProfesyonelSporcu1", "New Klasman Profesyonel Sporcu", "SporcuKimlikleri1", "TPrintMenu75", 0,
         "PROFESYONEL SPORCU", "NEW KLASMAN", S::Nobody},
        {"KimlikYazdrma1", "Sporcu Kimlik", "", "TPrintMenu55", 0, "", "", S::Administrator},
        {"SporcuKuakKimlik1", "Sporcu Kuşak Kimlik", "", "TPrintMenu63", 0, "", "", S::Nobody},
        {"LisanslSporcuKimlik1", "Profesyonel Sporcu Lisans Kartı", "", "TPrintMenu62", 0, "", "", S::Administrator},
        {"MilliSporcuKimlik1", "Milli Sporcu Kimlik", "", "TPrintMenu71", 0, "", "", S::Nobody},
        {"AmatrSporcuLisans1", "Amatör Sporcu Lisans Kartı", "", "TPrintMenu65", 0, "", "", S::Administrator},
        {"AntrenrKimlik1", "Antrenör Kimlik", "", "TPrintMenu57", 1, "", "", S::Administrator},
        {"AntrenrKimlikVizesiz1", "Antrenör Kimlik (Vizesiz)", "", "TPrintMenu73", 1, "", "", S::Nobody},
        {"Hakem1", "Hakem", "HakemKimlikleri1", "TPrintMenu56", 2, "", "", S::Everyone},
        {"AKlasmanProfesyonelHakem1", "A Klasmanı Profesyonel Hakem", "HakemKimlikleri1", "TPrintMenu64", 2,
         "PROFESYONEL HAKEM", "", S::Everyone},
        {"BKlasmanProfesyonelHakem1", "B Klasmanı Profesyonel Hakem", "HakemKimlikleri1", "TPrintMenu67", 2,
         "PROFESYONEL HAKEM", "", S::Everyone},
        {"CKlasmanProfesyonelHakem1", "C Klasmanı Profesyonel Hakem", "HakemKimlikleri1", "TPrintMenu68", 2,
         "PROFESYONEL HAKEM", "", S::Everyone},
        {"HakemKimlik1", "Hakem Kimlik", "", "TPrintMenu56", 2, "", "", S::Nobody},
        {"PoomseHakem1", "Poomse Hakem", "", "TPrintMenu72", 0, "", "", S::Nobody},
        {"FederasyonKimlik1", "Federasyon Kurulu Kimlik", "", "TPrintMenu58", 3, "", "", S::Administrator},
        {"YnetimKurulu1", "Yönetim Kurulu Kimlik", "", "TPrintMenu60", 3, "", "", S::Administrator},
        {"lKemsilcisiKimlik1", "İl Temsilcisi Kimlik", "", "TPrintMenu59", 4, "", "", S::Administrator},
        {"SzlemeliPersonelKimlik1", "Personel Kimlik", "", "TPrintMenu61", 3, "", "", S::Administrator},
        {"Menajer1", "Menajer", "MenejerKimlik1", "TPrintMenu66", 1, "", "", S::Administrator},
        {"AKlasmanMenajer1", "A Klasmanı Menajer", "MenejerKimlik1", "TPrintMenu64", 1, "MENAJER", "",
         S::Administrator},
        {"BKlasmanMenajer1", "B Klasmanı Menajer", "MenejerKimlik1", "TPrintMenu67", 1, "MENAJER", "",
         S::Administrator},
        {"CKlasmanMenajer1", "C Klasmanı Menajer", "MenejerKimlik1", "TPrintMenu68", 1, "MENAJER", "",
         S::Administrator},
        {"Tamsilci", "Temsilci", "", "TPrintMenu70", 0, "", "", S::Nobody},
        {"FederasyonBakan1", "Federasyon Başkanı", "", "TPrintMenu5B", 0, "", "", S::Nobody},
    };
    return all;
}

const MenuItem* menuItem(const QString& name)
{
    for (const MenuItem& m : menuItems())
        if (name == QLatin1String(m.name))
            return &m;
    return nullptr;
}

bool shownTo(Shown shown, bool isAdmin)
{
    return shown == S::Everyone || (shown == S::Administrator && isAdmin);
}

bool offered(const MenuItem& item, bool isAdmin)
{
    if (item.shown != S::Nobody)
        return shownTo(item.shown, isAdmin);
    // Items that only repeat an offered one stay hidden.
    const QString name = QString::fromLatin1(item.name);
    return isAdmin && name != "Sporcu1" && name != "HakemKimlik1";
}

void addMenuItems(QMenu* menu, bool isAdmin, const std::function<void(const QString& item)>& run)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName("CardItems");
    for (const MenuItem& item : menuItems()) {
        QMenu* into = menu;
        if (*item.submenu) {
            into = menu->findChild<QMenu*>(QString::fromLatin1(item.submenu), Qt::FindDirectChildrenOnly);
            if (!into) {
                const Submenu* sub = nullptr;
                for (const Submenu& s : submenus())
                    if (QLatin1String(s.name) == QLatin1String(item.submenu))
                        sub = &s;
                into = menu->addMenu(QString::fromUtf8(sub ? sub->caption : item.submenu));
                into->setObjectName(QString::fromLatin1(item.submenu));
                into->menuAction()->setObjectName(QString::fromLatin1(item.submenu) + "Action");
            }
        }
        QAction* a = into->addAction(QString::fromUtf8(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        const QString name = QString::fromLatin1(item.name);
        QObject::connect(a, &QAction::triggered, menu, [run, name] { run(name); });
    }
    applyRights(menu, isAdmin);
}

void applyRights(QMenu* menu, bool isAdmin)
{
    for (const MenuItem& item : menuItems())
        if (auto* a = menu->findChild<QAction*>(QString::fromLatin1(item.name)))
            a->setVisible(offered(item, isAdmin));
    for (const Submenu& s : submenus()) {
        auto* sub = menu->findChild<QMenu*>(QString::fromLatin1(s.name), Qt::FindDirectChildrenOnly);
        if (!sub)
            continue;
        bool any = false;
        for (const MenuItem& item : menuItems())
            any = any || (QLatin1String(item.submenu) == QLatin1String(s.name) && offered(item, isAdmin));
        sub->menuAction()->setVisible(any);
    }
}

QString notSearchedText()
{
    return "Lütfen 'Kayıt Bul' Düğmesine Basarak Kimlik Bastıracağınız Kişiyi Seçiniz ...!";
}

QString emptyListText()
{
    return "Liste Alanında Herhangibir Kayıt Bulunmamaktadır ...!";
}

void launch(const QString& name, const ReportCaller& caller, const RegistryList& list)
{
    const MenuItem* item = menuItem(name);
    if (!item || !offered(*item, signedInAdmin()))
        return;
    if (name == "MsabakaKart1")
        MsabakaKart1Click(caller, list);
    else if (name == "Diploma1")
        Diploma1Click(caller, list);
    else if (name == "MilliSporcuKimlik1")
        MilliSporcuKimlik1Click(caller, list);
    else
        printCard(*item, caller, list);
}

void MsabakaKart1Click(const ReportCaller& caller, const RegistryList& list)
{
    askAccreditationTitle();
    TBaslik1S& dialog = *Baslik1S;
    const QString title = dialog.Edit8->text();
    const QString typedName = dialog.Edit1->text();
    if (title.isEmpty()) {
        Messages::info("Lütfen Başlık Belirtiniz ...!");
        return;
    }
    if (dialog.RadioButton6->isChecked() && typedName.isEmpty()) {
        Messages::info("Lütfen Ad Soyad Giriniz ...!");
        return;
    }
    if (typedName.isEmpty()) {
        if (!list.open) {
            Messages::info("Lütfen 'Kayıt Bul' Düğmesine Basarak Kart Bastıracağınız Kişiyi Seçiniz ...!");
            return;
        }
        if (!hasKey(list.currentKey)) {
            Messages::info(emptyListText());
            return;
        }
    }
    auto card = std::make_unique<TAkreditasyon>();
    if (typedName.isEmpty()) {
        card->Query1.sql = ReportLaunch::listQuery(list.selection);
        card->Query1.params = list.selection.params;
    }
    card->QRLabelCaption->caption.clear();
    card->QRLabelTitle->caption =
        !dialog.FActivityName.isEmpty() && title == dialog.FActivityName ? dialog.FActivityTitle : title;

    if (!typedName.isEmpty()) {
        if (dialog.RadioButton6->isChecked()) {
            card->QRLabelRole->caption.clear();
            card->QRLabelCaption->caption = dialog.Edit2->text();
        }
        card->FCardKind = 5;
        card->QRLabelName->caption = typedName;
        card->Query1.sql = "select * from C_MUSTERI where Musteri_Key =0";
        card->Query1.params.clear();
    } else if (dialog.RadioButton1->isChecked()) {
        card->QRLabelRole->caption = "SPORCU";
        card->FCardKind = 2;
    } else if (dialog.RadioButton2->isChecked()) {
        card->QRLabelRole->caption = "HAKEM";
        card->FCardKind = 3;
    } else if (dialog.RadioButton3->isChecked()) {
        card->QRLabelRole->caption = "ANTRENÖR";
        card->FCardKind = 6;
    } else if (dialog.RadioButton5->isChecked()) {
        card->QRLabelRole->caption = "HAKEM-ANTRENÖR";
        card->FCardKind = 7;
    } else if (dialog.RadioButton4->isChecked()) {
        card->QRLabelRole->caption.clear();
        card->QRLabelCaption->caption = dialog.Edit2->text();
        card->FCardKind = 4;
    }
    printAccreditation(*card, caller, false);
}

void printAccreditation(TAkreditasyon& card, const ReportCaller& caller, bool direct)
{
    card.FFirstRow = 1;
    card.Memo1.clear();
    card.FOutputDone = false;
    if (card.FCardKind != 5)
        card.Query1.open();
    if (direct) {
        if (caller.setPreviewReport)
            caller.setPreviewReport(&card);
        card.ReportBody1.print();
        card.closeDataSets();
    } else {
        ReportLaunch::preview(card, caller);
    }
    Akreditasyon::saveLog(card);
}

void weighInCard(const ReportCaller& caller, int athleteKey, const QString& category)
{
    weighIn(caller, "Select * from C_MUSTERI where Musteri_Key = " + QString::number(athleteKey), category, true);
}

void weighInCards(const ReportCaller& caller, const QList<int>& keys, const QString& category)
{
    QStringList numbers;
    for (int k : keys)
        numbers << QString::number(k);
    weighIn(caller,
            "Select * from C_MUSTERI where Musteri_Key in (" + numbers.join(',') + ") order by Ad_Soyad", category,
            false);
}

void Diploma1Click(const ReportCaller& caller, const RegistryList& list)
{
    // The diplomas are the persons': the messages speak of persons.
    if (!ReportLaunch::checkList(list.open, hasKey(list.currentKey), "Kişileri", "Kişi"))
        return;
    BaslikDip->showModal();
    TPrintMenuD1& r = *PrintMenuD1;
    r.setExamTexts(BaslikDip->Edit8->text(), BaslikDip->Edit1->text(), BaslikDip->Edit2->text(),
                   BaslikDip->Edit3->text());
    r.Query1.sql = ReportLaunch::listQuery(list.selection);
    r.Query1.params = list.selection.params;
    r.Query1.open();
    ReportLaunch::preview(r, caller);
    r.Query1.close();
}

void MilliSporcuKimlik1Click(const ReportCaller& caller, const RegistryList& list)
{
    if (!checkCardList(list))
        return;
    if (list.recordCount == 1) {
        Millilik->Query16Sql =
            "select * from F_DER where Musteri_Key = " + keyList(list.currentKey.toString()) + " Order by Tarih desc";
    } else if (list.selection.selectedKeys.isEmpty()) {
        Messages::info("Lütfen Kimlik Bastıracağınız Kişiyi Seçiniz ...!");
        return;
    } else {
        Millilik->Query16Sql = "select * from F_DER where Musteri_Key in (" + keyList(list.selection.selectedKeys) +
                               ") Order by Tarih desc";
    }
    auto card = std::make_unique<TCardReport>(*design("TPrintMenu71"));
    Margin->showModal();
    Millilik->showModal();
    card->FCompetition[0] = Millilik->Edit1->text();
    card->FCompetition[1] = Millilik->Edit2->text();
    card->FCompetition[2] = Millilik->Edit3->text();
    card->FCompetition[3] = Millilik->Edit4->text();
    card->setRegisterNumberShown(!Margin->CheckBox1->isChecked());
    card->setOffsets(Margin->topOffset(), Margin->leftOffset());
    const QString letter = Millilik->classLetter();
    card->FClassLetter = letter;
    card->FClassColour = letter == "A" ? QColor(Qt::red) : letter == "B" ? QColor(Qt::blue) : QColor(0, 128, 0);
    previewCard(*card, caller, list);
}

} // namespace Cards
