#pragma once

#include <QString>
#include <QStringList>

// The PBX type code "A-TTT-MM" of section "OTHER", key "KIND": variant digit,
// layout type and output mode. Each part is read as an integer; anything that
// is not a number counts as 0, so an empty code is layout 0, output mode 0.
struct PbxType {
    int variant = 0;
    int layoutType = 0;
    int outputMode = 0;

    static PbxType fromCode(const QString& code);
};

// Layout types.
inline constexpr int kLayoutPassThrough = 0;
inline constexpr int kLayoutPassThroughToo = 1;
inline constexpr int kLayoutFixedColumns = 2;
inline constexpr int kLayoutConfigured = 999;

// Output modes.
inline constexpr int kOutputByDayOfReceipt = 0;
inline constexpr int kOutputFixedWidth = 1;
inline constexpr int kOutputSemicolon = 2;

// The PBX types offered in the settings, in order; the first eight
// characters of a text are the code that is stored.
QStringList pbxTypeListTexts();
