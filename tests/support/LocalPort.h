#pragma once
// Whether something listens on a TCP port of this machine's loopback address.
#include <QtGlobal>

bool localPortAnswers(quint16 port);
