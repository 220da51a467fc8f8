#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

// A helper process ends with the test program, even when that crashes, so
// that nothing is left holding a pseudo-terminal or the test's output.
inline void endWithTheTest(QProcess& process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

using namespace Qt::StringLiterals;

// A serial line without hardware: socat joins two pseudo-terminals, one end
// for the PBX, the other for the collector. Each end is a link in folder.
class PseudoTerminalPair {
public:
    static bool available() { return !QStandardPaths::findExecutable(u"socat"_s).isEmpty(); }

    explicit PseudoTerminalPair(const QString& folder)
        : pbxEnd(folder + u"/pbx-end"_s), collectorEnd(folder + u"/collector-end"_s)
    {
    }
    ~PseudoTerminalPair() { stop(); }

    // Starts socat and waits until both ends exist.
    bool start()
    {
        QFile::remove(pbxEnd);
        QFile::remove(collectorEnd);
        endWithTheTest(m_socat);
        m_socat.start(u"socat"_s,
                      {u"pty,raw,echo=0,link="_s + pbxEnd, u"pty,raw,echo=0,link="_s + collectorEnd});
        if (!m_socat.waitForStarted())
            return false;
        return QTest::qWaitFor([&] { return QFile::exists(pbxEnd) && QFile::exists(collectorEnd); }, 10000);
    }
    // Ends socat: both ends vanish, as a pulled USB adapter does.
    void stop()
    {
        if (m_socat.state() == QProcess::NotRunning)
            return;
        m_socat.terminate();
        if (!m_socat.waitForFinished(10000))
            m_socat.kill();
        m_socat.waitForFinished();
    }

    const QString pbxEnd;
    const QString collectorEnd;

private:
    QProcess m_socat;
};
