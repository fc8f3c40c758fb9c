// The person's photo and the attachments of belt and title rows, through
// the editor's buttons and grid menus, with the file chooser and the shell
// answered by the test.
#include "EditorFixture.h"

#include "platform/shell/Shell.h"
#include "registry/PersonFiles.h"
#include "registry/PersonPhoto.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>

namespace {

class EditorFilesTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Shell::setHook([this](const Shell::Request& r) {
            opened << r.target;
            return true;
        });
        insertPerson(7);
    }
    void TearDown() override
    {
        Shell::setHook({});
        EditorTest::TearDown();
    }
    // A JPEG picture of exactly `bytes` bytes (padded after its end).
    QString jpeg(const QString& name, qint64 bytes, const QColor& colour = Qt::darkBlue)
    {
        QImage picture(100, 120, QImage::Format_RGB32);
        picture.fill(colour);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPEG");
        EXPECT_LE(data.size(), bytes);
        data.append(QByteArray(bytes - data.size(), '\0'));
        const QString path = dir.path() + "/" + name;
        writeFile(path, data);
        return path;
    }
    QByteArray read(const QString& windowsPath)
    {
        QFile f(host(windowsPath));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QToolButton* tool(const QString& name) { return child<QToolButton>(editor, name); }
    const QString photo = "C:\\CO\\QVX_PROG\\R7.jpg";
    QStringList opened;
};

TEST_F(EditorFilesTest, APhotoOf99999BytesIsTakenAndOneOf100000Refused)
{
    const QString small = jpeg("small.jpg", 99999);
    const QString large = jpeg("large.jpg", 100000);
    open(7, [&] {
        EXPECT_FALSE(label("Image1")->isVisible());
        ui().answerFile(large);
        click(tool("SpeedButton1"));
        EXPECT_EQ(ui().texts(), QStringList({"Fotoğraf boyutu 100 KB'dan büyük olmamalıdır...!"}));
        EXPECT_FALSE(QFileInfo::exists(host(photo)));
        ui().clear();
        ui().answerFile(small);
        click(tool("SpeedButton1"));
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
        ASSERT_EQ(ui().requests.size(), 1);
        EXPECT_EQ(ui().requests[0].kind, UiRequest::OpenFile);
        EXPECT_EQ(ui().requests[0].text, "Lütfen Fotoğraf Seçiniz.");
        EXPECT_EQ(QFileInfo(host(photo)).size(), 99999);
        EXPECT_EQ(editor->FPhotoLoaded, 1);
        EXPECT_TRUE(label("Image1")->isVisible());
    });
}

TEST_F(EditorFilesTest, AReplacedPhotoIsTheNewOneAlsoWhenTheOldWasReadOnly)
{
    QDir().mkpath(host("C:\\CO\\QVX_PROG\\"));
    ASSERT_TRUE(QFile::copy(jpeg("old.jpg", 5000, Qt::red), host(photo)));
    QFile::setPermissions(host(photo), QFile::ReadOwner);
    const QString next = jpeg("new.jpg", 6000, Qt::green);
    open(7, [&] {
        EXPECT_EQ(editor->FPhotoLoaded, 1);
        ui().answerFile(next);
        click(tool("SpeedButton1"));
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
    });
    EXPECT_EQ(QFileInfo(host(photo)).size(), 6000);
}

// The new photo cannot be written (a folder stands where its copy would
// go): the old photo stays, on disk and on screen, and the clerk is told.
TEST_F(EditorFilesTest, AFailedCopyKeepsTheOldPhoto)
{
    QDir().mkpath(host("C:\\CO\\QVX_PROG\\"));
    ASSERT_TRUE(QFile::copy(jpeg("old.jpg", 5000, Qt::red), host(photo)));
    const QByteArray before = read(photo);
    ASSERT_TRUE(QDir().mkpath(host(photo) + ".yeni"));
    const QString next = jpeg("new.jpg", 6000, Qt::green);
    open(7, [&] {
        ui().answerFile(next);
        click(tool("SpeedButton1"));
        EXPECT_EQ(ui().texts(), QStringList({PersonFiles::kCopyFailed}));
        EXPECT_EQ(ui().requests.last().kind, UiRequest::Error);
        EXPECT_EQ(editor->FPhotoLoaded, 1);
        EXPECT_TRUE(label("Image1")->isVisible());
    });
    EXPECT_EQ(read(photo), before);
}

TEST_F(EditorFilesTest, AFileThatIsNoJpegPictureIsRefusedBeforeAnythingIsCopied)
{
    writeFile(dir.path() + "/text.jpg", "not a picture");
    open(7, [&] {
        ui().answerFile(dir.path() + "/text.jpg");
        click(tool("SpeedButton1"));
        EXPECT_EQ(ui().texts(), QStringList({PersonPhoto::kNotAPicture}));
    });
    EXPECT_FALSE(QFileInfo::exists(host(photo)));
}

