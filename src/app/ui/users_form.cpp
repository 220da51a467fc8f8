#include "ui/users_form.h"

#include "core/data_module.h"
#include "core/messages.h"
#include "ui/buttons.h"
#include "ui/dos_edit.h"
#include "ui/input_dialog.h"
#include "ui/message_dialog.h"
#include "ui/user_list_model.h"

#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kDesignSize{400, 282};

TGomb* button(const QString& name, const QString& caption, int left, QWidget* parent)
{
    auto* b = new TGomb(caption, 0, parent);
    b->setObjectName(name);
    b->setGeometry(left, 218, 88, 25);
    return b;
}

} // namespace

TdlUserkarb::TdlUserkarb(Tdm1& dm, TdlInput3& input, QWidget* parent)
    : TdlAlap(parent), m_table(dm), m_input(input),
      m_rules(std::make_unique<UserMaintenance>(m_table, QString()))
{
    setObjectName(u"dlUserkarb"_s);
    setWindowTitle(u"Felhasználó karbantartás"_s);
    setSizeWithoutRescale(kDesignSize - TdlMessage::kFrame);

    // The grid's band: a title over the columns in the colour of an inactive caption.
    band = new QLabel(u"Felhasználók listája"_s, this);
    band->setObjectName(u"band"_s);
    band->setAlignment(Qt::AlignCenter);
    band->setAutoFillBackground(true);
    QPalette colours = band->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Inactive, QPalette::Highlight).lighter(150));
    band->setPalette(colours);
    band->setGeometry(10, 10, 372, 22);

    m_model = new UserListModel(this);
    dxDBGrid1 = new QTableView(this);
    dxDBGrid1->setObjectName(u"dxDBGrid1"_s);
    dxDBGrid1->setModel(m_model);
    dxDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    dxDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    dxDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dxDBGrid1->verticalHeader()->hide();
    dxDBGrid1->horizontalHeader()->setStretchLastSection(true);
    dxDBGrid1->setColumnWidth(UserListModel::Nev, 200);
    dxDBGrid1->setColumnWidth(UserListModel::Azon, 72);
    dxDBGrid1->setGeometry(10, 32, 372, 176);

    gmUjfelvitel = button(u"gmUjfelvitel"_s, u"Új felvtel"_s, 10, this);
    gmModositas = button(u"gmModositas"_s, u"Módosítás"_s, 104, this);
    gmTorles = button(u"gmTorles"_s, u"Törlés"_s, 198, this);
    gmMgs1 = new TgmMgs(this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    gmMgs1->setText(u"Bezárás"_s);
    gmMgs1->setCancel(true);
    gmMgs1->setGeometry(294, 218, 88, 25);
    connect(gmUjfelvitel, &QPushButton::clicked, this, &TdlUserkarb::gmUjfelvitelClick);
    connect(gmModositas, &QPushButton::clicked, this, &TdlUserkarb::gmModositasClick);
    connect(gmTorles, &QPushButton::clicked, this, &TdlUserkarb::gmTorlesClick);
}

TdlUserkarb::~TdlUserkarb() = default;

int TdlUserkarb::Execute(const QString& currentUser)
{
    m_rules = std::make_unique<UserMaintenance>(m_table, currentUser);
    return exec();
}

void TdlUserkarb::showEvent(QShowEvent* event)
{
    TdlAlap::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TdlUserkarb::FormShow()
{
    reload(QString());
    const bool mainUser = m_rules->mainUserButtonsVisible();
    gmTorles->setVisible(mainUser);
    gmUjfelvitel->setVisible(mainUser);
    dxDBGrid1->setFocus(Qt::OtherFocusReason);
}

std::optional<int> TdlUserkarb::selectedRow() const
{
    const QModelIndex current = dxDBGrid1->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return current.row();
}

void TdlUserkarb::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    dxDBGrid1->selectRow(row);
    dxDBGrid1->setCurrentIndex(m_model->index(row, UserListModel::Nev));
}

void TdlUserkarb::reload(const QString& azon, int fallbackRow)
{
    const auto rows = m_table.rows();
    if (!rows)
        ShowPlainMessage(QString(rows.error()).replace(u';', u'\n'));
    m_model->setRows(rows ? *rows : std::vector<UserRow>());
    const int count = m_model->rowCount();
    selectRow(m_model->rowOf(azon).value_or(std::min(fallbackRow, count - 1)));
    enableRowButtons();
}

void TdlUserkarb::enableRowButtons()
{
    const bool enabled = UserMaintenance::rowButtonsEnabled(m_model->rowCount());
    gmTorles->setEnabled(enabled);
    gmModositas->setEnabled(enabled);
}

void TdlUserkarb::gmUjfelvitelClick()
{
    if (m_input.Execute(QString(), TdlInput3::Mode::NewUser, *m_rules) != mrOk)
        return;
    if (const std::optional<QString> azon = m_rules->addUser(m_input.deUser->text(), m_input.dePwd1->text()))
        reload(*azon);
}

void TdlUserkarb::gmTorlesClick()
{
    const std::optional<int> row = selectedRow();
    if (!row)
        return;
    if (m_rules->deleteUser(m_model->user(*row)))
        reload(QString(), *row);
}

void TdlUserkarb::gmModositasClick()
{
    const std::optional<int> row = selectedRow();
    if (!row)
        return;
    const UserRow selected = m_model->user(*row);
    if (!m_rules->mayChangePassword(selected))
        return;
    if (m_input.Execute(selected.nev, TdlInput3::Mode::Password, *m_rules) != mrOk)
        return;
    m_rules->changePassword(selected.azon, m_input.dePwd1->text());
    // Back to the same user.
    reload(selected.azon, *row);
}
