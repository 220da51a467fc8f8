#include "core/discovery.h"

#include <QDir>
#include <QSet>

#include <algorithm>

QStringList matchingFiles(const QString& folder, const QString& mask)
{
    // Without QDir::CaseSensitive the mask matches names in any letter case.
    return QDir(folder).entryList(QStringList{mask}, QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
}

void sortNames(QStringList& names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

ImportFiles sortFiles(const QStringList& importedNames, const QStringList& matching)
{
    ImportFiles files;
    files.anyMatch = !matching.isEmpty();
    files.imported = importedNames;
    sortNames(files.imported);
    QSet<QString> known;
    for (const QString& name : importedNames)
        known.insert(name.toCaseFolded());
    for (const QString& name : matching) {
        if (!known.contains(name.toCaseFolded()))
            files.waiting.append(name);
    }
    sortNames(files.waiting);
    return files;
}
