#include "ui/simple_dialog_layout.h"

using namespace Qt::StringLiterals;

void TFoFormJellem::Init(int left, int top, int clientWidth, int clientHeight)
{
    Left = left;
    Top = top;
    ClientWidth = clientWidth;
    ClientHeight = clientHeight;
}

TFoFormJellem& FoFormJellem()
{
    static TFoFormJellem mainWindow;
    return mainWindow;
}

std::optional<SimpleDialogKind> simpleDialogKind(int kind)
{
    switch (kind) {
    case 0:
        return SimpleDialogKind{u"Kérdés"_s, {mrYes, mrNo}, 180, true};
    case 1:
        return SimpleDialogKind{u"Kérdés"_s, {mrOk, mrCancel}, 180, true};
    case 2:
        return SimpleDialogKind{u"Információ"_s, {mrOk}, 75, false};
    case 3:
        return SimpleDialogKind{u"Figyelmeztetés"_s, {mrOk}, 75, false};
    case 4:
        return SimpleDialogKind{u"Hiba"_s, {mrOk}, 75, false};
    case 5:
        return SimpleDialogKind{u"Választás"_s, {mrYes, mrNo, mrCancel}, 285, true};
    default:
        return std::nullopt;
    }
}

QString simpleDialogButtonCaption(int result)
{
    switch (result) {
    case mrYes:
        return u"Igen"_s;
    case mrNo:
        return u"Nem"_s;
    case mrOk:
        return u"Rendben"_s;
    case mrCancel:
        return u"Mégsem"_s;
    default:
        return QString();
    }
}

std::optional<QPoint> centredOverMainWindow(QSize size, const TFoFormJellem& main, Rounding rounding)
{
    if (!main.isSet())
        return std::nullopt;
    return QPoint(roundWith(rounding, (main.ClientWidth - size.width()) / 2.0) + main.Left,
                  roundWith(rounding, (main.ClientHeight - size.height()) / 2.0) + main.Top);
}

QList<int> simpleDialogButtonLefts(int clientWidth, int rowWidth, int count, Rounding rounding)
{
    QList<int> lefts;
    const int first = roundWith(rounding, (clientWidth - rowWidth) / 2.0);
    for (int k = 0; k < count; ++k)
        lefts.append(first + 105 * k);
    return lefts;
}

SimpleDialogLayout layOutSimpleDialog(const SimpleDialogKind& kind, DialogPosition position, DialogSize size,
                                      const TFoFormJellem& main, Rounding rounding)
{
    SimpleDialogLayout out;
    out.clientSize = QSize(size.width, size.height);
    out.position = position.centred ? centredOverMainWindow(out.clientSize, main, rounding)
                                    : std::optional<QPoint>(QPoint(position.left, position.top));
    out.textRect = QRect(75, 15, size.width - 90, size.height - 70);
    out.buttonTop = size.height - 40;
    out.buttonLefts = simpleDialogButtonLefts(size.width, kind.rowWidth, int(kind.results.size()), rounding);
    return out;
}
