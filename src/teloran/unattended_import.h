#pragma once

#include <QString>
#include <QTextStream>

// The import without a window, for a scheduler: every waiting file is read
// as at start-up, without the question, and each file gets one summary line
// and the run a total. Returns the exit code: 0 when every file was read,
// 1 when a file failed, 2 when the run could not start.
int runUnattendedImport(const QString& mainIniFileName, const QString& userName,
                        const QString& executableFolder, QTextStream& out, QTextStream& err);
