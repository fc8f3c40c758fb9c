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
