#pragma once

#include "ui/base_form.h"

#include <QList>
#include <QStringList>

class ParameterStore;
class QLabel;
class QTabWidget;
class TGomb;

// The parameter dialog TdlSetup over one parameter store: a page per page
// title, on each page a numbered label and an edit, or a check box, per
// parameter, placed as the store's rows say. The store keeps the values; the
// dialog shows them, hands every edit back to the store, saves with
// "Mentés" or Ctrl+End, and on every close reloads the file's values, so
// "Mégsem" and Esc forget unsaved edits. Page Up and Page Down turn the pages
// round. N and R edits take digits, a sign (set or flipped wherever the
// cursor is) and, for R, one decimal separator.
class TdlSetup : public TdlAlap {
    Q_OBJECT
public:
    // The store must outlive the dialog. A store that is already initialised
    // gets its controls at once.
    explicit TdlSetup(ParameterStore& store, QWidget* parent = nullptr);

    // Initialises the store and builds the pages; false (with the store's
    // message) when the store refuses.
    bool Init(const QString& caption, const QString& iniFileName, const QStringList& pages,
              const QStringList& params);
    // Shows the dialog on its first page; true when the user saved.
    bool Execute();

    ParameterStore& store() const { return m_store; }

    QTabWidget* pcSetup = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmMgs1 = nullptr;
    // The control of each entry of the store, in the store's order: a check
    // box for L, an edit otherwise.
    const QList<QWidget*>& parameterControls() const { return m_controls; }
    // The label before an edit; nothing for a check box.
    QLabel* labelOf(int control) const { return m_labels.value(control); }

    void FormResize() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void placeControls();
    void showStoreValues();
    void gmRnb1Click();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    ParameterStore& m_store;
    QList<QWidget*> m_controls;
    QList<QLabel*> m_labels;
    bool m_placed = false;
};
