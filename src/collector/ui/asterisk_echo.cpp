#include "ui/asterisk_echo.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>

namespace {

class AsteriskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void showAsterisks(QLineEdit* edit)
{
    // One style for every such edit; the application ends it.
    static QPointer<AsteriskStyle> style;
    if (!style) {
        style = new AsteriskStyle;
        style->setParent(QApplication::instance());
    }
    edit->setStyle(style);
    edit->setEchoMode(QLineEdit::Password);
}
