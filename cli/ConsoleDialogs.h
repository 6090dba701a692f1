#pragma once
// Dialogs without a user: messages go to stdout, questions are answered from the command
// line, and the file dialogs hold the names the options gave them.
#include "Dialogs.h"

class ConsoleDialogs : public Dialogs {
public:
    ConsoleDialogs(bool confirmWipe, bool keepBarcodes)
        : m_confirmWipe(confirmWipe), m_keepBarcodes(keepBarcodes) {}

    void showMessage(const QString& text) override;
    MsgDlgBtn messageDialog(const QString& text, MsgDlgType type, const QList<MsgDlgBtn>& buttons,
                            MsgDlgBtn defaultButton, const QString& title,
                            const QStringList& customCaptions) override;
    void executeOpenDialog() override {}
    QString openFileName() const override { return m_open; }
    void setOpenFileName(const QString& name) override { m_open = name; }
    void executeSaveDialog() override {}
    QString saveFileName() const override { return m_save; }
    void setSaveFileName(const QString& name) override { m_save = name; }
    void showError(const QString& message) override;

private:
    bool m_confirmWipe;
    bool m_keepBarcodes;
    QString m_open;
    QString m_save;
};
