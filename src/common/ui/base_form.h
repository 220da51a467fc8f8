#pragma once

#include "ui/layout_math.h"

#include <QDialog>
#include <QPointer>

class TGomb;

// The base of every form of both programs. It gives them one look and one
// behaviour:
// - the font (and in the collector the colour) of the style holder dlAlap(),
//   taken on at every activation;
// - on screens taller than 600 pixels every form grows by ScaleFactor() when
//   it is created, its controls in proportion;
// - when the user resizes a form, its controls are re-scaled by the rule of
//   rescaleRatio(): controls the form places itself are moved and sized, and
//   controls under a Qt layout keep their places but have their fixed sizes and
//   own fonts scaled (sizes the program or a layout sets are not re-scaled);
// - minimizing one form minimizes every other visible form, restoring it
//   brings each back to its former state;
// - Enter and the arrow keys lead out of radio-button and check-box groups.
// Forms are modal dialogs reused for the whole run; pressing a TGomb with a
// modal result closes them (through FormCloseQuery), Esc presses the form's
// cancel button if it has one, the close box closes with modal result 2.
class TdlAlap : public QDialog {
    Q_OBJECT
public:
    // Where the form appears each time it is shown.
    enum class Position { Designed, ScreenCenter, MainFormCenter };

    explicit TdlAlap(QWidget* parent = nullptr);

    // Scales the form to the screen, once. Runs by itself before the form is
    // first shown; a form that needs its final size earlier calls it at the end
    // of its constructor. Overrides call this first.
    virtual void FormCreate();
    // Takes on the style holder's look. Runs at every activation of the form;
    // overrides call this first.
    virtual void FormActivate();
    // Group minimize and restore, then proportional re-scaling.
    virtual void FormResize();
    // Asked before the form closes with a modal result; false keeps it open.
    virtual bool FormCloseQuery(int modalResult);

    // Setting a modal result closes a modal form with it once the event that
    // set it has been handled, unless it is set back to 0 meanwhile.
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result);

    // The first visible, enabled button marked as the cancel button.
    TGomb* cancelButton() const;

    Position position() const { return m_position; }
    void setPosition(Position position) { m_position = position; }

    QSize rememberedSize() const { return m_remembered; }
    bool isMinimizedTogether() const { return m_minimizedTogether; }

    // The platform's control scaling: positions and sizes of the controls the
    // form places itself, fixed sizes, and fonts of controls with a font of
    // their own, multiplied by the ratio; recursively through containers.
    static void scaleControls(QWidget* parent, ScaleRatio ratio);

    void done(int result) override;
    void reject() override;

protected:
    // Radio buttons and check boxes: Enter, Right and Down go to the next
    // control, Left and Up to the previous one on a form; inside a group Left
    // and Up on the first control leave it backwards, Right, Enter and Down on
    // the last one forwards. True when the key was handled.
    virtual bool CMDialogKey(QWidget* control, int key);

    // Resizes the form for its own layout, without re-scaling the controls;
    // fixed: the user cannot resize it.
    void setSizeWithoutRescale(QSize size, bool fixed = false);

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class DialogKeyFilter;
    void applyStyle();
    void applyPosition();
    void closeWithModalResult();

    QSize m_remembered;
    Qt::WindowStates m_savedState;
    bool m_minimizedTogether = false;
    bool m_created = false;
    int m_modalResult = 0;
    Position m_position;
};

// The screen scale factor: 1.0 on screens up to 600 pixels high, else
// height / 600. Recomputed by every form when it is created.
double ScaleFactor();

// The style holder: a plain form that is never shown; its font (and, in the
// collector, its colour) is copied into every form when that form is
// activated. The main program sets its font size and boldness.
TdlAlap& dlAlap();

// The program's main window, over which forms are centred in the main program.
void setMainForm(QWidget* form);
QWidget* mainForm();
