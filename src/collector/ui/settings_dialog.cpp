#include "ui/settings_dialog.h"

#include "core/collector_program.h"
#include "core/messages.h"
#include "core/pbx_type.h"
#include "ui/asterisk_echo.h"
#include "ui/buttons.h"
#include "ui/choice_box.h"
#include "ui/dos_edit.h"
#include "ui/plain_forms.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kClientSize{632, 446};
constexpr int kNameColumn = 0;
constexpr int kFirstColumn = 1; // "Ettől"
constexpr int kLastColumn = 2;  // "Eddig"
constexpr int kRowHeight = 20;

TdosEdit* shortEdit(const QString& name, QWidget* parent, int width = 44)
{
    auto* edit = new TdosEdit(parent);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    return edit;
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

TChoiceBox* checkBox(const QString& name, const QString& text, QWidget* parent)
{
    auto* box = new TChoiceBox(text, parent);
    box->setObjectName(name);
    return box;
}

void keepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

TdlBeall1::TdlBeall1(CollectorProgram& program, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_program(program)
{
    setObjectName(u"dlBeall1"_s);
    setWindowTitle(u" Beállítás"_s);
    setFont(plainFormFont());

    gmRnb1 = new TgmRnb(this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    connect(gmRnb1, &TGomb::clicked, this, &TdlBeall1::gmRnb1Click);
    gmMgs1 = new TgmMgs(this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    gmMgs1->setCancel(true);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(gmRnb1);
    buttons->addWidget(gmMgs1);

    auto* administrators = new QHBoxLayout;
    administrators->addWidget(buildAdministratorList(), 3);
    administrators->addWidget(buildAdministratorEditor(), 3);
    administrators->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildTypeRow());
    layout->addWidget(buildLayoutEditor());
    layout->addStretch();
    layout->addLayout(administrators);
    // The design size, larger where the texts need it.
    resize(kClientSize);
}

QWidget* TdlBeall1::buildTypeRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    cbAdatstru = new QComboBox(row);
    cbAdatstru->setObjectName(u"cbAdatstru"_s);
    cbAdatstru->setMinimumWidth(260);
    connect(cbAdatstru, &QComboBox::currentIndexChanged, this, &TdlBeall1::cbAdatstruChange);
    Label11 = labelFor(u"Tel.központ adatstruktúra :"_s, cbAdatstru, row);
    Label11->setObjectName(u"Label11"_s);
    layout->addWidget(Label11);
    layout->addWidget(cbAdatstru);
    layout->addStretch();
    return row;
}

QGroupBox* TdlBeall1::buildLayoutEditor()
{
    gbEgyeni = new QGroupBox(u" Az egyéni beállítás adatai "_s, this);
    gbEgyeni->setObjectName(u"gbEgyeni"_s);
    keepPlaceWhenHidden(gbEgyeni);

    dxtLeir = new QTableWidget(int(layoutRows().size()), 3, gbEgyeni);
    dxtLeir->setObjectName(u"dxtLeir"_s);
    dxtLeir->setHorizontalHeaderLabels({QString(), u"Ettől"_s, u"Eddig"_s});
    dxtLeir->verticalHeader()->hide();
    dxtLeir->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dxtLeir->verticalHeader()->setDefaultSectionSize(kRowHeight);
    dxtLeir->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dxtLeir->setColumnWidth(kNameColumn, 86);
    dxtLeir->setColumnWidth(kFirstColumn, 48);
    dxtLeir->setColumnWidth(kLastColumn, 48);
    dxtLeir->setSelectionMode(QAbstractItemView::SingleSelection);
    dxtLeir->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    dxtLeir->setTabKeyNavigation(true);
    dxtLeir->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dxtLeir->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < dxtLeir->rowCount(); ++row) {
        auto* name = new QTableWidgetItem(layoutRows()[size_t(row)].name);
        name->setFlags(Qt::ItemIsEnabled);
        dxtLeir->setItem(row, kNameColumn, name);
        for (int column : {kFirstColumn, kLastColumn}) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            dxtLeir->setItem(row, column, cell);
        }
    }
    const int frame = 2 * dxtLeir->frameWidth();
    dxtLeir->setFixedSize(dxtLeir->horizontalHeader()->length() + frame,
                          dxtLeir->horizontalHeader()->sizeHint().height() +
                              dxtLeir->verticalHeader()->length() + frame);
    connect(dxtLeir, &QTableWidget::itemChanged, this, &TdlBeall1::cellChanged);

    // Date, time of day and duration.
    deDatVal = shortEdit(u"deDatVal"_s, gbEgyeni);
    cbDatSor = new QComboBox(gbEgyeni);
    cbDatSor->setObjectName(u"cbDatSor"_s);
    cbDatSor->addItems(dateOrderNames());
    deIdoVal = shortEdit(u"deIdoVal"_s, gbEgyeni);
    deIdoDEJ = shortEdit(u"deIdoDEJ"_s, gbEgyeni);
    deIdoDUJ = shortEdit(u"deIdoDUJ"_s, gbEgyeni);
    cbIdo24E = checkBox(u"cbIdo24E"_s, u"24 órás"_s, gbEgyeni);
    deTrtMin = shortEdit(u"deTrtMin"_s, gbEgyeni);
    deTrtSec = shortEdit(u"deTrtSec"_s, gbEgyeni);
    auto* times = new QGridLayout;
    times->setVerticalSpacing(4);
    int line = 0;
    const auto addPair = [&](const QString& text, QWidget* field) {
        times->addWidget(labelFor(text, field, gbEgyeni), line, 0);
        times->addWidget(field, line++, 1, Qt::AlignLeft);
    };
    addPair(u"Dátum tagoló:"_s, deDatVal);
    addPair(u"- sorrend:"_s, cbDatSor);
    addPair(u"Idő tagoló:"_s, deIdoVal);
    addPair(u"DE jelölő:"_s, deIdoDEJ);
    addPair(u"DU jelölő:"_s, deIdoDUJ);
    times->addWidget(cbIdo24E, line++, 1);
    addPair(u"Tart. perc tagol:"_s, deTrtMin);
    addPair(u"Tart. m.p tagol:"_s, deTrtSec);
    times->setRowStretch(line, 1);

    // Account codes, call direction and the line end.
    cbAccVan = checkBox(u"cbAccVan"_s, u"*Account kódok kezelése:"_s, gbEgyeni);
    cbAccEgy = checkBox(u"cbAccEgy"_s, u"- ha a mellék mezőben van:"_s, gbEgyeni);
    deAccJel = shortEdit(u"deAccJel"_s, gbEgyeni);
    cbHivEgy = checkBox(u"cbHivEgy"_s, u"**Hívásirány a tel.szám alapján:"_s, gbEgyeni);
    deHivBEJ = shortEdit(u"deHivBEJ"_s, gbEgyeni, 70);
    deHivKIJ = shortEdit(u"deHivKIJ"_s, gbEgyeni, 70);
    auto* hivKIJLabel = labelFor(u"- Ha külön jelölve, akkor   kimenő hívás jelölése:"_s, deHivKIJ, gbEgyeni);
    hivKIJLabel->setWordWrap(true);
    rgSorveg = new QGroupBox(u" Sorvég jele "_s, gbEgyeni);
    rgSorveg->setObjectName(u"rgSorveg"_s);
    m_lineEnds = new QButtonGroup(rgSorveg);
    auto* lineEnds = new QHBoxLayout(rgSorveg);
    lineEnds->setContentsMargins(6, 2, 6, 2);
    const QStringList lineEndTexts = lineEndNames();
    for (int i = 0; i < lineEndTexts.size(); ++i) {
        auto* button = new QRadioButton(lineEndTexts[i], rgSorveg);
        m_lineEnds->addButton(button, i);
        lineEnds->addWidget(button);
    }
    auto* marks = new QGridLayout;
    marks->setVerticalSpacing(4);
    marks->addWidget(cbAccVan, 0, 0, 1, 2);
    marks->addWidget(cbAccEgy, 1, 0, 1, 2);
    marks->addWidget(labelFor(u"akkor annak jelölése:"_s, deAccJel, gbEgyeni), 2, 0);
    marks->addWidget(deAccJel, 2, 1, Qt::AlignLeft);
    marks->addWidget(cbHivEgy, 3, 0, 1, 2);
    marks->addWidget(labelFor(u"Bejövő, ha ezt tartalmazza:"_s, deHivBEJ, gbEgyeni), 4, 0);
    marks->addWidget(deHivBEJ, 4, 1, Qt::AlignLeft);
    marks->addWidget(hivKIJLabel, 5, 0);
    marks->addWidget(deHivKIJ, 5, 1, Qt::AlignLeft | Qt::AlignBottom);
    marks->addWidget(rgSorveg, 6, 0, 1, 2);
    marks->setRowStretch(7, 1);

    auto* layout = new QHBoxLayout(gbEgyeni);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(10);
    layout->addWidget(dxtLeir, 0, Qt::AlignTop);
    layout->addLayout(times);
    layout->addLayout(marks, 1);
    gbEgyeni->hide();
    return gbEgyeni;
}

