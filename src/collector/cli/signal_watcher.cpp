#include "cli/signal_watcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};

void writeSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a request to stop; nothing is lost.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

SignalWatcher::SignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent), m_signals(signalNumbers)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0)
        qFatal("socketpair failed");
    m_notifier = std::make_unique<QSocketNotifier>(pipeEnds[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalWatcher::readSignal);
    struct sigaction action {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : m_signals)
        ::sigaction(s, &action, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    for (int s : m_signals)
        ::signal(s, SIG_DFL);
    m_notifier.reset();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void SignalWatcher::readSignal()
{
    unsigned char byte = 0;
    while (::read(pipeEnds[1], &byte, 1) == 1)
        Q_EMIT received(byte);
}
