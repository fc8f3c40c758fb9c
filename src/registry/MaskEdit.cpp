#include "registry/MaskEdit.h"

#include "registry/PersonValues.h"

TMaskEdit::TMaskEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setInputMask("99.99.9999; ");
    setMaxLength(10);
}

bool TMaskEdit::isBlank() const
{
    return isBlankDate(maskedText());
}

void TMaskEdit::setMaskedText(const QString& text)
{
    if (isBlankDate(text))
        clear();
    else
        setText(text);
}