QFrame* TdlBeall1::buildAdministratorList()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* layout = new QGridLayout(Panel1);
    layout->setVerticalSpacing(2);
    auto* title = new QLabel(u"Rendszergazdai nevek és jelszavak beállítása"_s, Panel1);
    layout->addWidget(title, 0, 0, 1, 3);
    for (int i = 0; i < kAdministratorEntries; ++i) {
        const int entry = i + 1;
        lbNev[size_t(i)] = new QLabel(Panel1);
        lbNev[size_t(i)]->setObjectName(u"lbNev"_s + QString::number(entry));
        SB[size_t(i)] = new TGomb(u"Megad / Változtat"_s, 0, Panel1);
        SB[size_t(i)]->setObjectName(u"SB"_s + QString::number(entry));
        connect(SB[size_t(i)], &TGomb::clicked, this, [this, entry] { SzerkButtonClick(entry); });
        layout->addWidget(new QLabel(QString::number(entry) + u'.', Panel1), entry, 0);
        layout->addWidget(lbNev[size_t(i)], entry, 1);
        layout->addWidget(SB[size_t(i)], entry, 2);
    }
    layout->setColumnStretch(1, 1);
    return Panel1;
}

QFrame* TdlBeall1::buildAdministratorEditor()
{
    Panel2 = new QFrame(this);
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    keepPlaceWhenHidden(Panel2);
    Label5 = new QLabel(Panel2);
    Label5->setObjectName(u"Label5"_s);
    const auto edit = [this](const QString& name) {
        auto* e = new TdosEdit(Panel2);
        e->setObjectName(name);
        e->setMaxLength(kAdministratorMaxLength);
        return e;
    };
    deAzon = edit(u"deAzon"_s);
    deJsz1 = edit(u"deJsz1"_s);
    deJsz2 = edit(u"deJsz2"_s);
    showAsterisks(deJsz1);
    showAsterisks(deJsz2);
    gmRnb2 = new TGomb(u"Rendben"_s, 0, Panel2);
    gmRnb2->setObjectName(u"gmRnb2"_s);
    connect(gmRnb2, &TGomb::clicked, this, &TdlBeall1::gmRnb2Click);
    gmMgs2 = new TGomb(u"Mégsem"_s, 0, Panel2);
    gmMgs2->setObjectName(u"gmMgs2"_s);
    connect(gmMgs2, &TGomb::clicked, this, &TdlBeall1::gmMgs2Click);

    auto* layout = new QGridLayout(Panel2);
    layout->setVerticalSpacing(2);
    layout->addWidget(Label5, 0, 0, 1, 3);
    layout->addWidget(labelFor(u"Azonosító"_s, deAzon, Panel2), 1, 0);
    layout->addWidget(deAzon, 1, 1);
    layout->addWidget(labelFor(u"Jelszó"_s, deJsz1, Panel2), 2, 0);
    layout->addWidget(deJsz1, 2, 1);
    layout->addWidget(labelFor(u"Jelszó újra"_s, deJsz2, Panel2), 3, 0);
    layout->addWidget(deJsz2, 3, 1);
    layout->addWidget(gmRnb2, 1, 2);
    layout->addWidget(gmMgs2, 2, 2);
    Panel2->hide();
    return Panel2;
}

