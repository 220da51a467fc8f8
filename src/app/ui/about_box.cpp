#include "ui/about_box.h"

#include "core/messages.h"
#include "core/startup.h"
#include "ui/buttons.h"
#include "ui/message_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kDesignSize{360, 260};

// The logo's colours, as the form design gives them (blue-green-red values).
QColor designColour(quint32 bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

QLabel* logoPart(const QString& text, quint32 bgr, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font(u"Arial"_s);
    font.setPixelSize(51);
    font.setBold(true);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, designColour(bgr));
    label->setPalette(colours);
    return label;
}

} // namespace

QWidget* createLogo(QWidget* parent)
{
    auto* logo = new QWidget(parent);
    logo->setObjectName(u"logo"_s);
    auto* row = new QHBoxLayout(logo);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(logoPart(u"Tel"_s, 33023, logo));
    row->addWidget(logoPart(u"oran"_s, 9461840, logo));
    return logo;
}

TdlNevjegy::TdlNevjegy(QWidget* parent) : TdlAlap(parent)
{
    setObjectName(u"dlNevjegy"_s);
    setWindowTitle(u"Névjegy"_s);
    setSizeWithoutRescale(kDesignSize - TdlMessage::kFrame, true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 15, 20, 15);
    layout->addWidget(createLogo(this), 0, Qt::AlignHCenter);
    auto* name = new QLabel(kMainWindowCaption, this);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addStretch();

    auto* panel = new QFrame(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* inPanel = new QVBoxLayout(panel);
    lbVersion = new QLabel(panel);
    lbVersion->setObjectName(u"lbVersion"_s);
    inPanel->addWidget(lbVersion, 0, Qt::AlignHCenter);
    layout->addWidget(panel);
    layout->addStretch();

    gmOk = new TGomb(u"OK"_s, mrOk, this);
    gmOk->setObjectName(u"gmOk"_s);
    gmOk->setCancel(true);
    layout->addWidget(gmOk, 0, Qt::AlignHCenter);
}

void TdlNevjegy::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    lbVersion->setText(u"version "_s + kProgramVersion);
    gmOk->setFocus(Qt::OtherFocusReason);
}
