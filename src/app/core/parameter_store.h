#pragma once

#include "core/ini_file.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One parameter as its item text describes it: fields separated by ";":
// page (from 1), type letter (C text, L logical, M masked text, N integer,
// R real), caption, default, INI section, INI key (the parameter's name) and,
// for type M, the edit mask.
struct ParameterItem {
    int page = 0;
    QChar type;
    QString caption;
    QString defaultValue;
    QString section;
    QString key;
    QString mask;

    // Read with the field functions, which report malformed fields.
    static ParameterItem parse(const QString& item);
    static bool isKnownType(QChar type);
};

// The parameter store of one INI file: what the parameter dialog TdlSetup
// shows and edits, and what the rest of the program reads by key. It is
// built once from page titles and item texts (Init); its controls hold the
// file's values, loaded at Init and again whenever the dialog closes, so
// "Mégsem" forgets unsaved edits. The dialog creates one widget per control
// in the order of controls() and forwards the user's edits with setText /
// setChecked.
//
// Every failure is reported through Uzenet with the button "R".
class ParameterStore {
public:
    struct Control {
        int page = 0;         // index of the page, from 0
        int row = 0;          // row on its page, from 0
        QChar type;           // C L M N R
        QString label;        // " 1. caption": the label, or the check box's caption
        QString editMask;     // type M: the mask followed by ";1; "
        QString text;         // types C M N R
        bool checked = false; // type L
    };

    // Builds the store; false (with a message) when it was built before, the
    // file name is empty or the file cannot be used.
    bool Init(const QString& caption, const QString& iniFileName, const QStringList& pages,
              const QStringList& params);

    bool isInitialised() const { return !m_pages.isEmpty(); }
    // Execute's check: the dialog may open only after a successful Init
    // ("SETUP nincs inicializálva." otherwise).
    bool checkExecute() const;

    const QString& caption() const { return m_caption; }
    const QString& iniFileName() const { return m_ini.path(); }
    const QStringList& pages() const { return m_pages; }
    const QList<Control>& controls() const { return m_controls; }
    // The control the dialog focuses when it opens: the first one of the
    // first page, when there is one.
    std::optional<int> firstControl() const { return m_firstControl; }
    // One entry per control: index;type;default;section;key.
    const QStringList& ParamList() const { return m_paramList; }

    // The dialog's edits of a control's value.
    void setText(int control, const QString& text);
    void setChecked(int control, bool checked);

    QString ParamC(const QString& key) const;
    int ParamN(const QString& key) const;
    bool ParamL(const QString& key) const;
    double ParamR(const QString& key) const;
    void WriteParamC(const QString& key, const QString& value);

    // File -> controls, controls -> file. SaveParams reports a failed write
    // and returns false.
    void LoadParams();
    bool SaveParams();

    // "Mentés" and Ctrl+End save; every close reloads the file.
    bool gmRnb1Click() { return SaveParams(); }
    void FormClose() { LoadParams(); }

    // The local decimal separator that ParamR and the number key filter use.
    QChar decimalSeparator() const { return m_decimalSeparator; }
    void setDecimalSeparator(QChar separator) { m_decimalSeparator = separator; }

private:
    struct Entry {
        int control = 0;
        QChar type;
        QString defaultValue;
        QString section;
        QString key;
    };
    std::optional<Entry> find(const QString& key) const;
    bool write(const QString& section, const QString& key, const QString& value);

    QString m_caption;
    IniFile m_ini{QString()};
    QStringList m_pages;
    QList<Control> m_controls;
    QStringList m_paramList;
    std::optional<int> m_firstControl;
    QChar m_decimalSeparator;
};

// Page Up and Page Down of the dialog: the previous or next page, wrapping
// around at either end.
int pageAfterPageUp(int current, int pageCount);
int pageAfterPageDown(int current, int pageCount);
