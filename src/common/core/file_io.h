#pragma once

#include <QByteArray>
#include <QString>

#include <expected>

// Small file operations with the guarantees the programs rely on: a settings
// file is replaced whole or not at all, and what was written is on the disk.

using FileResult = std::expected<void, QString>;

// Writes data to a temporary file beside path, syncs it and renames it over
// path, then syncs the folder. A crash leaves either the old or the new file.
FileResult writeFileAtomically(const QString& path, const QByteArray& data);

// Makes the folder's entries (created, renamed files) durable.
FileResult syncFolder(const QString& folder);

// "<what>: <path> (<system error text>)" for errno.
QString fileErrorText(const QString& what, const QString& path, int error);
