#pragma once

#include <QCheckBox>
#include <QGroupBox>

class TChoiceGroup;

// A check box that, inside a TChoiceGroup without multiple selection, behaves
// like a radio button: checking it clears the group's other boxes, and it
// cannot be cleared by clicking it again.
class TChoiceBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TChoiceBox(QWidget* parent = nullptr);
    explicit TChoiceBox(const QString& text, QWidget* parent = nullptr);

    // Sets the state without running the group rule or reporting a click.
    void setCheckedQuietly(bool checked);

Q_SIGNALS:
    // The box's click: a change of its state by the user or the program, after
    // the group rule has run (not the quiet changes the rule itself makes).
    void choiceClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Click();
    TChoiceGroup* group() const;

    bool m_guard = false;
};

// A group box whose TChoiceBox children form one choice (or, with
// CanMultiSelect, independent boxes).
class TChoiceGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(bool CanMultiSelect READ canMultiSelect WRITE setCanMultiSelect)
public:
    explicit TChoiceGroup(QWidget* parent = nullptr);
    explicit TChoiceGroup(const QString& title, QWidget* parent = nullptr);

    bool canMultiSelect() const { return m_canMultiSelect; }
    void setCanMultiSelect(bool on) { m_canMultiSelect = on; }

    // The place, among all the group's child controls in their order, of the
    // last checked box; -1 when none is checked.
    int ItemIndex() const;
    TChoiceBox* SelectedItem() const;

private:
    // When the focus comes into the group, it goes to the checked box.
    void DoEnter();
    void focusMoved(QWidget* from, QWidget* to);

    bool m_canMultiSelect = false;
};
