#pragma once
// The ground the exam import's editor tests share: the federation's register
// with the package's exam committee, package photos, and the person editor
// opened in import mode from the main window's menu item.

#include "EditorFixture.h"

#include "app/Main.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>

class ExamImportFixture : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        // The committee in the federation's register.
        insertPerson(901, {{"Vergi_Numarasi", "0000101"}, {"Adi", "BAŞKAN"}, {"Soyadi", "BEY"},
                           {"Ad_Soyad", "BAŞKAN BEY"}, {"Vergi_Dairesi", "İSTANBUL"}, {"E69", 2009}});
        insertPerson(902, {{"Vergi_Numarasi", "0000102"}, {"Adi", "ÜYE"}, {"Soyadi", "BİR"}, {"Ad_Soyad", "ÜYE BİR"},
                           {"Vergi_Dairesi", "İSTANBUL"}, {"E25", "1.DAN"}});
    }

    // A photo of one colour, saved as JPEG.
    static void examPhoto(const QString& file, Qt::GlobalColor colour)
    {
        QImage picture(40, 50, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(file, "JPEG")) << file.toStdString();
    }
    // Opens the editor from the main window's menu item; `whileShown` runs
    // while it shows, as the active window, and the editor is then closed
    // without a question. The scripts queued by `queueAfter` answer what
    // `whileShown` asks.
    void fromImportMenu(const std::function<void(QDialog*)>& whileShown, const std::function<void()>& queueAfter)
    {
        modals().expect("TMusteriGiris2", [whileShown](QDialog* d) {
            QApplication::setActiveWindow(d);
            whileShown(d);
            MusteriGiris2->FModified = 0;
            d->reject();
        });
        if (queueAfter)
            queueAfter();
        Main->runCommand("GIPmtihanSonularnnAktarlmas1");
        EXPECT_EQ(modals().pending(), 0);
    }
    std::optional<Record> federationPerson(const QString& name)
    {
        return db.first("select * from C_MUSTERI where Ad_Soyad = :n", {{"n", name}});
    }
    // A person's photo in the federation's program folder.
    QString programPhoto(int key) const { return host("C:\\CO\\QVX_PROG\\R" + QString::number(key) + ".jpg"); }
};
