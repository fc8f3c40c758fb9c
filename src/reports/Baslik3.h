#pragma once
// "Rapor Başlığı Girişi" of the bracket charts: a title line, the choice of
// an activity and the chart options. On "Tamam" it composes the activity
// title the landscape and repechage charts print at the top (the activity's
// name, a line break, its period and place: ActivityTitle.h, so an activity
// over a year's end keeps both years). It writes nothing.
//
//   Baslik3->Edit8->setReadOnly(true);     // the landscape chart: title from the list
//   Baslik3->showModal();
//   const BracketChart::Options o = Baslik3->options();
//   title = Baslik3->FActivityTitle;
//
// There is no cancel: however the dialog is closed the caller goes on.

#include "app/kit/Form.h"
#include "platform/db/Database.h"
#include "reports/BracketChart.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TBaslik3 : public Form {
    Q_OBJECT
public:
    TBaslik3();

    QLabel* Label15;                // "Başlık" (bold); a click clears Edit8
    QLineEdit* Edit8;               // the title line
    // Activities: Turnuva_Adi, key Turnuva_Key. None is chosen when the
    // dialog opens with an empty title line; a title line left from an
    // earlier run keeps the activity the list stood on (while it is there).
    QComboBox* DBLookupComboBox1;
    QCheckBox* CheckBox1;           // "Kura Tablosunda Bölge Yaz" (checked)
    QCheckBox* CheckBox2;           // "Kulüp Yaz"
    QCheckBox* CheckBox3;           // "Çizelge Tek Sayfaya Sığmıyorsa 2'ye Böl" (checked, hidden)
    QCheckBox* CheckBox4;           // "Sırt Numarası Yaz"
    QCheckBox* CheckBox5;           // "Puan Yaz"
    QCheckBox* CheckBox6;           // "Uluslar arası Müsabaka"
    QPushButton* BitBtn4;           // "Tamam"

    // Composed by "Tamam": empty when the title line is empty.
    QString FActivityTitle;

    // Activities (newest first) while the dialog shows.
    Records Query2;

    // The chart options of the check boxes.
    BracketChart::Options options() const;

    // The activity title "Tamam" composes: empty for an empty title line,
    // the title line itself when no activity is chosen (or the penalties'
    // row, which is none), else the chosen activity's name, line break,
    // period, two blanks, place.
    static QString composeTitle(const QString& titleLine, const Record* activity, bool international);

public Q_SLOTS:
    void Label15Click();
    void DBLookupComboBox1Click();
    void BitBtn4Click();

protected:
    void FormActivate() override;
    void FormClose() override;
};

inline TBaslik3* Baslik3 = nullptr;
