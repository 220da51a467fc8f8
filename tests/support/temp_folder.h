#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder with helpers to look at the files in it.
class TempFolder {
public:
    TempFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // Names of the files in the folder, sorted.
    QStringList names() const;
    QByteArray read(const QString& name) const;
    void write(const QString& name, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
};

// The content of a file under tests/data.
QByteArray testData(const QString& name);
