#pragma once

#include "ui/base_form.h"

class QLabel;
class TGomb;

// The About box dlNevjegy: the program's logo and name, its version (set
// each time the box is shown), and "OK".
class TdlNevjegy : public TdlAlap {
    Q_OBJECT
public:
    explicit TdlNevjegy(QWidget* parent = nullptr);

    QLabel* lbVersion = nullptr;
    TGomb* gmOk = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// The product logo: "Tel" and "oran" in the program's two colours, Arial
// 51 pixels high.
QWidget* createLogo(QWidget* parent);
