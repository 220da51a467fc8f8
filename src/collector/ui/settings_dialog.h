#pragma once

#include "core/collector_settings.h"

#include <QDialog>

#include <array>

class CollectorProgram;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QTableWidget;
class QTableWidgetItem;
class TChoiceBox;
class TdosEdit;
class TGomb;

// The collector's settings "Beállítás": the PBX type, the configured column
// layout with its separators and markers, and the up to three administrator
// entries. The type and the layout take effect when "Rendben" is pressed; an
// administrator entry is stored by the editor's own "Rendben".
class TdlBeall1 : public QDialog {
    Q_OBJECT
public:
    explicit TdlBeall1(CollectorProgram& program, QWidget* parent = nullptr);

    // Fills the dialog from the settings file and shows it; the modal result.
    int Execute();

    // Fills the dialog: the type list with the stored type selected, the
    // administrator names, the layout editor when the type needs it.
    void FormActivate();
    // The layout editor is shown for the configured types, loaded from the
    // file when it appears.
    void cbAdatstruChange();
    // Section "KIND999" into the layout editor.
    void IniLoad();
    // What the layout editor holds, as "Rendben" stores it.
    LayoutEditorValues editorValues() const;
    // The check of a position cell after it was edited.
    void dxtLeirEdited(int row, int column);
    // Stores the PBX type and, for a configured type, the layout.
    void gmRnb1Click();
    // Opens the administrator editor for entry 1-3.
    void SzerkButtonClick(int entry);
    // Stores the edited administrator entry, or tells why not.
    void gmRnb2Click();
    void gmMgs2Click();

    int editedEntry() const { return m_entry; }
    // The chosen line end (index of rgSorveg), -1 when none.
    int lineEndIndex() const;

    QLabel* Label11 = nullptr;
    QComboBox* cbAdatstru = nullptr;
    QGroupBox* gbEgyeni = nullptr;
    QTableWidget* dxtLeir = nullptr;
    TdosEdit* deDatVal = nullptr;
    QComboBox* cbDatSor = nullptr;
    TdosEdit* deTrtMin = nullptr;
    TdosEdit* deTrtSec = nullptr;
    TdosEdit* deIdoVal = nullptr;
    TdosEdit* deIdoDEJ = nullptr;
    TdosEdit* deIdoDUJ = nullptr;
    TChoiceBox* cbIdo24E = nullptr;
    TChoiceBox* cbAccVan = nullptr;
    TChoiceBox* cbAccEgy = nullptr;
    TdosEdit* deAccJel = nullptr;
    TChoiceBox* cbHivEgy = nullptr;
    TdosEdit* deHivBEJ = nullptr;
    TdosEdit* deHivKIJ = nullptr;
    QGroupBox* rgSorveg = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmMgs1 = nullptr;

    QFrame* Panel1 = nullptr;
    std::array<QLabel*, kAdministratorEntries> lbNev{};
    std::array<TGomb*, kAdministratorEntries> SB{};
    QFrame* Panel2 = nullptr;
    QLabel* Label5 = nullptr;
    TdosEdit* deAzon = nullptr;
    TdosEdit* deJsz1 = nullptr;
    TdosEdit* deJsz2 = nullptr;
    TGomb* gmRnb2 = nullptr;
    TGomb* gmMgs2 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildTypeRow();
    QGroupBox* buildLayoutEditor();
    QFrame* buildAdministratorList();
    QFrame* buildAdministratorEditor();
    void setLineEndIndex(int index);
    void refreshNames();
    void cellChanged(QTableWidgetItem* item);

    CollectorProgram& m_program;
    QButtonGroup* m_lineEnds = nullptr;
    std::array<QString, kAdministratorEntries> m_names;
    int m_entry = 1;
    bool m_filling = false;
};
