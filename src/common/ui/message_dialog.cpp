#include "ui/message_dialog.h"

#include "core/messages.h"
#include "ui/buttons.h"
#include "ui/next_answer.h"
#include "ui/plain_message.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kDesignSize{350, 220};
constexpr int kButtonTop = 150;
constexpr QSize kButtonSize{100, 25};

QIcon iconOf(MessageIcon icon, const QStyle* style)
{
    switch (icon) {
    case MessageIcon::Stop:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case MessageIcon::Exclamation:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case MessageIcon::Information:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case MessageIcon::Question:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    case MessageIcon::Application:
        break;
    }
    const QIcon application = QApplication::windowIcon();
    return application.isNull() ? style->standardIcon(QStyle::SP_TitleBarMenuButton) : application;
}

} // namespace

QString messageCloseRefusedText()
{
    return u"A beviteli ablak nem bezárható.\nKérem válasszon a gombok közül."_s;
}

TdlMessage::TdlMessage(QWidget* parent) : TdlAlap(parent)
{
    setObjectName(u"dlMessage"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(kDesignSize - kFrame);

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(15, 15, 32, 32);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lbInfo = new QLabel(this);
    lbInfo->setObjectName(u"lbInfo"_s);
    QFont titleFont(u"Times New Roman"_s);
    titleFont.setPixelSize(15);
    lbInfo->setFont(titleFont);
    lbInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette titleColours = lbInfo->palette();
    titleColours.setColor(QPalette::WindowText, titleColours.color(QPalette::Active, QPalette::Highlight));
    lbInfo->setPalette(titleColours);
    lbInfo->move(286, 20);

    textArea = new QScrollArea(this);
    textArea->setObjectName(u"textArea"_s);
    textArea->setFrameShape(QFrame::NoFrame);
    textArea->setFocusPolicy(Qt::NoFocus);
    textArea->setWidgetResizable(false);
    textArea->viewport()->setAutoFillBackground(false);
    lbSzoveg = new QLabel;
    lbSzoveg->setObjectName(u"lbSzoveg"_s);
    lbSzoveg->setTextFormat(Qt::PlainText);
    lbSzoveg->setWordWrap(false);
    textArea->setWidget(lbSzoveg);
    textArea->move(20, 65);

    gmIgen1 = new TgmIgen(this);
    gmNem1 = new TgmNem(this);
    gmRnb1 = new TgmRnb(this);
    gmEgyeb1 = new TGomb(QString(), mrAll, this);
    gmMgs1 = new TgmMgs(this);
    const QStringList names{u"gmIgen1"_s, u"gmNem1"_s, u"gmRnb1"_s, u"gmEgyeb1"_s, u"gmMgs1"_s};
    const auto buttons = slotButtons();
    for (int slot = 0; slot < kMessageSlots; ++slot) {
        buttons[slot]->setObjectName(names[slot]);
        buttons[slot]->setGeometry(20 + slot * 60, kButtonTop, kButtonSize.width(), kButtonSize.height());
    }
}

std::array<TGomb*, kMessageSlots> TdlMessage::slotButtons() const
{
    return {gmIgen1, gmNem1, gmRnb1, gmEgyeb1, gmMgs1};
}

std::array<bool, kMessageSlots> TdlMessage::visibleSlots() const
{
    std::array<bool, kMessageSlots> visible{};
    const auto buttons = slotButtons();
    for (int slot = 0; slot < kMessageSlots; ++slot)
        visible[slot] = buttons[slot]->isVisibleTo(this);
    return visible;
}

QSize TdlMessage::textBoxSize(int spacing) const
{
    // A text too large for the screen scrolls, so the buttons stay reachable.
    const QSize label = lbSzoveg->sizeHint();
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return label;
    const QRect area = display->availableGeometry();
    const int maxWidth = std::max(area.width() - 2 * spacing - kFrame.width(), 100);
    const int maxHeight =
        std::max(area.height() - kFrame.height() - textArea->y() - (m_baseHeight - m_baseButtonTop) - 20, 60);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool vertical = label.height() > maxHeight;
    const bool horizontal = label.width() + (vertical ? bar : 0) > maxWidth;
    vertical = vertical || (horizontal && label.height() + bar > maxHeight);
    return {std::min(label.width() + (vertical ? bar : 0), maxWidth),
            std::min(label.height() + (horizontal ? bar : 0), maxHeight)};
}

void TdlMessage::layOut(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption)
{
    // The style holder's font is in force before any text is measured.
    FormCreate();
    FormResize();
    FormActivate();
    setWindowTitle(applicationTitle());
    if (m_baseHeight == 0)
        m_baseHeight = outerHeight();
    if (m_baseButtonTop == 0)
        m_baseButtonTop = gmRnb1->y();
    const int s = messageSpacing(ScaleFactor());

    const MessageKind look = messageKind(kind);
    Image1->setPixmap(iconOf(look.icon, style()).pixmap(32, 32));
    lbInfo->setText(look.title);
    lbInfo->adjustSize();

    lbSzoveg->setText(withLineBreaks(messageText(text)));
    lbSzoveg->adjustSize();
    textArea->resize(textBoxSize(s));

    gmEgyeb1->setText(extraCaption);

    MessageLayoutInput in;
    in.spacing = s;
    in.frame = kFrame;
    in.titleWidth = lbInfo->width();
    in.textSize = textArea->size();
    in.textTop = textArea->y();
    in.buttonWidth = gmRnb1->width();
    in.buttons = effectiveMessageButtons(buttons);
    in.baseHeight = m_baseHeight;
    in.baseButtonTop = m_baseButtonTop;
    in.currentHeight = outerHeight();
    in.currentButtonTop = gmRnb1->y();
    const MessageLayout out = layOutMessage(in);

    setSizeWithoutRescale(QSize(out.width, out.height) - kFrame, true);
    lbInfo->move(out.titleLeft, lbInfo->y());
    textArea->move(out.textLeft, textArea->y());
    const auto slotButtons = this->slotButtons();
    for (int slot = 0; slot < kMessageSlots; ++slot) {
        TGomb* button = slotButtons[slot];
        button->setVisible(out.visible[slot]);
        button->move(out.visible[slot] ? out.buttonLeft[slot] : button->x(), out.buttonTop);
        button->setDefault(false);
    }
    if (out.defaultSlot >= 0) {
        slotButtons[out.defaultSlot]->setDefault(true);
        slotButtons[out.defaultSlot]->setFocus(Qt::OtherFocusReason);
    }
}

int TdlMessage::Execute(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption)
{
    layOut(text, kind, buttons, extraCaption);

    const auto visible = visibleSlots();
    QList<int> possible;
    for (int slot = 0; slot < kMessageSlots; ++slot) {
        if (visible[slot])
            possible.append(messageSlotResult(slot));
    }
    if (messageMayBeCancelled(visible))
        possible.append(mrCancel);
    std::optional<int> result =
        answerInAdvance(AnsweredQuestion::message(text, kind, buttons, extraCaption), possible);
    if (!result)
        result = exec();
    // Shown first by the base form's rule, from then on in the screen's centre.
    setPosition(Position::ScreenCenter);
    return *result;
}

bool TdlMessage::FormCloseQuery(int modalResult)
{
    if (modalResult != mrCancel || messageMayBeCancelled(visibleSlots()))
        return true;
    showPlainMessageBox(messageCloseRefusedText());
    return false;
}

void TdlMessage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        setModalResult(mrCancel);
        event->accept();
        return;
    }
    TdlAlap::keyPressEvent(event);
}

TdlMessage& dlMessage()
{
    static QPointer<TdlMessage> dialog;
    if (!dialog)
        dialog = new TdlMessage;
    return *dialog;
}
