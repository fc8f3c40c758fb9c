#pragma once
// One person as the record editor holds it: the text of each field by the
// C_MUSTERI column it stands for, and the state of the editor's check boxes
// and participation list. The checks before a save, the save itself and the
// companion mirror work on this, so they run without the window.

#include <QHash>
#include <QString>
#include <QStringList>

// A date field with nothing typed, as the editor shows it.
inline const QString kBlankDate = QStringLiteral("  .  .    ");

// True for a date text with no digit in it (the blank mask, or "").
bool isBlankDate(const QString& text);

struct PersonValues {
    // Field texts by column name (exact spelling of the table: "Adi",
    // "Vergi_Dairesi", "E50", "M3", ...). Dates are "dd.mm.yyyy" or blank.
    QHash<QString, QString> fields;
    // "Katılm": the index of the choice, 0 for "YARIŞMAYACAK", else 1 to 3.
    int participation = 0;
    // "Faal Değil", "Ferdi Sporcu" and the hidden flag box (E82).
    bool inactive = false;
    bool individual = false;
    bool flag82 = false;

    QString value(const QString& column) const { return fields.value(column); }
    void set(const QString& column, const QString& text) { fields.insert(column, text); }
    // A person whose "Sporcu" field is not empty.
    bool isAthlete() const { return !value("E50").isEmpty(); }
};

// The date columns of the editor, in the order the checks take them: the
// hidden change and registration dates, then the visible ones.
inline const QStringList kPersonDateColumns = {"M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8", "M9"};

// Text columns of C_MUSTERI that the editor has a field for (visible or
// hidden); the save writes each as it stands.
inline const QStringList kPersonTextColumns = {
    "Adi", "Soyadi", "Ad_Soyad", "Klup_Yetkilisi", "DosyaNo", "Vergi_Numarasi",
    "E43", "E50", "E52", "E56", "E51", "E57", "E25", "E58", "Stil", "E75", "E74",
    "Vergi_Dairesi", "E16", "E49", "E48", "E53", "E54", "E55", "E15", "E26", "E107",
    "Telefonlar", "E10", "E61", "E62", "Fax", "E63",
    "Adres", "Sokak", "Mahalle", "No1", "Semt", "Cadde", "E59", "E60",
    "E21", "E23", "E22", "E17", "E39", "E44", "E18", "E27", "E28", "E29", "E40", "E31", "E30", "E32",
    "E19", "E41", "E42", "E47", "E24",
    "E70", "E72", "E71", "E73", "E33", "E14", "E37", "E34", "E35", "E36", "E64", "E65", "E66",
};

// Integer columns the editor shows as typed text (visa years).
inline const QStringList kVisaYearColumns = {"E67", "E68", "E77", "E78", "E69", "E79", "E80", "E81"};
