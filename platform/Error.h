#pragma once
// The one base of every error this tool raises. what() is the UTF-8 form of message(),
// so a handler that only knows std::exception still shows the right text.
#include <QByteArray>
#include <QString>
#include <exception>

class Error : public std::exception {
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text holds a character that the code page it must be sent in lacks.
class UnencodableTextError : public Error {
public:
    using Error::Error;
};

// The message of any caught exception, as the user should read it.
inline QString errorMessage(const std::exception& e)
{
    if (auto* own = dynamic_cast<const Error*>(&e))
        return own->message();
    return QString::fromUtf8(e.what());
}
