#pragma once

#include "ui/base_form.h"

class QLabel;
class QListWidget;
class TGomb;
class TdlBeolv;
class TeloranSession;

// The list window dlBeolvas of the menu-started import. Shown, it first lets
// the import window search the folder, then lists the imported files and the
// waiting ones; "Beolvasás indítása" reads the waiting files the user
// selected, "Bezárás" (and Esc) closes.
class TdlBeolvas : public TdlAlap {
    Q_OBJECT
public:
    TdlBeolvas(TdlBeolv& beolv, const TeloranSession& session, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QListWidget* lb1 = nullptr;
    QListWidget* lb2 = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmMgs1 = nullptr;

    // The selected items of lb2, in list order.
    QStringList selectedFiles() const;

Q_SIGNALS:
    // The search step is over and the lists show what it found.
    void listsShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The activation steps, once each time the window is shown.
    void FormShow();
    void showLists();
    void gmRnb1Click();

    TdlBeolv& m_beolv;
    const TeloranSession& m_session;
};
