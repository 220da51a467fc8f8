#pragma once

#include <QString>
#include <QStringList>

// The files of the import folder that match the mask, and of them the ones
// not yet imported. Names compare without regard to letter case, as the
// folder of the collector may be shared from a system that ignores it.
struct ImportFiles {
    QStringList imported; // names recorded as imported, sorted
    QStringList waiting;  // matching names not imported yet, sorted
    bool anyMatch = false;
};

// Ordinary files only (no folders, no hidden entries); "*" and "?" in mask.
QStringList matchingFiles(const QString& folder, const QString& mask);

ImportFiles sortFiles(const QStringList& importedNames, const QStringList& matching);

// Sorted without regard to letter case.
void sortNames(QStringList& names);
