#include "ui/import_list_window.h"

#include "core/messages.h"
#include "core/parameter_store.h"
#include "core/startup.h"
#include "ui/buttons.h"
#include "ui/import_window.h"
#include "ui/message_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kDesignSize{600, 420};

QListWidget* fileList(const QString& name, const QString& caption, int left, QWidget* parent)
{
    (new QLabel(caption, parent))->setGeometry(left, 48, 270, 22);
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(left, 72, 270, 258);
    return list;
}

} // namespace

TdlBeolvas::TdlBeolvas(TdlBeolv& beolv, const TeloranSession& session, QWidget* parent)
    : TdlAlap(parent), m_beolv(beolv), m_session(session)
{
    setObjectName(u"dlBeolvas"_s);
    setWindowTitle(u"Menüből indított beolvasás"_s);
    setSizeWithoutRescale(kDesignSize - TdlMessage::kFrame);

    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(20, 15, width() - 40, 22);
    lb1 = fileList(u"lb1"_s, u"Beolvasott fájlok"_s, 20, this);
    lb1->setSelectionMode(QAbstractItemView::NoSelection);
    lb2 = fileList(u"lb2"_s, u"Beolvasásra váró fájlok"_s, 302, this);
    lb2->setSelectionMode(QAbstractItemView::ExtendedSelection);

    gmRnb1 = new TGomb(u"Beolvasás indítása"_s, mrOk, this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    gmRnb1->setGeometry(302, 350, 170, 25);
    connect(gmRnb1, &QPushButton::clicked, this, &TdlBeolvas::gmRnb1Click);
    gmMgs1 = new TGomb(u"Bezárás"_s, mrCancel, this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    gmMgs1->setCancel(true);
    gmMgs1->setGeometry(482, 350, 90, 25);
}

void TdlBeolvas::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    if (!event->spontaneous())
        QMetaObject::invokeMethod(this, &TdlBeolvas::FormShow, Qt::QueuedConnection);
}

void TdlBeolvas::FormShow()
{
    if (!isVisible())
        return;
    const ParameterStore* parameters = m_session.CegParameterek();
    Label1->setText(u"Útvonal: "_s + (parameters ? parameters->ParamC(u"UTVONAL"_s) : QString()));
    m_beolv.Uzemmod = ImportMode::Search;
    m_beolv.exec();
    showLists();
    lb2->setFocus(Qt::OtherFocusReason);
    Q_EMIT listsShown();
}

void TdlBeolvas::showLists()
{
    const ImportFiles& files = m_beolv.files();
    lb1->clear();
    lb1->addItems(files.imported);
    lb2->clear();
    lb2->addItems(files.waiting);
}

QStringList TdlBeolvas::selectedFiles() const
{
    QStringList names;
    for (int i = 0; i < lb2->count(); ++i) {
        if (lb2->item(i)->isSelected())
            names.append(lb2->item(i)->text());
    }
    return names;
}

void TdlBeolvas::gmRnb1Click()
{
    // The window closes only after the reading step.
    setModalResult(0);
    const QStringList selected = selectedFiles();
    if (selected.isEmpty()) {
        Uzenet(u"Nincs kiválasztott fájl."_s, u'I', u"R"_s);
        return;
    }
    m_beolv.Uzemmod = ImportMode::Read;
    m_beolv.selectedFiles = selected;
    m_beolv.exec();
    setModalResult(mrOk);
}
