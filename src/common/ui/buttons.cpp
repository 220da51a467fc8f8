#include "ui/buttons.h"

#include "core/messages.h"
#include "ui/base_form.h"

using namespace Qt::StringLiterals;

namespace {
constexpr QSize kStandardSize{75, 25};
}

TGomb::TGomb(QWidget* parent) : QPushButton(parent)
{
    resize(kStandardSize);
    // Connected first, so it runs before the form's own handlers of the click.
    connect(this, &QPushButton::clicked, this, &TGomb::closeForm);
}

TGomb::TGomb(const QString& caption, int modalResult, QWidget* parent) : TGomb(parent)
{
    init(caption, modalResult);
}

void TGomb::init(const QString& caption, int modalResult)
{
    setText(caption);
    m_modalResult = modalResult;
}

QSize TGomb::sizeHint() const
{
    return QPushButton::sizeHint().expandedTo(kStandardSize);
}

QSize TGomb::minimumSizeHint() const
{
    return QPushButton::minimumSizeHint().expandedTo(kStandardSize);
}

void TGomb::closeForm()
{
    if (m_modalResult == 0)
        return;
    if (auto* form = qobject_cast<TdlAlap*>(window())) {
        form->setModalResult(m_modalResult);
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(window()); dialog && dialog->isModal())
        dialog->done(m_modalResult);
}

TgmRnb::TgmRnb(QWidget* parent) : TGomb(u"Rendben"_s, mrOk, parent) {}
TgmMgs::TgmMgs(QWidget* parent) : TGomb(u"Mégsem"_s, mrCancel, parent) {}
TgmIgen::TgmIgen(QWidget* parent) : TGomb(u"Igen"_s, mrYes, parent) {}
TgmNem::TgmNem(QWidget* parent) : TGomb(u"Nem"_s, mrNo, parent) {}
