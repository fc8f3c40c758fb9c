#include "platform/text/Csv.h"

#include "platform/text/CodePage.h"

QString Csv::field(const QString& value, QChar separator)
{
    const bool quote = value.contains(separator) || value.contains('"') || value.contains('\r') ||
                       value.contains('\n');
    if (!quote)
        return value;
    QString v = value;
    v.replace('"', "\"\"");
    return '"' + v + '"';
}

QString Csv::line(const QStringList& fields, QChar separator)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& f : fields)
        out << field(f, separator);
    return out.join(separator);
}

QString Csv::text(const CsvRows& rows, QChar separator)
{
    QString out;
    for (const QStringList& r : rows)
        out += line(r, separator) + "\r\n";
    return out;
}

bool Csv::writeFile(const QString& hostPath, const CsvRows& rows, QString* error, QChar separator)
{
    return Cp1254::writeFile(hostPath, text(rows, separator), error);
}