int TdlBeall1::Execute()
{
    FormActivate();
    return exec();
}

void TdlBeall1::FormActivate()
{
    {
        const QSignalBlocker quiet(cbAdatstru);
        cbAdatstru->clear();
        cbAdatstru->addItems(pbxTypeListTexts());
        cbAdatstru->setCurrentIndex(cbAdatstru->findText(pbxTypeTextOf(m_program.kind())));
    }
    refreshNames();
    // Every showing loads the layout from the file afresh.
    gbEgyeni->hide();
    cbAdatstruChange();
    Panel2->hide();
    cbAdatstru->setFocus();
}

void TdlBeall1::cbAdatstruChange()
{
    const bool configured = isConfiguredType(cbAdatstru->currentText());
    if (configured && gbEgyeni->isHidden())
        IniLoad();
    gbEgyeni->setVisible(configured);
}

void TdlBeall1::IniLoad()
{
    const LayoutEditorValues values = ::IniLoad(m_program.settings());
    const CallRecordLayout& l = values.other;
    m_filling = true;
    for (int row = 0; row < dxtLeir->rowCount(); ++row) {
        dxtLeir->item(row, kFirstColumn)->setText(values.first[size_t(row)]);
        dxtLeir->item(row, kLastColumn)->setText(values.last[size_t(row)]);
    }
    m_filling = false;
    deDatVal->setText(l.dateSeparator);
    cbDatSor->setCurrentIndex(l.dateOrder >= 0 && l.dateOrder < cbDatSor->count() ? l.dateOrder : -1);
    deTrtMin->setText(l.minuteSeparator);
    deTrtSec->setText(l.secondSeparator);
    deIdoVal->setText(l.timeSeparator);
    deIdoDEJ->setText(l.amMarker);
    deIdoDUJ->setText(l.pmMarker);
    cbIdo24E->setCheckedQuietly(l.clock24);
    cbAccVan->setCheckedQuietly(l.accountCodes);
    cbAccEgy->setCheckedQuietly(l.accountInExtension);
    deAccJel->setText(l.accountMark);
    cbHivEgy->setCheckedQuietly(l.directionFromNumber);
    deHivBEJ->setText(l.incomingMarks);
    deHivKIJ->setText(l.outgoingValue);
    setLineEndIndex(l.lineEndChoice);
}

