#include "CannotOpen.h"

#include "platform/Error.h"

#include <cstring>

void throwCannotOpen(const QString& fileName, const QString& reason)
{
    throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
}

void throwCannotOpen(const QString& fileName, int systemError)
{
    throwCannotOpen(fileName, QString::fromLocal8Bit(std::strerror(systemError)));
}
