#include "app/kit/WeightCategories.h"

#include "platform/db/Database.h"

namespace WeightCategories {

QString composeName(const QString& weight, const QString& unit, const QString& gender, const QString& categoryName)
{
    return QStringList{weight, unit, gender, categoryName}.join(' ');
}

QString lengthRefusal(const QString& name)
{
    if (name.size() <= kMaxNameLength)
        return {};
    return name + " Branş Adı çok uzun...!";
}

QStringList hyphenRefusals(const QString& name)
{
    QStringList messages;
    for (int i = 0; i < name.count('-'); ++i)
        messages << "Lütfen '-' İşaterini Kullanmayınız ...!";
    return messages;
}

QString categoryNameOf(const QString& weightCategory, const QStringList& categoryNames)
{
    QString found;
    for (const QString& name : categoryNames) {
        if (name.isEmpty())
            continue;
        const bool fits = weightCategory == name || weightCategory.endsWith(' ' + name);
        if (fits && name.size() >= found.size())
            found = name;
    }
    return found;
}

QString categoryNameOf(Database& db, const QString& weightCategory)
{
    QStringList names;
    for (const Record& r : db.select("select Durum from C_BRANSADI where Durum_Key > 2 order by Durum_Key"))
        names << r.str("Durum");
    return categoryNameOf(weightCategory, names);
}

}

bool WeightCategories::belongsToCategory(const QString& weightCategory, const QString& categoryName)
{
    const QStringList name = categoryName.split(' ', Qt::SkipEmptyParts);
    if (name.isEmpty())
        return false;
    // A weight category is named weight, unit, sex and category name: the
    // category name is what follows the sex, whole, not merely its end.
    const QStringList words = weightCategory.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < int(words.size()); ++i)
        if (words[i] == kMen || words[i] == kWomen)
            return words.mid(i + 1) == name;
    return weightCategory == categoryName || weightCategory.endsWith(" " + categoryName);
}

namespace {
// Upper case with the four Turkish i letters (i, ı, İ, I) as one.
QString semiContactFold(const QString& text)
{
    QString folded;
    folded.reserve(text.size());
    for (const QChar c : text) {
        if (c == QChar('i') || c == QChar(0x0131) || c == QChar(0x0130))
            folded += QChar('I');
        else
            folded += c.toUpper();
    }
    return folded;
}
}

bool WeightCategories::isSemiContact(const QString& weightCategory)
{
    const QString folded = semiContactFold(weightCategory);
    return folded.contains("SEMI") || folded.contains(semiContactFold("POINT FIGHTING"));
}
