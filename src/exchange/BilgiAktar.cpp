#include "exchange/BilgiAktar.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbConventions.h"
#include "app/kit/DbGrid.h"
#include "app/kit/PlacedControls.h"
#include "app/kit/ReservedRows.h"
#include "app/kit/Session.h"
#include "app/kit/TurkishEntry.h"
#include "exchange/ExamPackage.h"
#include "exchange/ExamUpload.h"
#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/Messages.h"
#include "platform/web/FormUpload.h"
#include "registry/MaskEdit.h"
#include "registry/PersonFiles.h"
#include "reports/GenelBelge.h"
#include "reports/RegistryReports.h"
#include "reports/ReportLaunch.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

using namespace PlacedControls;

namespace {

const char* const kBilgiAktarListSql =
    "Select Musteri_Key,Vergi_Numarasi,Ad_Soyad,E75,E25,E26,M3,E67,E48,Terfi,E42,E24 from C_MUSTERI ";

Database& bilgiAktarDb()
{
    return session().db;
}

QLabel* bilgiAktarCaption(const QString& text, QWidget* parent, int x, int y, bool heading = false)
{
    auto* l = new QLabel(text, parent);
    if (heading)
        bold(l);
    l->move(x, y);
    l->adjustSize();
    return l;
}

void bilgiAktarColour(QLabel* label, const QColor& colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

// Asks a two-line question in Form5 with "Devam" / "İptal" for its buttons
// (their own captions come back afterwards); true for "Devam".
bool bilgiAktarProceed(const QString& question)
{
    const QString yes = Form5->BitBtn1->text();
    const QString no = Form5->BitBtn2->text();
    Form5->BitBtn1->setText("Devam");
    Form5->BitBtn2->setText("İptal");
    const bool go = Form5->confirm(question, true);
    Form5->BitBtn1->setText(yes);
    Form5->BitBtn2->setText(no);
    return go;
}

} // namespace

TBilgiAktar::TBilgiAktar()
{
    setWindowTitle("İmtihan Listesi ve Aktarım Ekranı");
    resize(1010, 690);

    // --- Left side ---------------------------------------------------------------
    bilgiAktarCaption("Bölge", this, 10, 12);
    Edit12 = readOnly(make<QLineEdit>("Edit12", this, {90, 8, 240, 24}));
    bilgiAktarCaption("Kulüp", this, 10, 40);
    Edit14 = readOnly(make<QLineEdit>("Edit14", this, {90, 36, 240, 24}));
    Label18 = make<QLabel>("Label18", "İmtihan Tarihi / Dönemi", this, {10, 70, 150, 20});
    MaskEdit1 = make<TMaskEdit>("MaskEdit1", this, {160, 66, 90, 24});
    Label15 = bold(make<QLabel>("Label15", "Sporcu Sayısı : ", this, {10, 96, 320, 20}));

    bilgiAktarCaption("Sınav Komisyonu Başkanı", this, 10, 122, true);
    bilgiAktarCaption("Adı Soyadı", this, 10, 144);
    Edit1 = make<QLineEdit>("Edit1", this, {110, 140, 220, 24});
    bilgiAktarCaption("Sicil No", this, 10, 170);
    Edit2 = make<QLineEdit>("Edit2", this, {110, 166, 80, 24});
    Edit2->setMaxLength(7);
    bilgiAktarCaption("Dan Derecesi", this, 200, 170);
    Edit15 = make<QLineEdit>("Edit15", this, {290, 166, 40, 24});
    bilgiAktarCaption("Antrenörlük Belge No", this, 10, 196);
    Edit16 = make<QLineEdit>("Edit16", this, {150, 192, 180, 24});
    bilgiAktarCaption("İl Temsilcisi", this, 10, 224, true);
    Edit13 = make<QLineEdit>("Edit13", this, {110, 220, 220, 24});

    QLineEdit** members[3][3] = {{&Edit3, &Edit4, &Edit5}, {&Edit6, &Edit7, &Edit8}, {&Edit9, &Edit10, &Edit11}};
    for (int m = 0; m < 3; ++m) {
        const int y = 252 + m * 64;
        bilgiAktarCaption("Sınav Komisyonu Üyesi -" + QString::number(m + 1), this, 10, y, true);
        bilgiAktarCaption("Adı Soyadı", this, 10, y + 22);
        *members[m][0] = make<QLineEdit>("Edit" + QString::number(3 + m * 3), this, {110, y + 18, 220, 24});
        bilgiAktarCaption("Sicil No", this, 10, y + 44);
        *members[m][1] = make<QLineEdit>("Edit" + QString::number(4 + m * 3), this, {110, y + 40, 80, 24});
        (*members[m][1])->setMaxLength(7);
        bilgiAktarCaption("Dan Derecesi", this, 200, y + 44);
        *members[m][2] = make<QLineEdit>("Edit" + QString::number(5 + m * 3), this, {290, y + 40, 40, 24});
    }
    bilgiAktarCaption("Açıklama", this, 10, 446);
    Memo2 = make<QPlainTextEdit>("Memo2", this, {10, 464, 320, 50});

    bilgiAktarCaption("Sürücü :", this, 10, 524);
    DriveComboBox1 = make<QComboBox>("DriveComboBox1", this, {70, 520, 260, 24});
    BitBtn3 = makeButton("BitBtn3", " Web'den Aktar", this, {10, 552, 105, 30});
    BitBtn1 = makeButton("BitBtn1", " Listele / Aktar", this, {118, 552, 110, 30});
    BitBtn2 = makeButton("BitBtn2", "Kapat", this, {231, 552, 99, 30});
    SpeedButton1 = make<QToolButton>("SpeedButton1", this, {10, 586, 150, 22});
    SpeedButton1->setText("Tarihi Güncelle");
    SpeedButton2 = make<QToolButton>("SpeedButton2", this, {165, 586, 165, 22});
    SpeedButton2->setText("Sicil Numarası Güncelle");
    Label2 = bold(make<QLabel>("Label2", "", this, {10, 590, 320, 20}));
    bilgiAktarColour(Label2, Qt::red);
    Label1 = make<QLabel>("Label1", "", this, {10, 610, 320, 56});
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    Memo1 = bold(make<QLabel>("Memo1", "", this, {10, 666, 260, 20}));
    Animate1 = make<QLabel>("Animate1", "▶▶▶", this, {280, 666, 50, 20});
    Animate1->hide();

    // --- Right side --------------------------------------------------------------
    DBGrid1 = make<TDBGrid>("DBGrid1", this, {340, 8, 660, 430});
    DBGrid1->setReadOnly(false);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    ResimEkle1 = makeItem(PopupMenu1, "ResimEkle1", "Fotoğraf Ekle");
    FotorafGsret1 = makeItem(PopupMenu1, "FotorafGsret1", "Fotoğrafı Göster");
    Sil1 = makeItem(PopupMenu1, "Sil1", "Fotoğrafı Sil");
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(at)); });

    bilgiAktarCaption("Web Durum Penceresi", this, 340, 444, true);
    WebBrowser1 = make<QTextBrowser>("WebBrowser1", this, {340, 464, 660, 218});
    WebBrowser1->setOpenLinks(false);

    // The attachment panel, at the left edge; nothing shows it.
    Panel2 = make<QWidget>("Panel2", this, {0, 0, 336, 690});
    Panel2->setAutoFillBackground(true);
    Label21 = bold(make<QLabel>("Label21", "Dosya Ekle", Panel2, {10, 10, 100, 20}));
    Label23 = bold(make<QLabel>("Label23", "Kaldır", Panel2, {120, 10, 100, 20}));
    for (int i = 0; i < ExamPackage::kMaxAttachments; ++i) {
        bilgiAktarCaption("Federasyona gönderilecek dosya:", Panel2, 10, 40 + i * 46);
        FAttachmentLabels.append(
            make<QLabel>("Attachment" + QString::number(i + 1), "", Panel2, {10, 58 + i * 46, 316, 20}));
    }
    auto* hint = new QLabel(
        "Bu alandan sınav listeniz haricinde Federasyona göndermeniz gereken sporcuya ait eski sınav listesi veya "
        "denklik yapılan sporcuya ait dekont v.b. gönderimleriniz için Dosya ekleyebilirsiniz. (En fazla 5 dosya)",
        Panel2);
    hint->setGeometry(10, 290, 316, 80);
    hint->setWordWrap(true);
    Panel2->hide();
    onClick(Label21, guarded([this] { Label21Click(); }));
    onClick(Label23, guarded([this] { Label23Click(); }));
    Label23->setEnabled(false);
    for (int i = 0; i < ExamPackage::kMaxAttachments; ++i) {
        FAttachmentNames.append(QString());
        FAttachmentPaths.append(QString());
    }

    // --- Entry ---------------------------------------------------------------------
    const QList<QWidget*> fields = {MaskEdit1, Edit1, Edit2,  Edit15, Edit16, Edit13, Edit3,         Edit4,
                                    Edit5,     Edit6, Edit7,  Edit8,  Edit9,  Edit10, Edit11,        Memo2,
                                    DriveComboBox1, BitBtn3, BitBtn1, BitBtn2, DBGrid1};
    for (QWidget* w : {Edit1, Edit2, Edit15, Edit16, Edit13, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10,
                       Edit11})
        TurkishEntry::textField(w, nullptr);
    for (QWidget* w : fields)
        w->installEventFilter(this);
    Label18->installEventFilter(this);
    DBGrid1->setTurkishUpper();

    FProgramFolder = Folders::programFolder();

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TBilgiAktar::BitBtn1Click));
    connect(BitBtn3, &QPushButton::clicked, this, guarded(this, &TBilgiAktar::BitBtn3Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &TBilgiAktar::BitBtn2Click));
    connect(SpeedButton1, &QToolButton::clicked, this, guarded(this, &TBilgiAktar::SpeedButton1Click));
    connect(SpeedButton2, &QToolButton::clicked, this, guarded(this, &TBilgiAktar::SpeedButton2Click));
    connect(ResimEkle1, &QAction::triggered, this, guarded(this, &TBilgiAktar::ResimEkle1Click));
    connect(FotorafGsret1, &QAction::triggered, this, guarded(this, &TBilgiAktar::FotorafGsret1Click));
    connect(Sil1, &QAction::triggered, this, guarded(this, &TBilgiAktar::Sil1Click));
    connect(DBGrid1, &TDBGrid::dblClick, this, guarded(this, &TBilgiAktar::DBGrid1DblClick));

    // A belt chosen in the grid is stored at once.
    DBGrid1->setWriter([](const Record& row, bool) {
        bilgiAktarDb().exec("Update C_MUSTERI set E75 = :old, E25 = :new where Musteri_Key = :key",
                            {{"old", row.value("E75")}, {"new", row.value("E25")}, {"key", row.value("Musteri_Key")}});
    });
    connect(DBGrid1, &TDBGrid::afterPost, this, [this](const Record&, bool) { FChanged = true; });
    connect(DBGrid1->model(), &QAbstractItemModel::dataChanged, this, [this] {
        if (DBGrid1->state() == TDBGrid::Edit)
            QTimer::singleShot(0, this, guarded([this] {
                                   if (DBGrid1->state() == TDBGrid::Edit)
                                       DBGrid1->post();
                               }));
    });

    m_upload = new FormUpload(this);
    connect(m_upload, &FormUpload::finished, this, guarded(this, &TBilgiAktar::uploadFinished));
}

