#pragma once

#include "core/account_codes.h"
#include "core/discovery.h"
#include "core/import_line.h"

#include <QString>
#include <QStringList>

#include <expected>

class ParameterStore;
class QFile;
class Tdm1;

// The import parameters of section IMPORT of Ceg.ini.
struct ImportSettings {
    QString folder;            // UTVONAL, ends with the folder separator
    QString mask;              // MASZK
    QString typeText;          // IMPTIPUS as written
    bool askFirst = true;      // BIZTKERD
    bool accountCodes = false; // EGYENIKODOK

    static ImportSettings from(const ParameterStore& cegParameterek);
    int type() const;
};

// Uzemmod: who started the import and which step it is in.
enum class ImportMode { Auto, Search, Read }; // "AUTO", "KEZ1", "KEZ2"

// The status line of the import window.
class ImportStatus {
public:
    virtual ~ImportStatus() = default;
    virtual void show(const QString& text) = 0;
};

// What happened to one file.
struct FileOutcome {
    QString name;
    bool read = false; // read to its end and recorded in Importok
    qint64 lines = 0;  // lines read (skipped ones included)
    qint64 stored = 0; // rows written into Forg
    QString error;     // why the file was not recorded
};

// Finds the waiting call-record files and reads them into Forg, each file
// whole or not at all: its rows, its new secret codes and its Importok row
// are written in one transaction.
class Importer {
public:
    Importer(Tdm1& dm, ImportSettings settings, QString userId, ImportStatus& status);

    // Feltolt: the imported and the waiting files; true when a file waits.
    bool Feltolt();
    const ImportFiles& files() const { return m_files; }

    // Beolvas: reads the waiting files (all of them in the automatic mode,
    // else the selected ones) in ascending name order. Returns the result of
    // the last file read, false when none was read or the user declined.
    bool Beolvas(ImportMode mode, const QStringList& selected = {});

    // Import: one file.
    FileOutcome Import(const QString& fullName, const QString& name, ImportMode mode);

    // Set whenever a file has been read to its end.
    bool VoltBeolvasas = false;
    const QList<FileOutcome>& outcomes() const { return m_outcomes; }

private:
    std::expected<void, QString> storeFile(QFile& file, const QString& fullName, const QString& name,
                                           ImportMode mode, FileOutcome& outcome);
    std::expected<QString, QString> lastKey();

    Tdm1& m_dm;
    ImportSettings m_settings;
    QString m_userId;
    ImportStatus& m_status;
    ImportFiles m_files;
    AccountCodeCache m_accounts;
    QList<FileOutcome> m_outcomes;
};

QString modeLetter(ImportMode mode);
