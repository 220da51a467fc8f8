#include "core/password.h"

#include "core/cp1250.h"
#include "core/messages.h"

#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Variant {
    int startBase; // position 1 holds startBase + first data position - 2
    int linkBase;  // a link cell holds linkBase + next data position - 1
    int fillerLow; // filler codes, uniform
    int fillerHigh;
    bool rotate; // text characters stored rotated left by one bit
};

constexpr Variant kVariantA{35, 34, 33, 122, false};
constexpr Variant kVariantB{130, 129, 33, 254, true};
constexpr int kLengthBase = 33;

std::mt19937& randomSource()
{
    static std::mt19937 generator{std::random_device{}()};
    return generator;
}

int randomBetween(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(randomSource());
}

int rotateLeft(int byte)
{
    return ((byte << 1) | (byte >> 7)) & 0xFF;
}

int rotateRight(int byte)
{
    return ((byte >> 1) | (byte << 7)) & 0xFF;
}

int byteOf(QChar c)
{
    const int byte = cp1250::byteOf(c);
    return byte < 0 ? '?' : byte;
}

QString encode(const QString& text, int width, const Variant& variant)
{
    const int n = int(text.size());
    const auto tooLittleRoom = [] {
        ShowPlainMessage(u"Kódolás helye kevés !!!"_s);
        return QString();
    };
    if (width < 4 * n || width < 3)
        return tooLittleRoom();
    // Which positions are taken is kept apart from their content, so a stored
    // blank does not free its position. Index 0 is unused: positions count from 1.
    std::vector<QChar> cells(width + 1);
    std::vector<bool> taken(width + 1, false);
    const auto put = [&](int position, QChar c) {
        cells[position] = c;
        taken[position] = true;
    };

    const int r = randomBetween(0, width - 3);
    put(1, cp1250::charOf(r + variant.startBase));
    int q = r + 2;
    for (int k = 0; k <= n; ++k) {
        if (k == 0)
            put(q, cp1250::charOf(n + kLengthBase));
        else if (variant.rotate)
            put(q, cp1250::charOf(rotateLeft(byteOf(text[k - 1]))));
        else
            put(q, text[k - 1]);
        put(q + 1, u'*');
        // Very small widths can run out of free pairs even within four
        // characters of room; drawing would then never end.
        bool freePairLeft = false;
        for (int p = 1; p < width && !freePairLeft; ++p)
            freePairLeft = !taken[p] && !taken[p + 1];
        if (!freePairLeft)
            return tooLittleRoom();
        int t = 0;
        do {
            t = randomBetween(0, width - 2);
        } while (taken[t + 1] || taken[t + 2]);
        put(q + 1, cp1250::charOf(t + variant.linkBase));
        q = t + 1;
    }

    QString value(width, Qt::Uninitialized);
    for (int position = 1; position <= width; ++position) {
        value[position - 1] = taken[position]
                                  ? cells[position]
                                  : cp1250::charOf(randomBetween(variant.fillerLow, variant.fillerHigh));
    }
    return value;
}

// Follows the chain. A value that was not made by the matching encoder gives
// an empty text rather than reading outside the value.
QString decode(const QString& value, const Variant& variant)
{
    const auto codeAt = [&](int position) { return byteOf(value[position - 1]); };
    const auto inside = [&](int position) { return position >= 1 && position <= value.size(); };
    if (value.isEmpty())
        return QString();
    const int start = codeAt(1);
    if (start <= variant.linkBase)
        return QString();
    const int lengthPosition = start - variant.startBase + 2;
    if (!inside(lengthPosition) || codeAt(lengthPosition) <= kLengthBase)
        return QString();
    const int n = codeAt(lengthPosition) - kLengthBase;
    int link = lengthPosition + 1;
    QString text;
    for (int k = 0; k < n; ++k) {
        if (!inside(link))
            return QString();
        const int next = codeAt(link) - variant.linkBase + 1;
        if (!inside(next))
            return QString();
        text += variant.rotate ? cp1250::charOf(rotateRight(codeAt(next))) : value[next - 1];
        link = next + 1;
    }
    return text;
}

} // namespace

QString EncodeTextA(const QString& text, int width)
{
    return encode(text, width, kVariantA);
}

QString DecodeTextA(const QString& value)
{
    return decode(value, kVariantA);
}

QString EncodeTextB(const QString& text, int width)
{
    return encode(text, width, kVariantB);
}

QString DecodeTextB(const QString& value)
{
    return decode(value, kVariantB);
}