TBilgiAktar::~TBilgiAktar() = default;

// --- Activation -------------------------------------------------------------------------------------------------

void TBilgiAktar::FormActivate()
{
    // Every opening starts afresh: nothing of the last one (its club, list,
    // package or refusal) stays on the screen, whatever ended it.
    Edit12->clear();
    Edit14->clear();
    FClubKey.clear();
    m_archive.clear();
    closeList();
    FProgramFolder = Folders::programFolder();
    SpeedButton1->hide();
    SpeedButton2->hide();
    m_belts = ExamChecks::belts(bilgiAktarDb());
    WebBrowser1->clear();
    Memo1->clear();

    FSent = false;
    FInGrid = false;
    FWebMode = false;
    FChanged = false;
    FPackageWritten = false;
    FTargetFolder = ":\\";
    FWarnOnClose = true;
    MaskEdit1->setFocus();

    bilgiAktarColour(Label1, Qt::black);
    setStatus("", "Sürücüye kayıt yapacaksanız, Lütfen aşağıdan sürücüyü seçiniz.", Qt::red);
    BitBtn1->setEnabled(true);
    BitBtn3->setEnabled(true);
    DriveComboBox1->setEnabled(true);
    setAnimation(false);
    fillDrives();

    const ExamPackage::Club club = ExamPackage::readClub(bilgiAktarDb());
    if (club.ok) {
        Edit12->setText(club.region);
        Edit14->setText(club.name);
        FClubKey = club.key;
        openList();
    } else {
        BitBtn1->setEnabled(false);
        BitBtn3->setEnabled(false);
        const QString why =
            "İmtihan listesi yalnız kendi kulübünün kaydını taşıyan kulüp veritabanında hazırlanabilir. "
            "Kulüpler tablosunda " + QString::number(club.rowCount) + " kayıt bulunduğundan aktarım yapılamaz ...!";
        // The screen itself says why nothing can be built, also after the
        // notice is gone.
        setStatus("AKTARIM YAPILAMAZ", why, Qt::red);
        Messages::info(why);
    }
}

