#pragma once

#include "core/collector.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

// Prints what the window's last-calls list would show, one line each.
class PrintingView : public CollectorView {
public:
    void ShowLineError(const QString& text) override { m_out << u"hiba: "_s << text << Qt::endl; }
    void ShowRecord(const QString& text) override { m_out << u"hívás: "_s << text << Qt::endl; }

private:
    QTextStream m_out{stdout};
};
