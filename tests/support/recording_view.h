#pragma once

#include "core/collector.h"

#include <QStringList>

// Keeps what the collector would show in its window.
class RecordingView : public CollectorView {
public:
    void ShowLineError(const QString& text) override { errors.append(text); }
    void ShowRecord(const QString& text) override { records.append(text); }

    QStringList errors;
    QStringList records;
};