TEST_F(EditorFilesTest, ThePhotoIsDeletedAfterTheQuestion)
{
    QDir().mkpath(host("C:\\CO\\QVX_PROG\\"));
    ASSERT_TRUE(QFile::copy(jpeg("old.jpg", 5000), host(photo)));
    QFile::setPermissions(host(photo), QFile::ReadOwner);
    open(7, [&] {
        QString asked;
        answerQuestion(false, &asked);
        click(tool("SpeedButton2"));
        EXPECT_EQ(asked, "Fotoğraf Silinecektir. Eminmisiniz ...?");
        EXPECT_TRUE(QFileInfo::exists(host(photo)));
        EXPECT_TRUE(label("Image1")->isVisible());
        answerQuestion(true);
        click(tool("SpeedButton2"));
        EXPECT_FALSE(QFileInfo::exists(host(photo)));
        EXPECT_FALSE(label("Image1")->isVisible());
        EXPECT_EQ(editor->FPhotoLoaded, 0);
    });
}

// --- Attachments -------------------------------------------------------------------------------

struct AttachmentCase {
    const char* name;
    const char* table;
    const char* keyColumn;
    const char* grid;
    char letter;
    const char* question;
};

class Attachments : public EditorFilesTest, public ::testing::WithParamInterface<AttachmentCase> {
protected:
    void SetUp() override
    {
        EditorFilesTest::SetUp();
        const AttachmentCase& c = GetParam();
        if (QString(c.table) == "F_KUSAK") {
            db.insert("F_KUSAK", {{"Kus_Key", 21}, {"Musteri_Key", 7}, {"Kusak_Key", beltKey("SARI KUŞAK")},
                                  {"Dip_No_Tar", "2001/5"}, {"Tarih", QDate(2001, 1, 1)}});
            db.insert("F_KUSAK", {{"Kus_Key", 22}, {"Musteri_Key", 7}, {"Kusak_Key", beltKey("MAVİ KUŞAK")},
                                  {"Dip_No_Tar", "2002/5"}, {"Tarih", QDate(2002, 1, 1)}});
        } else {
            const QString kind = QString(c.table) == "F_ANT" ? "A" : "H";
            const QList<int> titles = [&] {
                QList<int> keys;
                for (const Record& r : db.select("select Durum_Key from C_UYEKULLANICI where Tip2 = :k order by "
                                                 "Durum_Key",
                                                 {{"k", kind}}))
                    keys << r.toInt("Durum_Key");
                return keys;
            }();
            db.insert(c.table, {{c.keyColumn, 21}, {"Musteri_Key", 7}, {"Durum_Key", titles[0]},
                                {"Dip_No_Tar", "2001/5"}, {"Tarih", QDate(2001, 1, 1)}});
            db.insert(c.table, {{c.keyColumn, 22}, {"Musteri_Key", 7}, {"Durum_Key", titles[1]},
                                {"Dip_No_Tar", "2002/5"}, {"Tarih", QDate(2002, 1, 1)}});
        }
        pdf = dir.path() + "/diploma.pdf";
        writeFile(pdf, "%PDF-1.4 diploma");
    }
    TDBGrid* grid() { return child<TDBGrid>(editor, GetParam().grid); }
    QAction* item(const QString& prefix)
    {
        const int n = GetParam().letter == 'K' ? 1 : GetParam().letter == 'A' ? 2 : 3;
        return editor->findChild<QAction*>(prefix + QString::number(n));
    }
    QString target() { return QString("C:\\CO\\QVX_PROG\\") + GetParam().letter + "22.pdf"; }
    QString dosya(int key)
    {
        return db.scalar(QString("select Dosya from ") + GetParam().table + " where " + GetParam().keyColumn +
                             " = :k",
                         {{"k", key}})
            .toString();
    }
    // Whether the row's last cell shows the attachment icon (its yellow
    // page) in its top-left corner.
    bool marked(int row)
    {
        TDBGrid* g = grid();
        editor->PageControl1->setCurrentWidget(editor->TabSheet2);
        QApplication::processEvents();
        g->scrollTo(g->model()->index(row, g->columnOf("Dip_No_Tar")));
        const QRect cell = g->visualRect(g->model()->index(row, g->columnOf("Dip_No_Tar")));
        const QImage shot = g->viewport()->grab().toImage();
        const QColor c = shot.pixelColor(cell.topLeft() + QPoint(4, 13));
        return c.red() > 220 && c.green() > 180 && c.blue() < 80;
    }
    QString pdf;
};

