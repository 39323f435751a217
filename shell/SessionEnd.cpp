#include "shell/SessionEnd.h"

#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

namespace {

// The signal handler may only write to a descriptor: the other end is read
// in the event loop. Both ends stay open until the process ends.
int wakeSockets[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP};

extern "C" void NoteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeSockets[0], &byte, 1);
}

sigset_t SessionSignals()
{
    sigset_t caught;
    sigemptyset(&caught);
    for (const int signal : kSignals)
        sigaddset(&caught, signal);
    return caught;
}

}  // namespace

void TSessionEnd::CatchSignals()
{
    if (wakeSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeSockets) == 0) {
        struct sigaction action = {};
        action.sa_handler = NoteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : kSignals)
            ::sigaction(signal, &action, nullptr);
    }
    const sigset_t caught = SessionSignals();
    ::pthread_sigmask(SIG_UNBLOCK, &caught, nullptr);
}

void TSessionEnd::HoldForRestart()
{
    const sigset_t caught = SessionSignals();
    ::pthread_sigmask(SIG_BLOCK, &caught, nullptr);
    char byte = 0;
    if (wakeSockets[1] >= 0 && ::read(wakeSockets[1], &byte, 1) > 0)
        ::raise(SIGTERM);
}

TSessionEnd::TSessionEnd(QObject* parent) : QObject(parent)
{
    CatchSignals();
    if (wakeSockets[1] >= 0) {
        notifier_ = new QSocketNotifier(wakeSockets[1], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &TSessionEnd::Drain);
    }
    // The session manager asks before it ends the session; there is no one
    // to answer questions then.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit Requested(); });
}

TSessionEnd::~TSessionEnd() = default;

void TSessionEnd::Drain()
{
    char bytes[16];
    while (::read(wakeSockets[1], bytes, sizeof bytes) > 0) {
    }
    emit Requested();
}
