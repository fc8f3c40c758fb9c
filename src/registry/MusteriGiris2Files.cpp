// The person record editor's files: the person's photo ("Ekle", "Sil") and
// the PDF attachments of the belt, coach-title and referee-title rows
// ("Dosya Ekle", "Dosya Göster", "Dosya Sil" and the mark in the row's last
// cell). The files live in the program folder; a new file replaces an old
// one only once it is complete.
#include "registry/MusteriGiris2.h"

#include "platform/paths/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Messages.h"
#include "registry/PersonFiles.h"
#include "registry/PersonPhoto.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

// The attachment icon: a small document with a folded corner.
QPixmap attachmentIcon()
{
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(255, 220, 0));
    p.drawPolygon(QPolygon({QPoint(2, 0), QPoint(10, 0), QPoint(14, 4), QPoint(14, 15), QPoint(2, 15)}));
    p.drawLine(10, 0, 10, 4);
    p.drawLine(10, 4, 14, 4);
    p.drawLine(4, 7, 12, 7);
    p.drawLine(4, 10, 12, 10);
    return icon;
}

// Paints the last column of a belt, coach or referee grid: a row with an
// attachment shows the icon before its text (DBGrid12DrawColumnCell and its
// two siblings). Everything but the painting is the grid's own delegate's.
class AttachmentMark : public QStyledItemDelegate {
public:
    AttachmentMark(TDBGrid* grid, QAbstractItemDelegate* base)
        : QStyledItemDelegate(grid), m_grid(grid), m_base(base), m_icon(attachmentIcon())
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (m_grid->record(index.row()).str("Dosya") != "VAR") {
            m_base->paint(painter, option, index);
            return;
        }
        // The cell without its text, then the text 21 pixels in and 2 down,
        // the icon 1 pixel inside the top-left corner.
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        m_grid->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, m_grid);
        painter->save();
        painter->setFont(option.font);
        painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                     : QPalette::Text));
        painter->drawText(option.rect.adjusted(21, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
        painter->drawPixmap(option.rect.topLeft() + QPoint(1, 1), m_icon);
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return m_base->createEditor(parent, option, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        m_base->setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        m_base->setModelData(editor, model, index);
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override
    {
        m_base->updateEditorGeometry(editor, option, index);
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        m_base->destroyEditor(editor, index);
    }

private:
    TDBGrid* m_grid;
    QAbstractItemDelegate* m_base;
    QPixmap m_icon;
};

} // namespace

void TMusteriGiris2::wireFiles()
{
    connect(SpeedButton1, &QToolButton::clicked, this, &TMusteriGiris2::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMusteriGiris2::SpeedButton2Click);
    connect(DosyaEkle1, &QAction::triggered, this, &TMusteriGiris2::DosyaEkle1Click);
    connect(DosyaEkle2, &QAction::triggered, this, &TMusteriGiris2::DosyaEkle2Click);
    connect(DosyaEkle3, &QAction::triggered, this, &TMusteriGiris2::DosyaEkle3Click);
    connect(DosyaGster1, &QAction::triggered, this, &TMusteriGiris2::DosyaGster1Click);
    connect(DosyaGster2, &QAction::triggered, this, &TMusteriGiris2::DosyaGster2Click);
    connect(DosyaGster3, &QAction::triggered, this, &TMusteriGiris2::DosyaGster3Click);
    connect(DosyaSil1, &QAction::triggered, this, &TMusteriGiris2::DosyaSil1Click);
    connect(DosyaSil2, &QAction::triggered, this, &TMusteriGiris2::DosyaSil2Click);
    connect(DosyaSil3, &QAction::triggered, this, &TMusteriGiris2::DosyaSil3Click);
    for (TDBGrid* g : {DBGrid12, DBGrid13, DBGrid14})
        g->setItemDelegateForColumn(g->columnOf("Dip_No_Tar"), new AttachmentMark(g, g->itemDelegate()));
}

// --- Photo ------------------------------------------------------------------------------

void TMusteriGiris2::SpeedButton1Click()
{
    if (FPersonKey == 0) {
        Messages::info("Fotoğraf Eklemek için Önce Bilgileri Kaydetmeniz Gerekmektedir ...!");
        return;
    }
    const QString chosen = Dialogs::openFile("Lütfen Fotoğraf Seçiniz.", "Fotoğraf (*.jpg, 100x120 pixel) (*.jpg)",
                                             "C:\\");
    if (chosen.isEmpty())
        return;
    if (!PersonPhoto::fits(QFileInfo(chosen).size())) {
        Messages::info("Fotoğraf boyutu 100 KB'dan büyük olmamalıdır...!");
        return;
    }
    // A file that is no JPEG picture would replace a good photo with
    // nothing to show: it is refused before anything is copied.
    QImage picture;
    if (!PersonPhoto::load(chosen, picture)) {
        Messages::info(PersonPhoto::kNotAPicture);
        return;
    }
    if (!PersonFiles::replace(chosen, PersonPhoto::fileName(FProgramFolder, FPersonKey))) {
        Messages::error(PersonFiles::kCopyFailed);
        return;
    }
    loadPhoto();
}

void TMusteriGiris2::SpeedButton2Click()
{
    if (FPersonKey == 0)
        return;
    if (!askQuestion("Fotoğraf Silinecektir. Eminmisiniz ...?", false))
        return;
    // The picture goes only when its file did.
    if (!PersonFiles::remove(PersonPhoto::fileName(FProgramFolder, FPersonKey)))
        Messages::error(PersonFiles::kRemoveFailed);
    loadPhoto();
}

// --- Attachments ---------------------------------------------------------------------------

QString TMusteriGiris2::attachmentOf(CareerIndex which, const QVariant& rowKey) const
{
    const QChar letter = which == Belts ? QChar('K') : which == Coach ? QChar('A') : QChar('H');
    return PersonFiles::attachmentName(FProgramFolder, letter, rowKey);
}

namespace {

// The key of a grid's current row; invalid when there is no row.
QVariant currentKey(const TDBGrid* grid, const QString& keyColumn)
{
    const Record row = grid->currentRecord();
    return row.has(keyColumn) ? row.value(keyColumn) : QVariant();
}

bool hasKey(const QVariant& key)
{
    return key.isValid() && !key.isNull() && !key.toString().isEmpty();
}

} // namespace

void TMusteriGiris2::attachFile(CareerIndex which)
{
    const Career& c = m_career[which];
    const QVariant key = currentKey(c.grid, c.keyColumn);
    if (!m_careerOpen || !hasKey(key))
        return;
    const QString chosen = Dialogs::openFile("Lütfen Dosya Seçiniz.", "Dosya (*.pdf)", "C:\\");
    if (chosen.isEmpty())
        return;
    // The operator sees the document before it is attached where a program
    // opens it; attaching does not depend on one (no message when none does:
    // the operator asked to attach, not to see).
    Shell::open(chosen);
    // Only a complete copy marks the row as having an attachment.
    if (!PersonFiles::replace(chosen, attachmentOf(which, key))) {
        Messages::error(PersonFiles::kCopyFailed);
        return;
    }
    db().update(c.table, {{"Dosya", "VAR"}}, Database::identifier(c.keyColumn) + " = :w_k", {{"w_k", key}});
    reopen(which, key);
}

void TMusteriGiris2::showFile(CareerIndex which)
{
    const Career& c = m_career[which];
    const QVariant key = currentKey(c.grid, c.keyColumn);
    if (!m_careerOpen || !hasKey(key))
        return;
    const QString file = attachmentOf(which, key);
    if (PersonFiles::exists(file))
        Shell::show(file);
}

bool TMusteriGiris2::removeFile(CareerIndex which)
{
    static const char* const questions[] = {
        "Seçilen Kuşağın Dosyası Silinecektir. Eminmisiniz ...?",
        "Seçilen Antrenörlüğün Dosyası Silinecektir. Eminmisiniz ...?",
        "Seçilen Hakemliğin Dosyası Silinecektir. Eminmisiniz ...?",
    };
    const Career& c = m_career[which];
    const QVariant key = currentKey(c.grid, c.keyColumn);
    if (!m_careerOpen || !hasKey(key) || c.grid->currentRecord().str("Dosya") != "VAR")
        return false;
    if (!askQuestion(questions[which], false))
        return false;
    // A file that stays keeps its mark.
    if (!PersonFiles::remove(attachmentOf(which, key))) {
        Messages::error(PersonFiles::kRemoveFailed);
        return false;
    }
    db().update(c.table, {{"Dosya", ""}}, Database::identifier(c.keyColumn) + " = :w_k", {{"w_k", key}});
    reopen(which, key);
    return true;
}

void TMusteriGiris2::DosyaEkle1Click()
{
    attachFile(Belts);
}

void TMusteriGiris2::DosyaEkle2Click()
{
    attachFile(Coach);
}

void TMusteriGiris2::DosyaEkle3Click()
{
    attachFile(Referee);
}

void TMusteriGiris2::DosyaGster1Click()
{
    showFile(Belts);
}

void TMusteriGiris2::DosyaGster2Click()
{
    showFile(Coach);
}

void TMusteriGiris2::DosyaGster3Click()
{
    showFile(Referee);
}

void TMusteriGiris2::DosyaSil1Click()
{
    removeFile(Belts);
}

void TMusteriGiris2::DosyaSil2Click()
{
    removeFile(Coach);
}

void TMusteriGiris2::DosyaSil3Click()
{
    removeFile(Referee);
}
