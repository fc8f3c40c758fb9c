#pragma once
// A date field with the mask "dd.mm.yyyy": it shows "  .  .    " while
// nothing is typed, and its maskedText() is the text as shown, blanks
// included, as the checks and the save read it.

#include <QLineEdit>

class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    // "  .  .    " when blank, else the digits in their places.
    QString maskedText() const { return displayText(); }
    bool isBlank() const;
    // Shows a date ("dd.mm.yyyy"), or the blank mask for "".
    void setMaskedText(const QString& text);
};
