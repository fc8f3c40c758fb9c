#include "app/dialogs/ReferenceScreens.h"

#include "app/dialogs/Form5.h"
#include "app/kit/DbGrid.h"
#include "app/kit/Session.h"
#include "platform/db/Database.h"
#include "platform/ui/Messages.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace ReferenceScreens {

Database& db()
{
    return session().db;
}

bool hasRows(Database& db, const QString& sql, const QVariantMap& params)
{
    return db.first(sql, params).has_value();
}

bool nameTaken(Database& db, const QString& table, const QString& nameField, const QString& keyField,
               const Record& row)
{
    const QString name = Database::identifier(nameField);
    const QString key = Database::identifier(keyField);
    return hasRows(db, "select * from " + Database::identifier(table) + " where (" + name + " = :n) and (" + key +
                           " <> :k)",
                   {{"n", row.str(nameField)}, {"k", row.value(keyField)}});
}

void storeRow(Database& db, const QString& table, const QString& keyField, QVariantMap fields, const Record& row,
              bool isNew, const QVariantMap& onInsert)
{
    if (isNew) {
        fields.insert(keyField, row.value(keyField));
        fields.insert(onInsert);
        db.insert(table, fields);
    } else {
        db.update(table, fields, Database::identifier(keyField) + " = :w_key", {{"w_key", row.value(keyField)}});
    }
}

QVariant dateOrNull(const Record& row, const QString& field)
{
    const QDate d = row.date(field);
    return d.isValid() ? QVariant(d) : QVariant();
}

bool confirm(const QString& question)
{
    Form5->Label1->setText(question);
    Form5->showModal();
    return Form5->FConfirmed == 1;
}

GridMenu gridMenu(QWidget* owner, TDBGrid* grid)
{
    auto* menu = new QMenu(owner);
    menu->setObjectName("PopupMenu1");
    QAction* sil = menu->addAction("Sil");
    sil->setObjectName("Sil1");
    QAction* yeni = menu->addAction("Yeni");
    yeni->setObjectName("Yeni1");
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, menu,
                     [grid, menu](const QPoint& pos) { menu->popup(grid->viewport()->mapToGlobal(pos)); });
    return {menu, sil, yeni};
}

void limitCellLength(TDBGrid* grid, const QMap<QString, int>& lengths)
{
    QObject::connect(grid, &TDBGrid::keyPressed, grid, [grid, lengths](QKeyEvent*, bool*) {
        // The key reaches the cell editor after this: the editor takes no
        // more characters than the column holds.
        const auto limit = lengths.constFind(grid->currentField());
        if (limit == lengths.constEnd())
            return;
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        // (A longer text stored earlier is left whole.)
        if (editor && grid->isAncestorOf(editor) && editor->text().size() <= *limit)
            editor->setMaxLength(*limit);
    });
}

EntryButtons entryButtons(QWidget* owner)
{
    auto* save = new QPushButton("Kaydet", owner);
    save->setObjectName("BitBtn1");
    auto* remove = new QPushButton("Kayıt Sil", owner);
    remove->setObjectName("BitBtn3");
    remove->setEnabled(false);
    auto* close = new QPushButton("Kapat", owner);
    close->setObjectName("BitBtn2");
    for (QPushButton* b : {save, remove, close})
        b->setAutoDefault(false);
    return {save, remove, close};
}

void enableDeleteWithRows(TDBGrid* grid, QPushButton* remove)
{
    if (grid->currentRow() >= 0)
        remove->setEnabled(true);
}

void disableDeleteWithoutRows(TDBGrid* grid, QPushButton* remove)
{
    if (grid->currentRow() < 0)
        remove->setEnabled(false);
}

bool postGridRow(const QString& typed, TDBGrid* grid)
{
    if (!typed.isEmpty() || grid->currentRow() < 0)
        return false;
    grid->editRow();
    grid->post();
    return true;
}

bool refuseLeadingSpace(QLineEdit* field)
{
    if (!field->text().startsWith(' '))
        return false;
    Messages::info("Hatalı Giriş .....");
    field->setFocus();
    return true;
}

bool ownRowsOnly(bool inserting, const std::function<void()>& reopen)
{
    if (!inserting) {
        reopen();
        return false;
    }
    return true;
}

bool deleteCurrentRow(TDBGrid* grid, const QString& table, const QString& keyField, const QString& nameField,
                      DeleteCheck check)
{
    if (grid->currentRow() < 0)
        return false;
    const Record row = grid->currentRecord();
    const QString name = row.str(nameField);
    Database& base = db();
    const QString refusal = check(base, name, row.toInt(keyField));
    if (!refusal.isEmpty()) {
        Messages::info(refusal);
        return false;
    }
    if (!confirm(name.left(40) + " Silinecektir. Eminmisiniz .... ?"))
        return false;
    base.exec("delete * from " + Database::identifier(table) + " where " + Database::identifier(keyField) + " = :k",
              {{"k", row.value(keyField)}});
    return true;
}

}
