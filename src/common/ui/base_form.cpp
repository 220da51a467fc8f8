#include "ui/base_form.h"

#include "core/messages.h"
#include "ui/buttons.h"
#include "ui/dos_edit.h"
#include "ui/focus_chain.h"
#include "ui/program_kind.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

double currentScaleFactor = 0.0;
QPointer<TdlAlap> activatedForm;  // the form whose activation ran last
QPointer<TdlAlap> groupOperation; // the form running a group minimize or restore
QPointer<QWidget> theMainForm;

int primaryScreenHeight()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QFont scaledFont(QFont font, ScaleRatio ratio)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, mulDiv(font.pixelSize(), ratio.numerator, ratio.denominator)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * ratio.numerator / ratio.denominator);
    return font;
}

QSize scaledSize(QSize size, ScaleRatio ratio)
{
    auto scale = [ratio](int v) {
        return v >= QWIDGETSIZE_MAX ? v : mulDiv(v, ratio.numerator, ratio.denominator);
    };
    return {scale(size.width()), scale(size.height())};
}

// Controls that place their own inner parts; their insides are left to them.
bool placesItsOwnParts(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QTabBar*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QMenuBar*>(w) || qobject_cast<const QCalendarWidget*>(w) ||
           qobject_cast<const QProgressBar*>(w);
}

// The containers whose controls a scaling goes on into.
QList<QWidget*> innerContainers(QWidget* w)
{
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        QList<QWidget*> pages;
        for (int i = 0; i < tabs->count(); ++i)
            pages.append(tabs->widget(i));
        return pages;
    }
    if (auto* area = qobject_cast<QScrollArea*>(w))
        return area->widget() ? QList<QWidget*>{area->widget()} : QList<QWidget*>{};
    if (placesItsOwnParts(w))
        return {};
    return {w};
}

void scaleOneControl(QWidget* child, bool placedByLayout, ScaleRatio ratio)
{
    // Limits first, so that the new geometry is not clipped by the old ones.
    if (child->minimumSize() != QSize(0, 0))
        child->setMinimumSize(scaledSize(child->minimumSize(), ratio));
    if (child->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
        child->setMaximumSize(scaledSize(child->maximumSize(), ratio));
    if (!placedByLayout) {
        const QRect g = child->geometry();
        child->setGeometry(mulDiv(g.x(), ratio.numerator, ratio.denominator),
                           mulDiv(g.y(), ratio.numerator, ratio.denominator),
                           mulDiv(g.width(), ratio.numerator, ratio.denominator),
                           mulDiv(g.height(), ratio.numerator, ratio.denominator));
    }
    if (child->testAttribute(Qt::WA_SetFont))
        child->setFont(scaledFont(child->font(), ratio));
}

} // namespace

// Sees the keys of radio buttons and check boxes before they do, as dialog
// keys reach a form before its controls.
class DialogKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* control = qobject_cast<QWidget*>(watched);
        if (!control || !(qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control)))
            return false;
        auto* form = qobject_cast<TdlAlap*>(control->window());
        return form && form->CMDialogKey(control, static_cast<QKeyEvent*>(event)->key());
    }
};

TdlAlap::TdlAlap(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_position(programKind() == ProgramKind::Collector ? Position::ScreenCenter : Position::MainFormCenter)
{
    static DialogKeyFilter* keyFilter = nullptr;
    if (!keyFilter) {
        keyFilter = new DialogKeyFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(keyFilter);
    }
    QFont font(u"Courier New"_s);
    font.setPixelSize(13);
    setFont(font);
    resize(640, 480);
    m_remembered = size();
}

void TdlAlap::FormCreate()
{
    if (m_created)
        return;
    m_created = true;
    m_remembered = size();
    m_minimizedTogether = false;
    currentScaleFactor = scaleFactorForScreenHeight(primaryScreenHeight());
    if (currentScaleFactor != 1.0) {
        resize(scaledFormSize(size(), currentScaleFactor));
        FormResize();
    }
}

void TdlAlap::FormActivate()
{
    applyStyle();
    if (programKind() != ProgramKind::Collector)
        return;
    // Filter edits size their edit area by the font just taken on.
    const auto relayoutEditsIn = [](QWidget* container) {
        for (auto* edit : container->findChildren<TdosEdit*>(Qt::FindDirectChildrenOnly))
            edit->relayoutEditArea();
    };
    relayoutEditsIn(this);
    for (auto* box : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        relayoutEditsIn(box);
}

void TdlAlap::applyStyle()
{
    TdlAlap& holder = dlAlap();
    if (&holder == this)
        return;
    setFont(holder.font());
    if (programKind() == ProgramKind::Collector) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, holder.palette().color(QPalette::Window));
        setPalette(colours);
    }
}

void TdlAlap::FormResize()
{
    const bool minimized = windowState().testFlag(Qt::WindowMinimized);
    if ((minimized || m_minimizedTogether) && !groupOperation) {
        groupOperation = this;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TdlAlap*>(window);
            if (!form || !form->isVisible())
                continue;
            if (minimized) {
                form->m_minimizedTogether = true;
                form->m_savedState = form->windowState();
                if (form != this)
                    form->setWindowState(form->windowState() | Qt::WindowMinimized);
            } else {
                form->m_minimizedTogether = false;
                if (form != this)
                    form->setWindowState(form->m_savedState);
            }
        }
        groupOperation = nullptr;
    }

    if (const std::optional<ScaleRatio> ratio = rescaleRatio(m_remembered, size()))
        scaleControls(this, *ratio);
    m_remembered = size();
}