void TBilgiAktar::fillDrives()
{
    DriveComboBox1->clear();
    for (char c = 'A'; c <= 'Z'; ++c) {
        const QChar letter(c);
        if (DriveMap::driveType(letter) == DriveMap::DriveType::None)
            continue;
        DriveComboBox1->addItem(QString(letter) + ":  " + DriveMap::driveFolder(letter), QString(letter));
    }
    DriveComboBox1->setCurrentIndex(DriveComboBox1->count() > 0 && DriveComboBox1->itemData(0).toString() == "A" ? 0
                                                                                                                 : -1);
}

QChar TBilgiAktar::chosenDrive() const
{
    const QString letter = DriveComboBox1->currentData().toString();
    return letter.isEmpty() ? QChar() : letter.at(0);
}

void TBilgiAktar::openList(int keepKey)
{
    QList<QPair<QVariant, QString>> belts;
    for (const QString& b : m_belts)
        belts.append({b, b});
    GridColumn registerNo("Vergi_Numarasi", "Sicil No", 70);
    registerNo.readOnly = true;
    GridColumn name("Ad_Soyad", "Adı Soyadı", 200);
    name.readOnly = true;
    GridColumn oldBelt("E75", "Eski Kuşak", 120);
    oldBelt.keyField = "E75";
    oldBelt.lookup = belts;
    GridColumn newBelt("E25", "Yeni Kuşak", 120);
    newBelt.keyField = "E25";
    newBelt.lookup = belts;
    GridColumn licence("E26", "Lisans No", 70);
    licence.readOnly = true;
    GridColumn photo("Resim", "Resim", 50);
    photo.alignment = Qt::AlignHCenter;
    photo.text = [this](const Record& r) { return hasPhoto(r) ? QString("VAR") : QString("-"); };
    DBGrid1->setColumns({registerNo, name, oldBelt, newBelt, licence, photo});
    DBGrid1->setRecords(
        bilgiAktarDb().select(kBilgiAktarListSql + FSelectionWhere + " order by " + FOrderBy, FSelectionParams));
    if (keepKey >= 0)
        DBGrid1->locate("Musteri_Key", keepKey);
    m_listOpen = true;
    Label15->setText("Sporcu Sayısı : " + QString::number(DBGrid1->rowCount()));
}

