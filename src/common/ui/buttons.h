#pragma once

#include <QPushButton>

// The standard push button of every form. Pressing a button with a modal
// result closes the modal form it stands on with that result, after the
// button's own clicked handlers have run (a handler may keep the form open by
// setting the form's modal result back to 0). A cancel button is pressed by
// Esc; no button is one by itself.
class TGomb : public QPushButton {
    Q_OBJECT
public:
    explicit TGomb(QWidget* parent = nullptr);
    TGomb(const QString& caption, int modalResult, QWidget* parent = nullptr);

    void init(const QString& caption, int modalResult);

    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    bool isCancel() const { return m_cancel; }
    void setCancel(bool cancel) { m_cancel = cancel; }

    // At least the standard button size, 75 x 25.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void closeForm();

    int m_modalResult = 0;
    bool m_cancel = false;
};

// "Rendben", modal result 1.
class TgmRnb : public TGomb {
    Q_OBJECT
public:
    explicit TgmRnb(QWidget* parent = nullptr);
};

// "Mégsem", modal result 2.
class TgmMgs : public TGomb {
    Q_OBJECT
public:
    explicit TgmMgs(QWidget* parent = nullptr);
};

// "Igen", modal result 6.
class TgmIgen : public TGomb {
    Q_OBJECT
public:
    explicit TgmIgen(QWidget* parent = nullptr);
};

// "Nem", modal result 7.
class TgmNem : public TGomb {
    Q_OBJECT
public:
    explicit TgmNem(QWidget* parent = nullptr);
};