bool TdlAlap::FormCloseQuery(int)
{
    return true;
}

void TdlAlap::setModalResult(int result)
{
    m_modalResult = result;
    // The form closes once the event that set the result has been handled, so
    // the click handlers of the button run first and may take the result back.
    if (result != 0 && isModal())
        QMetaObject::invokeMethod(this, &TdlAlap::closeWithModalResult, Qt::QueuedConnection);
}

void TdlAlap::closeWithModalResult()
{
    const int result = std::exchange(m_modalResult, 0);
    if (result != 0 && isVisible())
        done(result);
}

void TdlAlap::done(int result)
{
    m_modalResult = 0;
    if (!FormCloseQuery(result))
        return;
    QDialog::done(result);
}

void TdlAlap::reject()
{
    // The close box: the form closes with "Cancel" if it may close at all.
    done(mrCancel);
}

TGomb* TdlAlap::cancelButton() const
{
    for (TGomb* button : findChildren<TGomb*>()) {
        if (button->isCancel() && button->isVisible() && button->isEnabled())
            return button;
    }
    return nullptr;
}

void TdlAlap::scaleControls(QWidget* parent, ScaleRatio ratio)
{
    if (ratio.numerator == ratio.denominator || ratio.denominator == 0)
        return;
    const bool placedByLayout = parent->layout() != nullptr;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        scaleOneControl(child, placedByLayout, ratio);
        for (QWidget* inner : innerContainers(child)) {
            if (inner != child)
                scaleOneControl(inner, true, ratio);
            scaleControls(inner, ratio);
        }
    }
}

bool TdlAlap::CMDialogKey(QWidget* control, int key)
{
    const bool forward = isEnter(key) || key == Qt::Key_Right || key == Qt::Key_Down;
    const bool backward = key == Qt::Key_Left || key == Qt::Key_Up;
    if (!forward && !backward)
        return false;

    QWidget* container = control->parentWidget();
    QWidget* target = nullptr;
    if (container == this) {
        target = neighbourInTabOrder(control, forward);
    } else {
        QList<QWidget*> members;
        for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isWindow())
                members.append(w);
        }
        if (key == Qt::Key_Left || (key == Qt::Key_Up && control == members.front()))
            target = neighbourInTabOrder(members.front(), false, container);
        else if (key == Qt::Key_Right || isEnter(key) || (key == Qt::Key_Down && control == members.back()))
            target = neighbourInTabOrder(members.back(), true, container);
        else if (qobject_cast<QRadioButton*>(control))
            return false; // Up and Down inside the group move between its radio buttons
        else
            target = siblingInTabOrder(control, forward); // and between its check boxes
    }
    if (target)
        target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void TdlAlap::setSizeWithoutRescale(QSize size, bool fixed)
{
    m_remembered = size;
    if (fixed)
        setFixedSize(size);
    else
        resize(size);
}

bool TdlAlap::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Polish:
        FormCreate();
        break;
    case QEvent::WindowActivate:
        // Once per activation of this form within the program, not again when
        // the program itself comes back to the front.
        if (activatedForm != this) {
            activatedForm = this;
            FormActivate();
        }
        break;
    default:
        break;
    }
    return QDialog::event(event);
}

void TdlAlap::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!m_created)
        return;
    // The user (or the window system) resizing the window re-scales the
    // controls; a size the program or a layout sets is only remembered.
    if (event->spontaneous())
        FormResize();
    else
        m_remembered = size();
}

void TdlAlap::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_created)
        FormResize();
}

void TdlAlap::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        applyStyle();
        applyPosition();
    }
    QDialog::showEvent(event);
}

void TdlAlap::hideEvent(QHideEvent* event)
{
    if (activatedForm == this && !event->spontaneous())
        activatedForm = nullptr;
    QDialog::hideEvent(event);
}

void TdlAlap::applyPosition()
{
    if (m_position == Position::Designed)
        return;
    QWidget* centredOn = m_position == Position::MainFormCenter ? mainForm() : nullptr;
    if (centredOn == this || (centredOn && !centredOn->isVisible()))
        centredOn = nullptr;
    const QScreen* screen = centredOn ? centredOn->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect over = centredOn ? centredOn->frameGeometry() : area;
    const QSize outer = frameGeometry().size();
    QPoint topLeft(over.x() + (over.width() - outer.width()) / 2,
                   over.y() + (over.height() - outer.height()) / 2);
    // Keep the whole window on the screen.
    topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - outer.width())));
    topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - outer.height())));
    move(topLeft);
}

void TdlAlap::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // Esc presses the cancel button; a form without one ignores it.
        if (TGomb* button = cancelButton())
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

double ScaleFactor()
{
    if (currentScaleFactor == 0.0)
        currentScaleFactor = scaleFactorForScreenHeight(primaryScreenHeight());
    return currentScaleFactor;
}

TdlAlap& dlAlap()
{
    static QPointer<TdlAlap> holder;
    if (!holder) {
        holder = new TdlAlap;
        holder->setObjectName(u"dlAlap"_s);
    }
    return *holder;
}

void setMainForm(QWidget* form)
{
    theMainForm = form;
}

QWidget* mainForm()
{
    return theMainForm;
}
