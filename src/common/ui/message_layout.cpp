#include "ui/message_layout.h"

#include "core/fields.h"
#include "core/messages.h"
#include "ui/layout_math.h"

#include <algorithm>

using namespace Qt::StringLiterals;

MessageKind messageKind(QChar kind)
{
    switch (kind.unicode()) {
    case u'B':
        return {u"B e l s ő   H I B A"_s, MessageIcon::Stop};
    case u'F':
        return {u"Figyelmeztetés"_s, MessageIcon::Exclamation};
    case u'H':
        return {u"H I B A"_s, MessageIcon::Stop};
    case u'I':
        return {u"I n f o r m á c i ó"_s, MessageIcon::Information};
    case u'K':
        return {u"K é r d é s"_s, MessageIcon::Question};
    default:
        return {u"E g y é b"_s, MessageIcon::Application};
    }
}

int messageSlotResult(int slot)
{
    return slot >= 0 && slot < kMessageSlots ? modalResultOfButton(QChar(kMessageSlotLetters[slot])) : 0;
}

int messageSlotOf(QChar letter)
{
    const qsizetype slot = QStringView(kMessageSlotLetters).indexOf(letter);
    return slot < 0 || letter.isNull() ? -1 : int(slot);
}

QStringList messageLines(const QString& text)
{
    if (!text.contains(u';'))
        return {text};
    QStringList lines{ERTC(1, text, false)};
    for (int n = 2; n <= kMaxMessageLines; ++n) {
        const QString line = ERTC(n, text, false);
        if (line.isEmpty())
            break;
        lines.append(line);
    }
    return lines;
}

QString messageText(const QString& text)
{
    return messageLines(text).join(u"\r\n"_s);
}

int messageSpacing(double scaleFactor)
{
    return roundHalfEven(20 * scaleFactor);
}

MessageLayout layOutMessage(const MessageLayoutInput& in)
{
    MessageLayout out;
    const int s = in.spacing;
    out.titleBlockWidth = in.titleWidth + 2 * s + 32;
    out.textBlockWidth = in.textSize.width() + 2 * s;

    out.buttonRowWidth = s;
    for (int slot = 0; slot < kMessageSlots; ++slot) {
        out.visible[slot] = in.buttons.contains(QChar(kMessageSlotLetters[slot]));
        if (out.visible[slot])
            out.buttonRowWidth += in.buttonWidth + s;
    }

    out.width = std::max({out.titleBlockWidth, out.textBlockWidth, out.buttonRowWidth});
    out.clientWidth = out.width - in.frame.width();
    out.titleLeft = out.clientWidth - in.titleWidth - s;
    out.textLeft = roundHalfEven((out.clientWidth - out.textBlockWidth) / 2.0) + s;

    // The buttons stand 20 pixels below the text, or at their first place when
    // the text is short; the form keeps at least its first height.
    const int textBottom = in.textTop + in.textSize.height();
    out.height = std::max(textBottom + (in.baseHeight - in.baseButtonTop) + 20, in.baseHeight);
    if (out.height == in.currentHeight)
        out.buttonTop = in.currentButtonTop;
    else
        out.buttonTop = out.height == in.baseHeight ? in.baseButtonTop : textBottom + 20;

    const int x0 = roundHalfEven((out.clientWidth - out.buttonRowWidth) / 2.0);
    int k = 0;
    for (int slot = 0; slot < kMessageSlots; ++slot) {
        if (out.visible[slot])
            out.buttonLeft[slot] = s + x0 + (in.buttonWidth + s) * k++;
    }
    // The first letter names the default button; when it names none, the first
    // button shown is the default.
    out.defaultSlot = in.buttons.isEmpty() ? -1 : messageSlotOf(in.buttons.front());
    if (out.defaultSlot < 0) {
        const auto first = std::find(out.visible.begin(), out.visible.end(), true);
        out.defaultSlot = first == out.visible.end() ? -1 : int(first - out.visible.begin());
    }
    return out;
}

QString effectiveMessageButtons(const QString& buttons)
{
    for (const QChar letter : buttons) {
        if (messageSlotOf(letter) >= 0)
            return buttons;
    }
    return u"R"_s;
}

bool messageMayBeCancelled(const std::array<bool, kMessageSlots>& visible)
{
    const int cancelSlot = messageSlotOf(u'M');
    return visible[cancelSlot] || std::count(visible.begin(), visible.end(), true) == 1;
}
