#pragma once

#include "core/file_io.h"

#include <QString>
#include <QStringList>

#include <vector>

// A settings file with the semantics of Windows profile files: section and
// key names compare without regard to letter case, values lose their leading
// and trailing blanks when read, a missing key gives the default. The file is
// Windows-1250 text and every byte of a value survives a round trip.
//
// Nothing is cached: each read looks at the file as it is now, and each write
// changes its one key in the file as it is now and replaces the file
// atomically, so two objects on the same file never see stale values.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;

    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // The integer in the value; the default when the key is missing or the
    // value is not an integer.
    qint64 readInteger(const QString& section, const QString& key, qint64 defaultValue) const;
    // A value read as an integer: true when it is not 0.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    // The key names of a section, in file order.
    QStringList readSection(const QString& section) const;

    FileResult writeString(const QString& section, const QString& key, const QString& value);
    FileResult writeInteger(const QString& section, const QString& key, qint64 value);
    // Logical values are stored as "1" and "0".
    FileResult writeBool(const QString& section, const QString& key, bool value);
    FileResult deleteKey(const QString& section, const QString& key);
    FileResult eraseSection(const QString& section);

private:
    struct Entry {
        QString line;    // as in the file, without its line end
        QString section; // section the line belongs to (empty before the first header)
        bool header = false;
        QString key;   // trimmed key name; empty for headers, comments, blank lines
        QString value; // trimmed value
    };
    std::vector<Entry> load() const;
    FileResult save(const std::vector<Entry>& entries) const;

    QString m_path;
};
