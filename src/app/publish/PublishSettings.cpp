#include "app/publish/PublishSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

using PublishIniSections = QHash<QString, QHash<QString, QString>>;

PublishIniSections publishIniRead(const QString& path)
{
    PublishIniSections out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QString section;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).toLower();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || line.startsWith(u';'))
            continue;
        out[section][line.left(eq).trimmed().toLower()] = line.mid(eq + 1);
    }
    return out;
}

// One value on one line: line breaks would start another key.
QString publishIniValue(const QString& value)
{
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    return v;
}

}

namespace PublishSettings {

QString fileName(const QString& programFileName)
{
    QString name = QFileInfo(programFileName).fileName().toLower();
    if (name.size() > 4 && name.at(name.size() - 4) == u'.')
        return name.left(name.size() - 3) + QStringLiteral("ini");
    return name + QStringLiteral(".ini");
}

QString filePath(const QString& programFileName)
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/brivex/") + fileName(programFileName);
}

Values load(const QString& path)
{
    const PublishIniSections ini = publishIniRead(path);
    const QHash<QString, QString> data = ini.value(QStringLiteral("data"));
    Values v;
    auto text = [&](const char* key, QString& field) {
        const auto it = data.find(QString::fromLatin1(key).toLower());
        if (it != data.end())
            field = it.value();
    };
    auto number = [&](const char* key, int& field) {
        const auto it = data.find(QString::fromLatin1(key).toLower());
        if (it == data.end())
            return;
        bool ok = false;
        const int n = it.value().trimmed().toInt(&ok);
        if (ok)
            field = n;
    };
    text("HostName", v.HostName);
    text("Port", v.Port);
    text("UserName", v.UserName);
    text("PassWord", v.PassWord);
    text("Account", v.Account);
    text("HostDir", v.HostDir);
    text("HostFile", v.HostFile);
    text("LocalFile", v.LocalFile);
    text("ResumeAt", v.ResumeAt);
    text("DataPortRangeStart", v.DataPortRangeStart);
    text("DataPortRangeEnd", v.DataPortRangeEnd);
    number("PassiveMode", v.PassiveMode);
    number("AuthSSLEnabled", v.AuthSSLEnabled);
    number("DisplayData", v.DisplayData);
    number("SyncMode", v.SyncMode);
    number("NoAutoResumeAt", v.NoAutoResumeAt);
    number("BinaryMode", v.BinaryMode);
    return v;
}

bool save(const QString& path, const Values& v, const QRect& window, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Klasör oluşturulamadı: ") + folder;
        return false;
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QString text = QStringLiteral("[Data]\n");
    auto put = [&](const char* key, const QString& value) {
        text += QString::fromLatin1(key) + u'=' + publishIniValue(value) + u'\n';
    };
    put("HostName", v.HostName);
    put("Port", v.Port);
    put("UserName", v.UserName);
    put("PassWord", v.PassWord);
    put("Account", v.Account);
    put("HostDir", v.HostDir);
    put("HostFile", v.HostFile);
    put("LocalFile", v.LocalFile);
    put("ResumeAt", v.ResumeAt);
    put("DataPortRangeStart", v.DataPortRangeStart);
    put("DataPortRangeEnd", v.DataPortRangeEnd);
    put("PassiveMode", QString::number(v.PassiveMode));
    put("AuthSSLEnabled", QString::number(v.AuthSSLEnabled));
    put("DisplayData", QString::number(v.DisplayData));
    put("SyncMode", QString::number(v.SyncMode));
    put("NoAutoResumeAt", QString::number(v.NoAutoResumeAt));
    put("BinaryMode", QString::number(v.BinaryMode));
    text += QStringLiteral("\n[Window]\n");
    put("Top", QString::number(window.top()));
    put("Left", QString::number(window.left()));
    put("Width", QString::number(window.width()));
    put("Height", QString::number(window.height()));

    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    // The temporary file is the owner's alone before the password goes in.
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    f.write(text.toUtf8());
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

}
