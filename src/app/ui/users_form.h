#pragma once

#include "core/users.h"
#include "ui/base_form.h"

#include <memory>

class QLabel;
class QTableView;
class TGomb;
class TdlInput3;
class Tdm1;
class UserListModel;

// The user maintenance form dlUserkarb: the users in a grid, a new user and
// deleting one for the main user only, a password change for one's own row
// (any row for the main user). The rules and their messages are
// UserMaintenance's; the form shows the table and asks through dlInput3.
class TdlUserkarb : public TdlAlap {
    Q_OBJECT
public:
    TdlUserkarb(Tdm1& dm, TdlInput3& input, QWidget* parent = nullptr);
    ~TdlUserkarb() override;

    // Shows the form modally for the logged-in user.
    int Execute(const QString& currentUser);

    UserListModel* model() const { return m_model; }
    // The selected row, if any.
    std::optional<int> selectedRow() const;
    void selectRow(int row);

    QLabel* band = nullptr;
    QTableView* dxDBGrid1 = nullptr;
    TGomb* gmUjfelvitel = nullptr;
    TGomb* gmModositas = nullptr;
    TGomb* gmTorles = nullptr;
    TGomb* gmMgs1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The activation steps, once each time the form is shown.
    void FormShow();
    void gmUjfelvitelClick();
    void gmModositasClick();
    void gmTorlesClick();
    // Reads the table again and selects the row of this identifier (or the
    // row at this place when it is gone).
    void reload(const QString& azon, int fallbackRow = 0);
    void enableRowButtons();

    UserTable m_table;
    TdlInput3& m_input;
    std::unique_ptr<UserMaintenance> m_rules;
    UserListModel* m_model = nullptr;
};
