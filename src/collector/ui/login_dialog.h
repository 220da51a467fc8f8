#pragma once

#include "core/administrator.h"

#include <QDialog>

#include <array>

class IniFile;
class QLabel;
class TdosEdit;
class TGomb;

// The administrator login "Rendszergazdai műveletekhez", asked before
// closing the program, stopping reception and the settings. The accounts are
// read from Kalvix.ini at every request, so a change made in the settings
// applies to the next one.
class TdlPwd : public QDialog {
    Q_OBJECT
public:
    explicit TdlPwd(const IniFile& settings, QWidget* parent = nullptr);

    // True when the caller may go on: the settings file holds administrator
    // entry 1 as the program wrote it, and the name and password typed match
    // an account. A refusal is told in a plain message; "Mégsem" and Esc
    // refuse without one.
    bool Execute(LoginPurpose purpose);

    // The purpose's warning panel (Panel1 close, Panel2 settings, Panel3 stop).
    QLabel* panelOf(LoginPurpose purpose) const;

    TdosEdit* deNev = nullptr;
    TdosEdit* deJsz = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmMgs1 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const IniFile& m_settings;
};
