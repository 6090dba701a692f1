#include "DefaultTransaction.h"

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

bool DefaultTransaction::isLostConnection(long errorNumber)
{
    return errorNumber == 335544648 || errorNumber == 335544721 || errorNumber == 335544741;
}

void DefaultTransaction::gain()
{
    ++m_useCount;
    if (m_useCount == 1 && !Active()) {
        try {
            m_handle.start(m_attachment, parameterBlock());
        } catch (...) {
            // Nothing holds a transaction that never started.
            m_useCount = 0;
            throw;
        }
    }
}

void DefaultTransaction::release()
{
    if (!Active())
        m_useCount = 0; // ended by the statement itself (COMMIT, ROLLBACK)
    else if (m_useCount > 1)
        --m_useCount;
}

void DefaultTransaction::requireActive() const
{
    if (!Active())
        throw GeneralError(QStringLiteral("Can't perform operation on inactive transaction"));
}

void DefaultTransaction::Commit()
{
    requireActive();
    if (m_beforeHardCommit)
        m_beforeHardCommit();
    try {
        m_handle.commit();
    } catch (const EngineError& e) {
        if (isLostConnection(e.ErrorNumber)) {
            m_handle.drop();
            m_useCount = 0;
        }
        throw;
    }
    m_useCount = 0;
}

void DefaultTransaction::CommitRetaining()
{
    requireActive();
    m_handle.commitRetaining();
}

void DefaultTransaction::rollbackQuietly() noexcept
{
    m_handle.rollbackQuietly();
    m_useCount = 0;
}
