#pragma once
// The run's messages are the window's: Portuguese as the window shows them, and a few error
// texts of the window that read the same in every language. The command speaks its user's
// language, so what it prints of them goes through here first.
#include <QString>

// The text in the user's language when it is one of the run's messages: looked up in the
// catalogue under the window's text, its variable parts (a file name, a cause, the database's
// own words) put back, each looked up in turn. Any other text is returned as it is.
QString inUserLanguage(const QString& text);
