#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

// Text, number and date helpers for fixed-width records, numbered codes
// ("A0001", "USR001"), year.month.day dates and Hungarian accented letters in
// the DOS and Windows code pages. Positions count from 1.

QString RightPart(const QString& text, int n);
QString RepeatText(const QString& text, int count);
QString TrimRightBlanks(const QString& text);
QString TrimLeftBlanks(const QString& text);
// Both of the above: blanks (code 32) only, not other white space.
QString TrimBlanks(const QString& text);
// An empty fill would never lengthen the text: the text is returned as it is.
QString PadLeft(const QString& text, const QString& fill, int width);
QString PadRight(const QString& text, const QString& fill, int width);

// Converts the Hungarian letters of text into the code page named by target
// ("WIN", "852", "CWI", "437" or "ENG", letter case ignored). An unknown name
// is reported and the text returned unchanged.
QString ConvertCodePage(const QString& text, const QString& target);

// The number in text plus n, at least as wide as text, filled with "0".
// Numbers are 64-bit, so an 18-digit running key counts on correctly.
QString AddToNumber(const QString& text, qint64 n);
QString SubtractFromNumber(const QString& text, qint64 n);
// Replaces the trailing digits (at most nine) by AddToNumber of them; a text
// without a trailing digit is reported and returned unchanged.
QString IncTrailingNumber(const QString& text, qint64 n);
QString ReplaceAt(const QString& text, int position, int count, const QString& insert);

// The integer in text: optional leading blanks, an optional sign and decimal
// digits; 0 for anything else and for numbers beyond 64 bits.
qint64 SafeStrToInt(const QString& text);
// The integer in text, or nothing when it is not one.
std::optional<qint64> parseInteger(const QString& text);
// The real number in text, with "," or "." as decimal separator; 0 when invalid.
double SafeStrToFloat(const QString& text);

QString DateToText(const QDate& date);
// yyyy.mm.dd; nothing for an impossible date.
std::optional<QDate> TextToDate(const QString& text);
QString TimeToText(const QTime& time);
// hh:mm:ss; nothing for an impossible time.
std::optional<QTime> TextToTime(const QString& text);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The blank value of the date edit mask, a valid empty date.
inline constexpr char16_t kBlankDate[] = u"    .  .  ";

// A yyyy.mm.dd date or the blank date. With showError, the first defect found
// is shown in a simple error dialog.
bool IsValidDate(const QString& text, bool showError);

// Rounds to the nearest integer, halves away from zero.
qint64 RoundHalfAway(double x);

// The collector's fixed formats for dates and times: "." between the date
// parts, year first, ":" in times, "DE" / "DU" for before and after noon.
struct DateFormats {
    QChar dateSeparator = u'.';
    QString shortDateFormat = QStringLiteral("yyyy.MM.dd.");
    QString longDateFormat = QStringLiteral("yyyy.MM.dd.");
    QChar timeSeparator = u':';
    QString amString = QStringLiteral("DE");
    QString pmString = QStringLiteral("DU");
    QString shortTimeFormat = QStringLiteral("hh:mm");
    QString longTimeFormat = QStringLiteral("hh:mm:ss");
    int hintDisplayMilliseconds = 7500;
};
void SetDateFormats();
const DateFormats& dateFormats();
