#pragma once
// The pick list that lies under a text field: only its drop-down button
// shows beside the field (20 pixels wide), it opens fourteen entries at a
// time and never takes the focus; choosing an entry is the screen's to
// handle (it copies the text into its field).
//
//   DBLookupComboBox3 = PickLists::make("DBLookupComboBox3", this, {316, 42, 20, 24});
//   PickLists::fill(DBLookupComboBox3, db.select("select Durum_Key, Durum from ..."), "Durum", "Durum_Key");

#include "platform/db/Database.h"

#include <QRect>
#include <QString>

class QComboBox;
class QWidget;

namespace PickLists {
// A pick list on `parent`, at `place` when one is given.
QComboBox* make(const QString& name, QWidget* parent, const QRect& place = QRect());
// The rows' `nameField` texts as its entries (with `keyField`'s values as
// their data when given); nothing chosen.
void fill(QComboBox* combo, const Records& rows, const QString& nameField, const QString& keyField = QString());
}
