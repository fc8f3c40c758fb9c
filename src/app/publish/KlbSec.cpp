#include "app/publish/KlbSec.h"

#include "app/dialogs/Form5.h"
#include "app/kit/PickLists.h"
#include "app/kit/PlacedControls.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The yes/no question through the shared "Uyarı" dialog (a plain question
// where the shared dialogs were not made).
bool klbSecAsk(const QString& question, bool twoLines)
{
    if (Form5)
        return Form5->confirm(question, twoLines);
    return Messages::ask(question);
}

// Removes the work copy of a package that is not going to be queued.
void klbSecDrop(Database& package, const QString& path)
{
    if (package.isOpen())
        package.close();
    QFile::remove(path);
}

} // namespace

TKlbSec::TKlbSec(Database& db, QStringList& queue, QWidget* parent)
    : Form(parent), m_db(db), m_queue(queue)
{
    using namespace PlacedControls;
    setObjectName("KlbSec");
    setWindowTitle("Kulüp Seç");
    setFixedSize(470, 290);

    make<QLabel>("LabelKulup", "Kulüp", this, {12, 16, 60, 20});
    Edit8 = readOnly(make<QLineEdit>("Edit8", this, {80, 12, 350, 24}));
    DBLookupComboBox4 = PickLists::make("DBLookupComboBox4", this, {430, 12, 20, 24});
    make<QLabel>("LabelBolge", "Bölge", this, {12, 44, 60, 20});
    Label6 = bold(make<QLabel>("Label6", "", this, {80, 44, 370, 20}));

    CheckBox1 = make<QCheckBox>("CheckBox1", "Sonuç Dosyasını Gönder", this, {12, 76, 300, 22});
    CheckBox1->setChecked(true);
    Label2 = make<QLabel>("Label2", "Pdf Dosyası Seç", this, {32, 104, 120, 20});
    Label3 = make<QLabel>("Label3", "", this, {160, 104, 290, 20});
    Label4 = make<QLabel>("Label4", "Dönem", this, {32, 132, 120, 20});
    ComboBox3 = make<QComboBox>("ComboBox3", this, {160, 128, 60, 24});
    ComboBox3->addItems({"1", "2", "3"});
    ComboBox3->setCurrentIndex(-1);

    CheckBox2 = make<QCheckBox>("CheckBox2", "Kulübün Sporcularını Gönder", this, {12, 168, 300, 22});
    CheckBox2->setChecked(true);
    Label1 = make<QLabel>("Label1", "Mdb Dosyası Seç", this, {32, 196, 120, 20});
    Label5 = make<QLabel>("Label5", "", this, {160, 196, 290, 20});

    BitBtn3 = makeButton("BitBtn3", "Devam", this, {244, 244, 100, 30});
    BitBtn1 = makeButton("BitBtn1", "İptal", this, {350, 244, 100, 30});

    for (QLabel* link : {Label2, Label4, Label1}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
    }
    onClick(Label2, [this] { Label2Click(); });
    onClick(Label1, [this] { Label1Click(); });
    onClick(Label4, [this] { Label4Click(); });
    connect(DBLookupComboBox4, qOverload<int>(&QComboBox::activated), this, &TKlbSec::DBLookupComboBox4Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TKlbSec::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TKlbSec::CheckBox2Click);
    connect(BitBtn3, &QPushButton::clicked, this, guarded(this, &TKlbSec::BitBtn3Click));
    connect(BitBtn1, &QPushButton::clicked, this, &TKlbSec::BitBtn1Click);
}

void TKlbSec::FormActivate()
{
    FResultFileName.clear();
    Edit8->clear();
    Label6->clear();
    Label3->clear();
    Label5->clear();
    m_pdfPath.clear();
    m_clubFilePath.clear();
    ComboBox3->setCurrentIndex(-1);
    m_clubs = m_db.select("select Durum_Key,Durum,E1 from C_UYELIKSURESI where Durum_Key > 1 order by Durum");
    PickLists::fill(DBLookupComboBox4, m_clubs, "Durum", "Durum_Key");
}

void TKlbSec::FormClose()
{
    m_clubs.clear();
    DBLookupComboBox4->clear();
}

void TKlbSec::DBLookupComboBox4Click()
{
    const int i = DBLookupComboBox4->currentIndex();
    if (i < 0 || i >= m_clubs.size())
        return;
    Edit8->setText(m_clubs[i].str("Durum"));
    Label6->setText(m_clubs[i].str("E1"));
}

void TKlbSec::Label2Click()
{
    const QString path = Dialogs::openFile("Pdf Dosyası Seç", "Kulüp Sonuç pdf Dosyası (*.pdf)");
    if (path.isEmpty())
        return;
    m_pdfPath = path;
    Label3->setText(QFileInfo(path).fileName());
}

void TKlbSec::Label1Click()
{
    const QString path = Dialogs::openFile("Mdb Dosyası Seç", "Kulüp Sporcu Fed.mdb Dosyası (Fed.mdb)");
    if (path.isEmpty())
        return;
    m_clubFilePath = path;
    Label5->setText(QFileInfo(path).fileName());
}

void TKlbSec::Label4Click()
{
    ComboBox3->setCurrentIndex(-1);
}

void TKlbSec::CheckBox1Click()
{
    const bool on = CheckBox1->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4),
                       static_cast<QWidget*>(ComboBox3)})
        w->setEnabled(on);
}

