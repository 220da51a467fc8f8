#pragma once

#include "core/file_io.h"
#include "core/layout.h"

#include <QString>
#include <QStringList>

#include <array>
#include <expected>
#include <optional>

class IniFile;

// What the settings dialog "Beállítás" does without its widgets: the layout
// editor's cells and their checks, loading and saving the configured layout,
// and the administrator editor.

// ---- Layout editor ----

// One row of the layout table: its name and the columns it edits.
struct LayoutRow {
    QString name;
    QString keyPrefix; // "Dat" for DatKzd / DatVeg
    ColumnRange CallRecordLayout::*range;
};
// The nine rows, in the order the table shows them.
const std::array<LayoutRow, 9>& layoutRows();

// The names of the date orders (index = "DatSor") and of the line ends
// (index = "LineFd").
QStringList dateOrderNames();
QStringList lineEndNames();

// What the layout editor holds: the position cells as typed text ("Ettől",
// "Eddig" per row), everything else as values (the ranges of other are not used).
struct LayoutEditorValues {
    std::array<QString, 9> first;
    std::array<QString, 9> last;
    CallRecordLayout other;
};

// A position as its cell shows it: 0 is an empty cell.
QString positionCellText(int position);

// The check of an edited position cell.
inline const QString kPositionCellRefusal = QStringLiteral("Hibás! (nem 0 és 1000 közötti valós-egész szám)");
struct PositionCellCheck {
    QString text; // what the cell holds afterwards
    bool refused; // the refusal message is to be shown
    bool operator==(const PositionCellCheck&) const = default;
};
// Trimmed empty stays empty; not an integer: refused and emptied; below 0 or
// above 1000: refused and "0"; else the plain decimal form ("07" -> "7").
PositionCellCheck dxtLeirEdited(const QString& typed);

// The position a cell is stored as: empty, not an integer or outside 0-1000 is 0.
int positionToStore(const QString& cell);

// Section "KIND999" into the editor, missing keys at their defaults.
LayoutEditorValues IniLoad(const IniFile& ini);
// The editor into section "KIND999".
FileResult IniSave(IniFile& ini, const LayoutEditorValues& values);

// The PBX type list text whose code is kind; empty when none matches.
QString pbxTypeTextOf(const QString& kind);
// The layout editor is shown for the configured types only.
bool isConfiguredType(const QString& typeText);

// ---- Administrator editor ----

inline constexpr int kAdministratorEntries = 3;
inline constexpr int kAdministratorMaxLength = 15;
inline constexpr int kAdministratorCodeWidth = 60;
inline const QString kNoAdministrator = QStringLiteral("nincs megadva");

// The decoded name of an entry (1-3); empty when the entry is not set.
QString administratorName(const IniFile& ini, int entry);
// What the list of administrators shows for a name.
QString administratorLabel(const QString& name);
// The title of the editor of an entry.
QString administratorEditorTitle(int entry);

// The first reason to refuse what was typed into the editor of an entry, or
// nothing when it may be stored.
std::optional<QString> administratorRefusal(int entry, const QString& name, const QString& password,
                                            const QString& passwordAgain);

// Stores an entry: a name with its password, both encoded; an empty name with
// an empty password clears the entry. The error is the refusal or the file error.
std::expected<void, QString> storeAdministrator(IniFile& ini, int entry, const QString& name,
                                                const QString& password, const QString& passwordAgain);
