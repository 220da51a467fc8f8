#include "ui/simple_dialogs.h"

#include "ui/buttons.h"
#include "ui/next_answer.h"
#include "ui/plain_message.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

QPoint screenCentred(QSize size)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->availableGeometry();
    return area.center() - QPoint(size.width() / 2, size.height() / 2);
}

QFont dialogFont(int points = 0)
{
    QFont font(u"MS Sans Serif"_s);
    if (points > 0)
        font.setPointSize(points);
    else
        font.setPixelSize(11);
    return font;
}

template <class Dialog> Dialog& single()
{
    static QPointer<Dialog> dialog;
    if (!dialog)
        dialog = new Dialog;
    return *dialog;
}

} // namespace

TDialogus::TDialogus(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(u"Dialogus"_s);
    setFont(dialogFont());

    DlgIcon = new QLabel(this);
    DlgIcon->setObjectName(u"DlgIcon"_s);
    DlgIcon->setGeometry(20, 15, 35, 35);
    DlgIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QIcon icon = QApplication::windowIcon().isNull()
                           ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                           : QApplication::windowIcon();
    DlgIcon->setPixmap(icon.pixmap(32, 32));

    DialogSzoveg = new QLabel(this);
    DialogSzoveg->setObjectName(u"DialogSzoveg"_s);
    DialogSzoveg->setGeometry(80, 15, 240, 100);
    DialogSzoveg->setWordWrap(true);
    DialogSzoveg->setTextFormat(Qt::PlainText);
    DialogSzoveg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TDialogus::Init(const QString& caption, const QString& text, int left, int top, int clientWidth,
                     int clientHeight, int fontSize, const QColor& color)
{
    setWindowTitle(caption);
    setFixedSize(clientWidth, clientHeight);
    move(left, top);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
    DialogSzoveg->setGeometry(75, 15, clientWidth - 90, clientHeight - 70);
    DialogSzoveg->setText(withLineBreaks(text));
    DialogSzoveg->setFont(dialogFont(fontSize));
}

void TDialogus::reject()
{
    // No cancel key and no close box: the user answers with a button.
}

void TDialogus::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

TAnswerDialog::TAnswerDialog(const QList<int>& results, int rowWidth, bool firstButtonActive, QWidget* parent)
    : TDialogus(parent), m_rowWidth(rowWidth), m_firstButtonActive(firstButtonActive)
{
    for (const int result : results) {
        auto* button = new TGomb(simpleDialogButtonCaption(result), result, this);
        button->resize(kSimpleButtonSize);
        m_buttons.append(button);
    }
}

QList<int> TAnswerDialog::results() const
{
    QList<int> list;
    for (const TGomb* button : m_buttons)
        list.append(button->modalResult());
    return list;
}

void TAnswerDialog::Init(const QString& caption, const QString& text, int left, int top, int clientWidth,
                         int clientHeight, int fontSize, const QColor& color)
{
    TDialogus::Init(caption, text, left, top, clientWidth, clientHeight, fontSize, color);
    const QList<int> lefts =
        simpleDialogButtonLefts(clientWidth, m_rowWidth, int(m_buttons.size()), dialogRounding());
    for (qsizetype k = 0; k < m_buttons.size(); ++k) {
        m_buttons[k]->setGeometry(QRect(QPoint(lefts[k], clientHeight - 40), kSimpleButtonSize));
        m_buttons[k]->setDefault(false);
    }
    if (m_firstButtonActive && !m_buttons.isEmpty())
        m_buttons.front()->setFocus(Qt::OtherFocusReason);
}

TValaszIN::TValaszIN(QWidget* parent) : TAnswerDialog({mrYes, mrNo}, 180, true, parent) {}
TValaszRM::TValaszRM(QWidget* parent) : TAnswerDialog({mrOk, mrCancel}, 180, true, parent) {}
TValaszINM::TValaszINM(QWidget* parent) : TAnswerDialog({mrYes, mrNo, mrCancel}, 285, true, parent) {}
TUzenetOK::TUzenetOK(QWidget* parent) : TAnswerDialog({mrOk}, 75, false, parent) {}

namespace {

// The one dialog of each family; a second one while it is already open.
TAnswerDialog& dialogOfKind(int kind, std::unique_ptr<TAnswerDialog>& spare)
{
    TAnswerDialog* dialog = nullptr;
    switch (kind) {
    case 0:
        dialog = &single<TValaszIN>();
        break;
    case 1:
        dialog = &single<TValaszRM>();
        break;
    case 5:
        dialog = &single<TValaszINM>();
        break;
    default:
        dialog = &single<TUzenetOK>();
        break;
    }
    if (!dialog->isVisible())
        return *dialog;
    switch (kind) {
    case 0:
        spare = std::make_unique<TValaszIN>();
        break;
    case 1:
        spare = std::make_unique<TValaszRM>();
        break;
    case 5:
        spare = std::make_unique<TValaszINM>();
        break;
    default:
        spare = std::make_unique<TUzenetOK>();
        break;
    }
    return *spare;
}

} // namespace

int showParbeszed(int kind, const QString& text, DialogPosition position, int fontSize, DialogSize size)
{
    const std::optional<SimpleDialogKind> family = simpleDialogKind(kind);
    if (!family)
        return mrOk;
    const SimpleDialogLayout layout =
        layOutSimpleDialog(*family, position, size, FoFormJellem(), dialogRounding());
    const QPoint topLeft = layout.position.value_or(screenCentred(layout.clientSize));

    std::unique_ptr<TAnswerDialog> spare;
    TAnswerDialog& dialog = dialogOfKind(kind, spare);
    dialog.Init(family->caption, text, topLeft.x(), topLeft.y(), layout.clientSize.width(),
                layout.clientSize.height(), fontSize, dialog.palette().color(QPalette::Button));

    if (const std::optional<int> answer =
            answerInAdvance(AnsweredQuestion::simpleDialog(kind, text), family->results))
        return *answer;
    return dialog.exec();
}

TFolyamatjelzo::TFolyamatjelzo(QWidget* parent) : QDialog(parent)
{
    setFont(dialogFont());
    Jelzocsik = new QProgressBar(this);
    Jelzocsik->setObjectName(u"Jelzocsik"_s);
    Jelzocsik->setGeometry(kProgressBarRect);
    Jelzocsik->setTextVisible(false);
}

void TFolyamatjelzo::Letrehoz(const QString& caption, int min, int max)
{
    const QPoint topLeft = centredOverMainWindow(kProgressClientSize, FoFormJellem(), dialogRounding())
                               .value_or(screenCentred(kProgressClientSize));
    setFixedSize(kProgressClientSize);
    move(topLeft);
    setWindowTitle(caption);
    Jelzocsik->setRange(min, max);
    Jelzocsik->setValue(min);
    Jelzocsik->setGeometry(kProgressBarRect);
    Jelzocsik->show();
    m_shownPercent = -1;
    show();
    paintNow();
}

void TFolyamatjelzo::Lepes(qint16 delta)
{
    // The bar stays within its range instead of ignoring a step beyond it.
    const qint64 value = qint64(Jelzocsik->value()) + delta;
    Jelzocsik->setValue(int(std::clamp<qint64>(value, Jelzocsik->minimum(), Jelzocsik->maximum())));
    if (isVisible())
        paintNow();
}

void TFolyamatjelzo::Vege()
{
    hide();
}

void TFolyamatjelzo::paintNow()
{
    const qint64 span = qint64(Jelzocsik->maximum()) - Jelzocsik->minimum();
    const int percent =
        span <= 0 ? 100 : int((qint64(Jelzocsik->value()) - Jelzocsik->minimum()) * 100 / span);
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TFolyamatjelzo& Folyamatjelzo()
{
    return single<TFolyamatjelzo>();
}
