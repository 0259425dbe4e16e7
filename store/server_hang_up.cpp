#include "store/server_hang_up.h"

#include <sys/socket.h>

namespace store {

void ServerHangUp::hangUp()
{
    const std::lock_guard lock(m_mutex);
    m_hungUp = true;
    if (m_socket >= 0)
        ::shutdown(m_socket, SHUT_RDWR);
}

bool ServerHangUp::hungUp() const
{
    const std::lock_guard lock(m_mutex);
    return m_hungUp;
}

void ServerHangUp::waitOn(int socket)
{
    const std::lock_guard lock(m_mutex);
    m_socket = socket;
    if (m_hungUp && m_socket >= 0)
        ::shutdown(m_socket, SHUT_RDWR);
}

void ServerHangUp::stopWaiting()
{
    const std::lock_guard lock(m_mutex);
    m_socket = -1;
}

} // namespace store
