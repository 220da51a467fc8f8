#include "ui/setup_dialog.h"

#include "core/messages.h"
#include "core/number_keys.h"
#include "core/parameter_store.h"
#include "core/setup_geometry.h"
#include "ui/buttons.h"
#include "ui/dos_edit.h"
#include "ui/message_dialog.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kDesignSize{640, 480};
constexpr int kEditHeight = 21;

// An edit of an N or R parameter: every typed character goes through the
// number key filter, every change through the sign fixer.
class NumberEdit : public TdosEdit {
public:
    NumberEdit(bool real, QChar decimalSeparator, QWidget* parent)
        : TdosEdit(parent), m_real(real), m_decimalSeparator(decimalSeparator)
    {
        connect(this, &QLineEdit::textChanged, this, &NumberEdit::fixSignsNow);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const std::optional<QChar> key = typedCharacter(event);
        if (!key) {
            TdosEdit::keyPressEvent(event);
            return;
        }
        show(numberKeyPress(state(), *key, m_real, m_decimalSeparator));
        event->accept();
    }

private:
    static std::optional<QChar> typedCharacter(const QKeyEvent* event)
    {
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return std::nullopt;
        if (event->key() == Qt::Key_Backspace)
            return kBackspace;
        const QString text = event->text();
        if (text.size() != 1 || !text.front().isPrint())
            return std::nullopt;
        return text.front();
    }

    EditState state() const
    {
        EditState edit;
        edit.text = text();
        edit.cursor = cursorPosition();
        edit.selectionStart = hasSelectedText() ? selectionStart() : cursorPosition();
        edit.selectionLength = int(selectedText().size());
        return edit;
    }

    void show(const EditState& edit)
    {
        if (edit.text != text())
            setText(edit.text);
        if (edit.selectionLength > 0)
            setSelection(edit.selectionStart, edit.selectionLength);
        else
            setCursorPosition(edit.cursor);
    }

    void fixSignsNow()
    {
        const EditState now = state();
        const EditState fixed = fixSigns(now);
        if (fixed.text != now.text)
            show(fixed);
    }

    bool m_real;
    QChar m_decimalSeparator;
};

// The check box of an L parameter: its caption at the left, the box at the
// right end, so the boxes line up with the edits of the page.
class ParameterCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        QStyleOptionButton box = option;
        box.rect = QRect(width() - indicator.width(), (height() - indicator.height()) / 2, indicator.width(),
                         indicator.height());
        painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
        QStyleOptionButton label = option;
        label.rect = QRect(0, 0, box.rect.left() - 4, height());
        painter.drawControl(QStyle::CE_CheckBoxLabel, label);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = style()->itemTextRect(fontMetrics(), label.rect, Qt::AlignLeft | Qt::AlignVCenter,
                                               true, text());
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
    // The whole width answers a click, the caption as well as the box.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

bool isTextType(QChar type)
{
    return type == u'C' || type == u'M' || type == u'N' || type == u'R';
}

} // namespace

