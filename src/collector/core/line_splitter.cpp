#include "core/line_splitter.h"

LineSplitter::LineSplitter(QObject* parent) : QObject(parent) {}

void LineSplitter::setStopString(const QString& stop)
{
    m_stop = stop;
    // Text already gathered may hold the new stop string.
    feed(QString());
}

QString LineSplitter::takeGathered()
{
    return std::exchange(m_gathered, QString());
}

void LineSplitter::feed(const QString& text)
{
    m_gathered += text;
    // A receiver of a piece may wait in a message box, during which more text
    // arrives; it is gathered behind the rest and cut by the loop below.
    if (m_emitting)
        return;
    m_emitting = true;
    while (emitNext()) {
    }
    m_emitting = false;
}

// Forms the piece that is complete at the front of the gathered text, if any.
bool LineSplitter::emitNext()
{
    const qsizetype found = m_stop.isEmpty() ? -1 : m_gathered.indexOf(m_stop);
    const qsizetype end = found < 0 ? -1 : found + m_stop.size();
    // A stop string that ends within the first kMaxGathered characters came
    // before the limit was reached.
    if (end >= 0 && end <= kMaxGathered) {
        const QString piece = m_gathered.left(end);
        m_gathered.remove(0, end);
        Q_EMIT packet(piece);
        return true;
    }
    if (m_gathered.size() >= kMaxGathered) {
        const QString piece = m_gathered.left(kMaxGathered);
        m_gathered.remove(0, kMaxGathered);
        Q_EMIT discard(piece);
        return true;
    }
    return false;
}