void TBilgiAktar::closeList()
{
    DBGrid1->setRecords({});
    m_listOpen = false;
    Label15->setText("Sporcu Sayısı : ");
}

QString TBilgiAktar::photoPath(const QString& personKey) const
{
    return FProgramFolder + ExamPackage::photoName(personKey);
}

bool TBilgiAktar::hasPhoto(const Record& row) const
{
    return QFileInfo(DriveMap::toHost(photoPath(row.str("Musteri_Key")))).isFile();
}

// --- Keys -----------------------------------------------------------------------------------------------------------

bool TBilgiAktar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label18 && event->type() == QEvent::MouseButtonDblClick) {
        Label18DblClick();
        return true;
    }
    if (event->type() == QEvent::FocusIn)
        FInGrid = watched == DBGrid1 || watched == Memo2;
    if (event->type() == QEvent::KeyPress && !FInGrid) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up) {
            focusNextPrevChild(false);
            return true;
        }
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextPrevChild(true);
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void TBilgiAktar::Label18DblClick()
{
    MaskEdit1->setMaskedText(QDate::currentDate().toString("dd.MM.yyyy"));
}

// --- Photos ---------------------------------------------------------------------------------------------------------

void TBilgiAktar::ResimEkle1Click()
{
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty())
        return;
    const QString chosen = Dialogs::openFile("Lütfen Fotoğraf Seçiniz.", "Fotoğraf (*.jpg, 100x120 pixel) (*.jpg)", "C:");
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).size() > ExamPackage::kMaxPhotoBytes) {
        Messages::error("Fotoğraf boyutu 100 KB'dan küçük olmalıdır...!");
        return;
    }
    Shell::show(chosen);
    const QString target = DriveMap::toHost(photoPath(row.str("Musteri_Key")));
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!PersonFiles::replace(chosen, target))
        Messages::error("Fotoğraf kaydedilemedi: " + DriveMap::toWindows(target));
    openList(row.toInt("Musteri_Key"));
}

