#include "shell/SessionEnd.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

namespace {

// The signal handler may only write to a descriptor: the other end is read
// in the event loop.
int wakeSockets[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP};

extern "C" void NoteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeSockets[0], &byte, 1);
}

}  // namespace

TSessionEnd::TSessionEnd(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeSockets) == 0) {
        notifier_ = new QSocketNotifier(wakeSockets[1], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &TSessionEnd::Drain);
        struct sigaction action = {};
        action.sa_handler = NoteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : kSignals)
            ::sigaction(signal, &action, nullptr);
    }
    // The session manager asks before it ends the session; there is no one
    // to answer questions then.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit Requested(); });
}

TSessionEnd::~TSessionEnd()
{
    if (notifier_ == nullptr)
        return;
    for (const int signal : kSignals)
        ::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(wakeSockets[0]);
    ::close(wakeSockets[1]);
    wakeSockets[0] = wakeSockets[1] = -1;
}

void TSessionEnd::Drain()
{
    char bytes[16];
    while (::read(wakeSockets[1], bytes, sizeof bytes) > 0) {
    }
    emit Requested();
}
