#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

// The PBX's side of a serial line: writes its call output in chunks, as a
// PBX's serial port does, with a short pause after each so that the
// collector receives them one by one.
class PbxSimulator {
public:
    explicit PbxSimulator(const QString& device)
        : m_fd(::open(QFile::encodeName(device).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC))
    {
    }
    ~PbxSimulator()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PbxSimulator(const PbxSimulator&) = delete;
    PbxSimulator& operator=(const PbxSimulator&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    void send(const QByteArray& bytes)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            QVERIFY2(n > 0, "write to the serial line failed");
            done += n;
        }
    }
    void sendChunks(const QList<QByteArray>& chunks, int pauseMs = 30)
    {
        for (const QByteArray& chunk : chunks) {
            send(chunk);
            QTest::qWait(pauseMs);
        }
    }

private:
    int m_fd;
};