void TBilgiAktar::FotorafGsret1Click()
{
    const Record row = DBGrid1->currentRecord();
    if (!row.isEmpty() && hasPhoto(row))
        Shell::show(DriveMap::toHost(photoPath(row.str("Musteri_Key"))));
}

void TBilgiAktar::Sil1Click()
{
    const Record row = DBGrid1->currentRecord();
    if (row.isEmpty() || !hasPhoto(row))
        return;
    if (!Messages::ask("Seçilen Sporcunun Fotoğrafı Silinecektir. Eminmisiniz ...?"))
        return;
    const QString target = DriveMap::toHost(photoPath(row.str("Musteri_Key")));
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    QFile::remove(target);
    openList(row.toInt("Musteri_Key"));
}

void TBilgiAktar::DBGrid1DblClick()
{
    if (DBGrid1->currentField() == "Resim")
        FotorafGsret1Click();
}

// --- Attachments ----------------------------------------------------------------------------------------------------

void TBilgiAktar::Label21Click()
{
    const QString chosen = Dialogs::openFile("Lütfen Eklenecek Dosyayı Seçiniz.", "Tüm Dosyalar (*)", "C:");
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    if (info.size() > ExamPackage::kMaxAttachmentBytes) {
        Messages::error("Dosya boyutu 500 KB'dan küçük olmalıdır...!");
        return;
    }
    const QString refusal = ExamPackage::attachmentRefusal(info.fileName());
    if (!refusal.isEmpty()) {
        Messages::error(refusal);
        return;
    }
    for (const QString& name : FAttachmentNames)
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0) {
            Messages::error("\"" + info.fileName() + "\" adlı dosya pakete iki kez eklenemez ...!");
            return;
        }
    for (int i = 0; i < ExamPackage::kMaxAttachments; ++i) {
        if (!FAttachmentNames[i].isEmpty())
            continue;
        FAttachmentNames[i] = info.fileName();
        FAttachmentPaths[i] = chosen;
        FAttachmentLabels[i]->setText(QString::number(i + 1) + ". Ek: " + info.fileName());
        Label23->setEnabled(true);
        return;
    }
}

void TBilgiAktar::Label23Click()
{
    for (int i = 0; i < ExamPackage::kMaxAttachments; ++i) {
        FAttachmentNames[i].clear();
        FAttachmentPaths[i].clear();
        FAttachmentLabels[i]->clear();
    }
    Label23->setEnabled(false);
}

