#include "LocalPort.h"

#include <QHostAddress>
#include <QTcpSocket>

bool localPortAnswers(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    // A refused connection answers at once; the wait only bounds a loopback that hangs.
    const bool ok = socket.waitForConnected(5000);
    socket.abort();
    return ok;
}
