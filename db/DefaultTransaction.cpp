#include "DefaultTransaction.h"

#include <QCoreApplication>

DefaultTransaction::DefaultTransaction(AttachmentHandle& attachment,
                                       std::function<void()> beforeHardCommit)
    : m_attachment(attachment), m_beforeHardCommit(std::move(beforeHardCommit))
{
}

QByteArray DefaultTransaction::parameterBlock()
{
    static const char tpb[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version,
                               isc_tpb_nowait, isc_tpb_write};
    return QByteArray(tpb, sizeof tpb);
}

QByteArray DefaultTransaction::parameterBlock(const QStringList& reservedTables)
{
    QByteArray tpb = parameterBlock();
    for (const QString& table : reservedTables) {
        const QByteArray name = table.toLatin1().left(255);
        tpb += char(isc_tpb_lock_write);
        tpb += char(name.size());
        tpb += name;
        tpb += char(isc_tpb_protected);
    }
    return tpb;
}

bool DefaultTransaction::isLostConnection(long errorNumber)
{
    return errorNumber == 335544648 || errorNumber == 335544721 || errorNumber == 335544741;
}

void DefaultTransaction::throwIfCancelled() const
{
    if (m_cancelled)
        throw WorkCancelled();
}

void DefaultTransaction::gain()
{
    {
        std::lock_guard lock(m_gate);
        throwIfCancelled();
    }
    ++m_useCount;
    if (m_useCount == 1 && !Active()) {
        try {
            m_handle.start(m_attachment, m_reserved.isEmpty() ? parameterBlock() : parameterBlock(m_reserved));
        } catch (...) {
            // Nothing holds a transaction that never started.
            m_useCount = 0;
            throw;
        }
        std::lock_guard lock(m_gate);
        m_commitBegun = false;
    }
}

void DefaultTransaction::release()
{
    if (!Active())
        m_useCount = 0; // ended by the statement itself (COMMIT, ROLLBACK)
    else if (m_useCount > 1)
        --m_useCount;
}

void DefaultTransaction::reserveForWriting(const QStringList& tables)
{
    if (Active())
        throw GeneralError(QCoreApplication::translate("Database", "Tables cannot be reserved for a transaction that has "
                                                       "already started"));
    m_reserved = tables;
}

void DefaultTransaction::requireActive() const
{
    if (!Active())
        throw GeneralError(QStringLiteral("Can't perform operation on inactive transaction"));
}

// From here on a signal no longer stops the work: the commit goes through or fails on its own.
void DefaultTransaction::beginCommit()
{
    {
        std::lock_guard lock(m_gate);
        throwIfCancelled();
        m_commitBegun = true;
    }
    if (onCommitBegun)
        onCommitBegun();
}

void DefaultTransaction::Commit()
{
    requireActive();
    beginCommit();
    if (m_beforeHardCommit)
        m_beforeHardCommit();
    try {
        m_handle.commit();
    } catch (const EngineError& e) {
        if (isLostConnection(e.ErrorNumber)) {
            m_handle.drop();
            m_useCount = 0;
            m_reserved.clear();
        } else {
            std::lock_guard lock(m_gate);
            m_commitBegun = false; // still pending: it may be rolled back, or stopped
        }
        throw;
    }
    m_useCount = 0;
    m_reserved.clear();
}

void DefaultTransaction::CommitRetaining()
{
    requireActive();
    {
        std::lock_guard lock(m_gate);
        throwIfCancelled();
    }
    m_handle.commitRetaining();
}

void DefaultTransaction::rollbackQuietly() noexcept
{
    m_handle.rollbackQuietly();
    m_useCount = 0;
    m_reserved.clear();
    std::lock_guard lock(m_gate);
    m_cancelled = false; // the work is gone: nothing is left to stop
}

bool DefaultTransaction::cancel()
{
    std::lock_guard lock(m_gate);
    if (m_commitBegun)
        return false;
    m_cancelled = true;
    // Under the gate, so the cancel cannot reach the commit that follows. With no call
    // running the library answers "nothing to cancel", which changes nothing.
    if (m_attachment.attached()) {
        ISC_STATUS_ARRAY status = {};
        ClientLibrary& library = m_attachment.library();
        if (library.fb_cancel_operation.linked())
            library.fb_cancel_operation(status, m_attachment.handle(), fb_cancel_raise);
    }
    return true;
}

bool DefaultTransaction::cancelled() const
{
    std::lock_guard lock(m_gate);
    return m_cancelled;
}
