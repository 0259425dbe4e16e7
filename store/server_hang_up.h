#pragma once
#include <mutex>

namespace store {

// Lets one thread cut short, at once, whatever another thread's server connection waits
// for: a connection being made to a host that never answers, or a reply from a server gone
// silent. The waiting thread says which socket it waits on; hanging up shuts that socket
// down, which wakes every wait on it with an error, and makes every later wait fail at
// once. The socket is never closed here: only its owner closes it, after it stopped saying
// it waits on it, so a number the system has given to another file is never touched.
class ServerHangUp {
public:
    // From any thread; for good.
    void hangUp();
    bool hungUp() const;

    // The connection's thread, before it waits on the socket, and before it closes it.
    void waitOn(int socket);
    void stopWaiting();

private:
    mutable std::mutex m_mutex;
    bool m_hungUp = false;
    int m_socket = -1;
};

} // namespace store