void TKlbSec::CheckBox2Click()
{
    Label1->setEnabled(CheckBox2->isChecked());
    Label5->setEnabled(CheckBox2->isChecked());
}

void TKlbSec::BitBtn1Click()
{
    FResultFileName.clear();
    m_queue.clear();
    reject();
}

QString TKlbSec::KulupWebAdi(const QString& clubCode4)
{
    return ClubFiles::KulupWebAdi(m_db, clubCode4);
}

std::optional<ClubFiles::Club> TKlbSec::chosenClub() const
{
    const int i = DBLookupComboBox4->currentIndex();
    if (Edit8->text().isEmpty() || i < 0 || i >= m_clubs.size())
        return std::nullopt;
    return ClubFiles::Club{m_clubs[i].toInt("Durum_Key"), m_clubs[i].str("Durum"), m_clubs[i].str("E1")};
}

void TKlbSec::abandon(const QString& message)
{
    m_queue.clear();
    FResultFileName.clear();
    Messages::error(message);
}

void TKlbSec::BitBtn3Click()
{
    const bool result = CheckBox1->isChecked();
    const bool athletes = CheckBox2->isChecked();
    const auto club = chosenClub();
    if (result && m_pdfPath.isEmpty()) {
        Messages::info(kNoPdf);
        return;
    }
    if (athletes && m_clubFilePath.isEmpty()) {
        Messages::info(kNoClubFile);
        return;
    }
    if (!club) {
        Messages::info(kNoClub);
        return;
    }
    if (result && ComboBox3->currentIndex() < 0) {
        Messages::info(kNoPeriod);
        return;
    }
    if (!result && !athletes) {
        Messages::info(kNothing);
        return;
    }

    try {
        continueWith(*club);
    } catch (const DbError& e) {
        abandon(e.message());
    }
}

void TKlbSec::continueWith(const ClubFiles::Club& club)
{
    const bool result = CheckBox1->isChecked();
    const bool athletes = CheckBox2->isChecked();
    m_queue.clear();
    m_merge = ClubFiles::MergeResult();
    FResultFileName = ClubFiles::resultFileName(club, ComboBox3->currentIndex() + 1);
    FClubCode4 = ClubFiles::clubCode4(club.key);
    if (!athletes) {
        accept();
        return;
    }

    if (result) {
        const QFileInfo pdf(m_pdfPath);
        const QString target = pdf.absoluteDir().filePath(FResultFileName);
        if (pdf.absoluteFilePath() == QFileInfo(target).absoluteFilePath()) {
            Messages::info(kWrongPdf);
            FResultFileName.clear();
            return;
        }
        if (!ClubFiles::copyFile(pdf.absoluteFilePath(), target)) {
            abandon(kCopyFailed + target);
            return;
        }
        m_queue.append(target);
    }
    if (makePackage(club))
        accept();
}

bool TKlbSec::makePackage(const ClubFiles::Club& club)
{
    const QFileInfo chosen(m_clubFilePath);
    const QString folder = chosen.absolutePath();
    // The club file is "Fed.mdb" in the chosen file's folder (the chooser
    // offers only that name; its letters' case may differ on this system).
    const QString source = chosen.fileName().compare("Fed.mdb", Qt::CaseInsensitive) == 0
        ? chosen.absoluteFilePath()
        : ClubFiles::clubFilePath(folder);
    if (!QFileInfo::exists(source))
        return true;

    // The package is made under a work name and takes its own name only when
    // it is complete, so nothing half-merged is ever queued or left behind.
    const QString markerName = KulupWebAdi(FClubCode4) + ".asp";
    const QString packagePath = ClubFiles::packagePath(folder, FClubCode4);
    const QString work = packagePath + ".new";
    QFile::remove(packagePath);
    if (!ClubFiles::copyFile(source, work)) {
        abandon(kCopyFailed + work);
        return false;
    }

    Database package;
    try {
        package.open(work);
        const ClubFiles::ClubRow row = ClubFiles::clubRowOf(package, club);
        bool go = false;
        switch (row.state) {
        case ClubFiles::ClubRow::Missing:
            go = klbSecAsk(kEmptyClubFile, false);
            break;
        case ClubFiles::ClubRow::Same:
            go = true;
            break;
        case ClubFiles::ClubRow::Other:
            go = klbSecAsk("DİKKAT ...!  " + row.name + "-" + row.region + "\n"
                               + "Kulübünü seçtiniz. Devam edilsin mi...?",
                           true);
            break;
        case ClubFiles::ClubRow::Several:
            Messages::info(kNotAClubFile);
            break;
        }
        if (!go) {
            klbSecDrop(package, work);
            return true;
        }
        m_merge = ClubFiles::mergeAthletes(m_db, package, club, today(),
                                           row.state == ClubFiles::ClubRow::Missing);
        package.close();
    } catch (const DbError&) {
        klbSecDrop(package, work);
        throw;
    }
    if (!QFile::rename(work, packagePath)) {
        QFile::remove(work);
        abandon(kCopyFailed + packagePath);
        return false;
    }
    m_queue.append(packagePath);

    const QString marker = QFileInfo(packagePath).absoluteDir().filePath(markerName);
    const QByteArray text = ClubFiles::markerText(FClubCode4, QFileInfo(packagePath).size(), now());
    if (!ClubFiles::writeMarker(marker, text)) {
        abandon(kMarkerFailed + marker);
        return false;
    }
    m_queue.append(marker);
    return true;
}