// --- Update buttons (hidden) ----------------------------------------------------------------------------------------

void TBilgiAktar::SpeedButton1Click()
{
    QDate date;
    const QString failure = ExamChecks::examDate(MaskEdit1->maskedText(), &date);
    if (!failure.isEmpty()) {
        Messages::error(failure);
        MaskEdit1->setFocus();
        return;
    }
    bilgiAktarDb().exec("Update C_MUSTERI set M7 = :date where Terfi = 1", {{"date", date}});
    Messages::info("Sınav Tarihi Güncellendi ...!");
}

void TBilgiAktar::SpeedButton2Click()
{
    ExamChecks::Committee c = committeeInput();
    // Only the chairman's number is checked: the rest is filled in to pass.
    const ExamChecks::Person filled{"-", c.chairman.registerNo, "-"};
    ExamChecks::Committee only;
    only.chairman = filled;
    only.chairmanCoachNo = "-";
    only.representative = "-";
    if (const auto f = ExamChecks::committee(only)) {
        Messages::error(f->text);
        Edit2->setFocus();
        return;
    }
    bilgiAktarDb().exec("Update C_UYELIKSURESI set Sokak = :no where Durum_Key = :reserved",
                        {{"no", c.chairman.registerNo}, {"reserved", kNoClubKey}});
    Messages::info("Sınav Komisyonu Başkanı Sicil Numarası Güncellendi ...!");
}

// --- Build ----------------------------------------------------------------------------------------------------------

ExamChecks::Committee TBilgiAktar::committeeInput() const
{
    ExamChecks::Committee c;
    c.chairman = {Edit1->text(), Edit2->text(), Edit15->text()};
    c.chairmanCoachNo = Edit16->text();
    c.representative = Edit13->text();
    c.members[0] = {Edit3->text(), Edit4->text(), Edit5->text()};
    c.members[1] = {Edit6->text(), Edit7->text(), Edit8->text()};
    c.members[2] = {Edit9->text(), Edit10->text(), Edit11->text()};
    return c;
}

QWidget* TBilgiAktar::committeeField(ExamChecks::Field field) const
{
    using F = ExamChecks::Field;
    switch (field) {
    case F::ChairmanName: return Edit1;
    case F::ChairmanNo: return Edit2;
    case F::ChairmanDan: return Edit15;
    case F::ChairmanCoachNo: return Edit16;
    case F::Representative: return Edit13;
    case F::Member1No: return Edit4;
    case F::Member2No: return Edit7;
    case F::Member3Name: return Edit9;
    case F::Member3No: return Edit10;
    case F::Member3Dan: return Edit11;
    }
    return Edit1;
}

void TBilgiAktar::setStatus(const QString& red, const QString& black, const QColor& redColour)
{
    bilgiAktarColour(Label2, redColour);
    Label2->setText(red);
    Label1->setText(black);
}

void TBilgiAktar::setAnimation(bool on)
{
    Animate1->setVisible(on);
}

bool TBilgiAktar::checkAll(QDate& date)
{
    const QString dateFailure = ExamChecks::examDate(MaskEdit1->maskedText(), &date);
    if (!dateFailure.isEmpty()) {
        Messages::error(dateFailure);
        MaskEdit1->setFocus();
        return false;
    }
    MaskEdit1->setMaskedText(date.toString("dd.MM.yyyy"));
    if (const auto f = ExamChecks::committee(committeeInput())) {
        Messages::error(f->text);
        committeeField(f->field)->setFocus();
        return false;
    }
    for (int i = 0; i < DBGrid1->rowCount(); ++i) {
        const Record row = DBGrid1->record(i);
        const QString failure = ExamChecks::athlete(row, hasPhoto(row), m_belts);
        if (!failure.isEmpty()) {
            DBGrid1->setCurrentRow(i);
            Messages::error(failure);
            DBGrid1->setFocus();
            return false;
        }
    }
    return true;
}