LayoutEditorValues TdlBeall1::editorValues() const
{
    LayoutEditorValues values;
    for (int row = 0; row < dxtLeir->rowCount(); ++row) {
        values.first[size_t(row)] = dxtLeir->item(row, kFirstColumn)->text();
        values.last[size_t(row)] = dxtLeir->item(row, kLastColumn)->text();
    }
    CallRecordLayout& l = values.other;
    l.dateSeparator = deDatVal->text();
    l.dateOrder = cbDatSor->currentIndex();
    l.minuteSeparator = deTrtMin->text();
    l.secondSeparator = deTrtSec->text();
    l.timeSeparator = deIdoVal->text();
    l.amMarker = deIdoDEJ->text();
    l.pmMarker = deIdoDUJ->text();
    l.clock24 = cbIdo24E->isChecked();
    l.accountCodes = cbAccVan->isChecked();
    l.accountInExtension = cbAccEgy->isChecked();
    l.accountMark = deAccJel->text();
    l.directionFromNumber = cbHivEgy->isChecked();
    l.incomingMarks = deHivBEJ->text();
    l.outgoingValue = deHivKIJ->text();
    l.lineEndChoice = lineEndIndex();
    return values;
}

int TdlBeall1::lineEndIndex() const
{
    return m_lineEnds->checkedId();
}

void TdlBeall1::setLineEndIndex(int index)
{
    // A value outside the list leaves no line end chosen.
    m_lineEnds->setExclusive(false);
    for (QAbstractButton* button : m_lineEnds->buttons())
        button->setChecked(m_lineEnds->id(button) == index);
    m_lineEnds->setExclusive(true);
}

void TdlBeall1::cellChanged(QTableWidgetItem* item)
{
    if (m_filling || item->column() == kNameColumn)
        return;
    // Checked once the cell's editor has closed, so that the message does not
    // take the focus from an editor that is still committing.
    const int row = item->row();
    const int column = item->column();
    QMetaObject::invokeMethod(
        this, [this, row, column] { dxtLeirEdited(row, column); }, Qt::QueuedConnection);
}

void TdlBeall1::dxtLeirEdited(int row, int column)
{
    QTableWidgetItem* cell = dxtLeir->item(row, column);
    if (!cell)
        return;
    const PositionCellCheck check = ::dxtLeirEdited(cell->text());
    m_filling = true;
    cell->setText(check.text);
    m_filling = false;
    if (check.refused)
        ShowPlainMessage(kPositionCellRefusal);
}

void TdlBeall1::gmRnb1Click()
{
    m_program.settingsConfirmed(cbAdatstru->currentText(), editorValues());
}

void TdlBeall1::refreshNames()
{
    for (int i = 0; i < kAdministratorEntries; ++i) {
        m_names[size_t(i)] = administratorName(m_program.settings(), i + 1);
        lbNev[size_t(i)]->setText(administratorLabel(m_names[size_t(i)]));
    }
}

void TdlBeall1::SzerkButtonClick(int entry)
{
    m_entry = entry;
    deAzon->setText(m_names[size_t(entry - 1)]);
    deJsz1->clear();
    deJsz2->clear();
    Label5->setText(administratorEditorTitle(entry));
    Panel2->show();
    deAzon->setFocus();
}

void TdlBeall1::gmRnb2Click()
{
    const auto stored =
        storeAdministrator(m_program.settings(), m_entry, deAzon->text(), deJsz1->text(), deJsz2->text());
    if (!stored) {
        ShowPlainMessage(stored.error());
        return;
    }
    // Only the names are read again: a PBX type or layout edited but not yet
    // confirmed stays as it is in the dialog.
    refreshNames();
    gmMgs2Click();
}

void TdlBeall1::gmMgs2Click()
{
    deJsz1->clear();
    deJsz2->clear();
    Panel2->hide();
}

void TdlBeall1::keyPressEvent(QKeyEvent* event)
{
    if (ignoresEnter(event))
        return;
    QDialog::keyPressEvent(event);
}