TdlSetup::TdlSetup(ParameterStore& store, QWidget* parent) : TdlAlap(parent), m_store(store)
{
    setObjectName(u"dlSetup"_s);
    resize(kDesignSize - TdlMessage::kFrame);

    pcSetup = new QTabWidget(this);
    pcSetup->setObjectName(u"pcSetup"_s);
    pcSetup->setGeometry(10, 10, 610, 370);

    Label2 = new QLabel(u"Felsorolás mezőkben az elválasztójel a VESSZŐ."_s, this);
    Label2->setObjectName(u"Label2"_s);
    Label2->move(25, 390);
    Label1 = new QLabel(u"Oldalváltás: [PgUp / PgDn]   Mentés: [Ctrl + End]"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->move(25, 420);

    gmRnb1 = new TGomb(u"Mentés"_s, mrOk, this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    gmRnb1->setGeometry(440, 410, 75, 25);
    connect(gmRnb1, &QPushButton::clicked, this, &TdlSetup::gmRnb1Click);
    gmMgs1 = new TgmMgs(this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    gmMgs1->setCancel(true);
    gmMgs1->setGeometry(535, 410, 75, 25);
    for (QWidget* w :
         {static_cast<QWidget*>(pcSetup), static_cast<QWidget*>(gmRnb1), static_cast<QWidget*>(gmMgs1)})
        w->installEventFilter(this);

    FormCreate();
    FormResize();
    if (m_store.isInitialised())
        build();
}

bool TdlSetup::Init(const QString& caption, const QString& iniFileName, const QStringList& pages,
                    const QStringList& params)
{
    if (!m_store.Init(caption, iniFileName, pages, params))
        return false;
    build();
    return true;
}

void TdlSetup::build()
{
    setWindowTitle(m_store.caption());
    for (const QString& title : m_store.pages()) {
        auto* page = new QWidget;
        page->installEventFilter(this);
        pcSetup->addTab(page, title);
    }
    const QList<ParameterStore::Control>& controls = m_store.controls();
    for (int i = 0; i < controls.size(); ++i) {
        const ParameterStore::Control& c = controls[i];
        QWidget* page = pcSetup->widget(c.page);
        QWidget* control = nullptr;
        QLabel* label = nullptr;
        if (c.type == u'L') {
            auto* box = new ParameterCheckBox(c.label, page);
            // A long caption may not fit before the column of the edits.
            box->setToolTip(c.label.trimmed());
            connect(box, &QCheckBox::toggled, this, [this, i](bool on) { m_store.setChecked(i, on); });
            control = box;
        } else if (isTextType(c.type)) {
            label = new QLabel(c.label, page);
            label->setToolTip(c.label.trimmed());
            TdosEdit* edit = nullptr;
            if (c.type == u'N' || c.type == u'R')
                edit = new NumberEdit(c.type == u'R', m_store.decimalSeparator(), page);
            else
                edit = new TdosEdit(page);
            if (c.type == u'M')
                edit->setEditMask(c.editMask);
            connect(edit, &QLineEdit::textChanged, this,
                    [this, i, edit] { m_store.setText(i, edit->maskedText()); });
            control = edit;
        }
        control->setObjectName(u"param"_s + QString::number(i));
        control->installEventFilter(this);
        m_controls.append(control);
        m_labels.append(label);
    }
    pcSetup->tabBar()->installEventFilter(this);
    showStoreValues();
}

void TdlSetup::placeControls()
{
    // The pages' width is known once the page control has laid out the
    // current one; the others are as wide.
    if (!pcSetup->currentWidget())
        return;
    const int pageWidth = pcSetup->currentWidget()->width();
    const double s = ScaleFactor();
    const QList<ParameterStore::Control>& controls = m_store.controls();
    for (int i = 0; i < controls.size(); ++i) {
        const ParameterStore::Control& c = controls[i];
        QWidget* control = m_controls[i];
        if (c.type == u'L') {
            control->setGeometry(setupgeometry::kControlLeft, setupgeometry::rowTop(c.row),
                                 setupgeometry::checkBoxWidth(pageWidth, s), control->sizeHint().height());
            continue;
        }
        m_labels[i]->move(setupgeometry::kControlLeft, setupgeometry::rowTop(c.row));
        const int width =
            c.type == u'C' ? setupgeometry::wideEditWidth(s) : setupgeometry::narrowEditWidth(s);
        control->setGeometry(setupgeometry::editLeft(pageWidth, s), setupgeometry::editTop(c.row), width,
                             setupgeometry::scaled(kEditHeight, s));
    }
    m_placed = true;
}

void TdlSetup::showStoreValues()
{
    const QList<ParameterStore::Control>& controls = m_store.controls();
    for (int i = 0; i < controls.size(); ++i) {
        if (controls[i].type == u'L')
            static_cast<QCheckBox*>(m_controls[i])->setChecked(controls[i].checked);
        else
            static_cast<TdosEdit*>(m_controls[i])->setMaskedText(controls[i].text);
    }
}

bool TdlSetup::Execute()
{
    if (!m_store.checkExecute())
        return false;
    showStoreValues();
    pcSetup->setCurrentIndex(0);
    return exec() == mrOk;
}

void TdlSetup::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    if (!m_placed)
        placeControls();
    // The labels fit their text in the font the form has taken on.
    for (QLabel* label : findChildren<QLabel*>())
        label->adjustSize();
    if (const std::optional<int> first = m_store.firstControl())
        m_controls[*first]->setFocus(Qt::OtherFocusReason);
}

void TdlSetup::gmRnb1Click()
{
    // A file that cannot be written keeps the dialog open with the edits.
    if (!m_store.gmRnb1Click())
        setModalResult(0);
}

void TdlSetup::done(int result)
{
    TdlAlap::done(result);
    if (isVisible())
        return;
    // FormClose, by any button or key: the controls show the file again.
    m_store.FormClose();
    showStoreValues();
}

bool TdlSetup::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const int pages = pcSetup->count();
    if (key == Qt::Key_PageUp && !(modifiers & Qt::ControlModifier)) {
        pcSetup->setCurrentIndex(pageAfterPageUp(pcSetup->currentIndex(), pages));
        return true;
    }
    if (key == Qt::Key_PageDown && !(modifiers & Qt::ControlModifier)) {
        pcSetup->setCurrentIndex(pageAfterPageDown(pcSetup->currentIndex(), pages));
        return true;
    }
    if (key == Qt::Key_End && modifiers == Qt::ControlModifier) {
        gmRnb1->click();
        return true;
    }
    return false;
}

bool TdlSetup::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog sees its keys before its controls do.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key->key(), key->modifiers()))
            return true;
    }
    return TdlAlap::eventFilter(watched, event);
}

void TdlSetup::FormResize()
{
    TdlAlap::FormResize();
    const setupgeometry::ResizedLayout layout = setupgeometry::resizedLayout(
        width() + TdlMessage::kFrame.width(), gmMgs1->width(), gmRnb1->width(), ScaleFactor());
    pcSetup->resize(layout.pageControlWidth, pcSetup->height());
    gmMgs1->move(layout.cancelLeft, gmMgs1->y());
    gmRnb1->move(layout.saveLeft, gmRnb1->y());
}