TEST_P(Attachments, AreAttachedShownAndDeleted)
{
    open(7, [&] {
        TDBGrid* g = grid();
        ASSERT_EQ(g->rowCount(), 2);
        EXPECT_FALSE(marked(1));
        g->setCurrentRow(1);
        // "Dosya Sil" on a row without an attachment asks nothing.
        item("DosyaSil")->trigger();
        EXPECT_EQ(ui().count(), 0);

        ui().answerFile(pdf);
        item("DosyaEkle")->trigger();
        ASSERT_EQ(ui().requests.size(), 1);
        EXPECT_EQ(ui().requests[0].text, "Lütfen Dosya Seçiniz.");
        EXPECT_EQ(ui().requests[0].filter, "Dosya (*.pdf)");
        EXPECT_EQ(opened, QStringList({pdf})) << "the chosen document is opened before it is copied";
        EXPECT_EQ(read(target()), "%PDF-1.4 diploma");
        EXPECT_EQ(dosya(22), "VAR");
        EXPECT_EQ(g->currentRow(), 1) << "the same row stays current";
        EXPECT_EQ(g->currentRecord().toInt(GetParam().keyColumn), 22);
        EXPECT_TRUE(marked(1)) << "the row's last cell carries the mark";
        EXPECT_FALSE(marked(0));

        opened.clear();
        item("DosyaGster")->trigger();
        EXPECT_EQ(opened, QStringList({target()}));
        g->setCurrentRow(0);
        opened.clear();
        item("DosyaGster")->trigger();
        EXPECT_TRUE(opened.isEmpty()) << "a row without a file shows nothing";

        g->setCurrentRow(1);
        QString asked;
        answerQuestion(false, &asked);
        item("DosyaSil")->trigger();
        EXPECT_EQ(asked, GetParam().question);
        EXPECT_TRUE(PersonFiles::exists(target()));
        answerQuestion(true);
        item("DosyaSil")->trigger();
        EXPECT_FALSE(PersonFiles::exists(target()));
        EXPECT_EQ(dosya(22), "");
        EXPECT_EQ(g->currentRow(), 1);
    });
}

TEST_P(Attachments, WithoutAProgramToShowItAttachingSaysNothingAndShowingSaysSo)
{
    // No program on the machine opens a PDF.
    Shell::setHook([this](const Shell::Request& r) {
        opened << r.target;
        return false;
    });
    open(7, [&] {
        grid()->setCurrentRow(1);
        ui().answerFile(pdf);
        item("DosyaEkle")->trigger();
        EXPECT_TRUE(ui().texts().isEmpty()) << ui().texts().join(" | ").toStdString();
        EXPECT_EQ(read(target()), "%PDF-1.4 diploma");
        EXPECT_EQ(dosya(22), "VAR");

        // "Dosya Göster" is what the operator asks to see: there it is said.
        item("DosyaGster")->trigger();
        EXPECT_EQ(ui().texts(), QStringList({QString(Shell::kNotOpened) + "\n" + target()}));
    });
}

TEST_P(Attachments, AFailedCopyIsReportedAndMarksNothing)
{
    QDir().mkpath(host(target()) + ".yeni");
    open(7, [&] {
        grid()->setCurrentRow(1);
        ui().answerFile(pdf);
        item("DosyaEkle")->trigger();
        EXPECT_EQ(ui().texts(), QStringList({PersonFiles::kCopyFailed}));
    });
    EXPECT_EQ(dosya(22), "");
    EXPECT_FALSE(PersonFiles::exists(target()));
}

TEST_P(Attachments, DeletingARowWithAnAttachmentAsksTheAttachmentsQuestionFirst)
{
    db.update(GetParam().table, {{"Dosya", "VAR"}}, QString(GetParam().keyColumn) + " = 22");
    writeFile(host(target()), "%PDF");
    open(7, [&] {
        grid()->setCurrentRow(1);
        QString first, second;
        answerQuestion(true, &first);
        answerQuestion(false, &second);
        const QString deleteName = GetParam().letter == 'K' ? "MenuItem7" : GetParam().letter == 'A' ? "MenuItem1"
                                                                                                        : "MenuItem3";
        editor->findChild<QAction*>(deleteName)->trigger();
        EXPECT_EQ(first, GetParam().question);
        EXPECT_TRUE(second.endsWith(" Silinecektir. Eminmisiniz ...?")) << second.toStdString();
    });
    // The row is kept; its attachment is gone all the same.
    EXPECT_EQ(db.scalar(QString("select count(*) from ") + GetParam().table).toInt(), 2);
    EXPECT_EQ(dosya(22), "");
    EXPECT_FALSE(PersonFiles::exists(target()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Attachments,
    ::testing::Values(AttachmentCase{"Belts", "F_KUSAK", "Kus_Key", "DBGrid12", 'K',
                                     "Seçilen Kuşağın Dosyası Silinecektir. Eminmisiniz ...?"},
                      AttachmentCase{"CoachTitles", "F_ANT", "Ant_Key", "DBGrid13", 'A',
                                     "Seçilen Antrenörlüğün Dosyası Silinecektir. Eminmisiniz ...?"},
                      AttachmentCase{"RefereeTitles", "F_HAKEM", "Hak_Key", "DBGrid14", 'H',
                                     "Seçilen Hakemliğin Dosyası Silinecektir. Eminmisiniz ...?"}),
    [](const ::testing::TestParamInfo<AttachmentCase>& i) { return std::string(i.param.name); });

} // namespace