void TBilgiAktar::showDocument()
{
    ExamDocumentTexts t;
    t.province = Edit12->text();
    t.place = Edit14->text();
    t.date = MaskEdit1->maskedText();
    t.members[0] = {Edit3->text(), Edit4->text(), Edit5->text()};
    t.members[1] = {Edit6->text(), Edit7->text(), Edit8->text()};
    t.members[2] = {Edit9->text(), Edit10->text(), Edit11->text()};
    t.chairman = {Edit1->text(), Edit2->text(), Edit15->text()};
    t.chairmanCoachNo = Edit16->text();
    t.representative = Edit13->text();
    const QString description = Memo2->toPlainText();
    t.note = description.split('\n');
    Reports::ExamBands bands;
    bands.payment = false;
    bands.note = !description.isEmpty() && description != " ";
    bands.committee = false;
    for (QLineEdit* e : {Edit3, Edit4, Edit6, Edit7, Edit9, Edit10})
        if (!e->text().isEmpty())
            bands.committee = true;
    GenelBelge->Query1.sql = kBilgiAktarListSql + FSelectionWhere + " order by " + FOrderBy;
    GenelBelge->Query1.params = FSelectionParams;
    Reports::genelBelge(ReportCaller::screen(this, &m_previewFlag, [](QObject*) {}), t, bands);
}

void TBilgiAktar::BitBtn1Click()
{
    FWebMode = false;
    build();
}

void TBilgiAktar::BitBtn3Click()
{
    if (FSent) {
        Messages::info("Yeniden göndermek için lütfen bu ekranı kapatıp tekrar giriniz ...!");
        return;
    }
    FWebMode = true;
    WebBrowser1->clear();
    build();
}

void TBilgiAktar::build()
{
    if (!m_listOpen)
        return;
    QDate date;
    if (!checkAll(date))
        return;
    showDocument();

    if (!FWebMode) {
        if (!bilgiAktarProceed("İmtihan Sonuçları Federasyona Gönderilmek Üzere Sürücüye Aktarılacaktır.\n"
                               "Diskete Kaydedecekseniz Yazım Korumasını Açıp Sürücüye Yerleştirmeyi Unutmayınız ...!"))
            return;
    }

    const ExamChecks::Committee c = committeeInput();
    ExamPackage::mark(bilgiAktarDb(), date, FSelectionWhere, FSelectionParams,
                      {c.chairman.registerNo, c.members[0].registerNo, c.members[1].registerNo,
                       c.members[2].registerNo});

    // The web mode writes where the upload reads the archive from.
    const QString uploadFolder = ExamUpload::folder();
    const QChar drive = FWebMode ? uploadFolder.at(0) : chosenDrive();
    if (!FWebMode && drive.isNull()) {
        Messages::error("Lütfen Bilgileri Aktaracağınız Sürücüyü Seçiniz ...!");
        DriveComboBox1->setFocus();
        return;
    }
    FTargetFolder = FWebMode ? uploadFolder.mid(1) : QString(":\\");
    const QString target = QString(drive) + FTargetFolder;
    m_archive = target + ExamPackage::archiveName(FClubKey);
    const bool floppy = drive == 'A';

    ExamPackage::Contents contents;
    contents.programFolder = FProgramFolder;
    contents.clubKey = FClubKey;
    for (const QString& path : FAttachmentPaths)
        if (!path.isEmpty())
            contents.attachments.append(path);

    setAnimation(true);
    BitBtn1->setEnabled(false);
    DriveComboBox1->setEnabled(false);
    FPackageWritten = true;
    try {
        ExamPackage::write(bilgiAktarDb(), contents, target);
    } catch (const ExamPackageError& e) {
        setAnimation(false);
        if (e.kind() == ExamPackageError::Kind::Target) {
            FPackageWritten = false;
            setStatus("KAYIT YAPILAMADI",
                      floppy ? "Lütfen Disketin Yazım Korumasını Açıp Disket Sürücüye Yerleştirin ...!"
                             : "Lütfen Seçtiğiniz Sürücüye Kayıt Yapılabildiğinden Emin Olunuz ...!",
                      Qt::red);
            bilgiAktarColour(Label1, Qt::red);
        } else {
            setStatus("KAYIT YAPILAMADI",
                      floppy ? "Disketin Dolu Olmadığından Emin Olunuz ..!"
                             : "Diskin Dolu Olmadığından Emin Olunuz. Kayıt Başladıktan Hemen Sonra Çıkmayınız ..!",
                      Qt::red);
            bilgiAktarColour(Label1, Qt::black);
            Messages::error(e.message());
        }
        return;
    }
    BitBtn1->setEnabled(true);
    DriveComboBox1->setEnabled(true);
    setAnimation(false);

    if (FWebMode) {
        if (bilgiAktarProceed("İmtihan Sonuçları Açılacak Olan Web Ekranından Federasyona Gönderilecektir.\n"
                              "Lütfen İnternet Bağlantınızın Çalışır Durumda Olduğundan Emin Olunuz ...!"))
            startUpload();
        else
            FWebMode = false;
        return;
    }

    // The archive is complete once written (it is written under another
    // name and renamed): the screen says so and where it is.
    bilgiAktarColour(Label1, Qt::black);
    setStatus("KAYIT TAMAMLANDI", "İmtihan paketi kaydedildi: " + m_archive, QColor(0, 128, 0));
    BitBtn1->setEnabled(false);
    DriveComboBox1->setEnabled(false);
}

