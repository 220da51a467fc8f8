#include "temp_folder.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

TempFolder::TempFolder() : m_dir(QDir::tempPath() + u"/kalvix-test-XXXXXX"_s) {}

QStringList TempFolder::names() const
{
    return QDir(path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void TempFolder::write(const QString& name, const QByteArray& content) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

QByteArray testData(const QString& name)
{
    QFile f(QStringLiteral(TEST_DATA_DIR) + u'/' + name);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}