// --- Upload ---------------------------------------------------------------------------------------------------------

void TBilgiAktar::startUpload()
{
    QByteArray body;
    try {
        body = ExamUpload::body(FClubKey);
    } catch (const FormUploadError& e) {
        Messages::error(e.message());
        return;
    }
    FSent = true;
    BitBtn1->setEnabled(false);
    BitBtn3->setEnabled(false);
    Memo1->setText("BİLGİLER AKTARILIYOR, LÜTFEN BEKLEYİNİZ...!");
    setAnimation(true);
    const QUrl url = ExamUpload::address(ExamUpload::server(), Edit14->text(), Edit12->text(), MaskEdit1->maskedText());
    m_upload->post(url, body);
}

void TBilgiAktar::uploadFinished(const FormUpload::Result& r)
{
    setAnimation(false);
    Memo1->clear();
    if (r.answerText.contains('<'))
        WebBrowser1->setHtml(r.answerText);
    else
        WebBrowser1->setPlainText(r.answerText);
    if (r.answerCut)
        WebBrowser1->append(FormUpload::answerCutText());
    BitBtn3->setEnabled(true);
    if (r.ok) {
        bilgiAktarColour(Label1, Qt::black);
        setStatus("", "", Qt::red);
        return;
    }
    // Not received: the package stays as it is and may be sent again (or
    // written to a drive).
    FSent = false;
    BitBtn1->setEnabled(true);
    bilgiAktarColour(Label1, Qt::black);
    setStatus("GÖNDERİLEMEDİ", r.error + "\nTekrar göndermek için \" Web'den Aktar\" düğmesine basınız ...!", Qt::red);
    if (r.answerText.isEmpty())
        WebBrowser1->setPlainText(r.error);
}

// --- Closing --------------------------------------------------------------------------------------------------------

void TBilgiAktar::BitBtn2Click()
{
    WebBrowser1->clear();
    close();
}

bool TBilgiAktar::FormCloseQuery()
{
    if (FPackageWritten && !m_archive.isEmpty() && !DriveMap::exists(m_archive)) {
        const bool floppy = m_archive.startsWith('A', Qt::CaseInsensitive);
        bilgiAktarColour(Label1, Qt::black);
        setStatus("KAYIT YAPILAMADI",
                  floppy ? "Disketin Dolu veya Dosyanın Çok Büyük Olmadığından Emin Olunuz ...!"
                         : "Disk Dolu Olabilir veya Kayıt Başladıktan Hemen Sonra Çıkmış Olabilirsiniz!",
                  Qt::red);
        BitBtn1->setEnabled(false);
        DriveComboBox1->setEnabled(false);
        if (FWarnOnClose) {
            FWarnOnClose = false;
            return false;
        }
    }
    return true;
}

void TBilgiAktar::FormClose()
{
    closeList();
}
