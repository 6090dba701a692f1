#include "Handles.h"

#include <climits>

void AttachmentHandle::attach(ClientLibrary& library, const QByteArray& attachString,
                              const QByteArray& dpb)
{
    detachQuietly();
    ISC_STATUS_ARRAY status = {};
    // A length of 0 makes the library read up to the terminating zero; a path too long for
    // the length field is passed that way rather than cut.
    const short length = attachString.size() <= SHRT_MAX ? short(attachString.size()) : 0;
    m_library = &library;
    library.isc_attach_database(status, length, attachString.constData(), &m_handle,
                                short(dpb.size()), dpb.constData());
    if (ClientLibrary::failed(status)) {
        detachQuietly();
        throw library.engineError(status);
    }
}

QByteArray AttachmentHandle::info(char item, int replySize)
{
    ISC_STATUS_ARRAY status = {};
    QByteArray reply(replySize, '\0');
    m_library->isc_database_info(status, &m_handle, 1, &item, short(reply.size()), reply.data());
    m_library->check(status);
    return reply;
}

void AttachmentHandle::detach()
{
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY status = {};
    m_library->isc_detach_database(status, &m_handle);
    m_handle = 0;
    m_library->check(status);
}

void AttachmentHandle::detachQuietly() noexcept
{
    try {
        detach();
    } catch (...) {
    }
    m_handle = 0;
}

namespace {
// One entry of isc_start_multiple's vector, as the client library reads it.
struct TransactionExistenceBlock {
    isc_db_handle* database;
    int tpbLength;
    const char* tpb;
};
} // namespace

void TransactionHandle::start(AttachmentHandle& attachment, const QByteArray& tpb)
{
    ClientLibrary& library = attachment.library();
    ISC_STATUS_ARRAY status = {};
    TransactionExistenceBlock teb{attachment.handle(), int(tpb.size()), tpb.constData()};
    m_library = &library;
    library.isc_start_multiple(status, &m_handle, 1, &teb);
    if (ClientLibrary::failed(status)) {
        m_handle = 0;
        throw library.engineError(status);
    }
}

void TransactionHandle::commit()
{
    ISC_STATUS_ARRAY status = {};
    m_library->isc_commit_transaction(status, &m_handle);
    m_library->check(status);
    m_handle = 0;
}

void TransactionHandle::commitRetaining()
{
    ISC_STATUS_ARRAY status = {};
    m_library->isc_commit_retaining(status, &m_handle);
    m_library->check(status);
}

void TransactionHandle::rollback()
{
    ISC_STATUS_ARRAY status = {};
    m_library->isc_rollback_transaction(status, &m_handle);
    m_library->check(status);
    m_handle = 0;
}

void TransactionHandle::rollbackQuietly() noexcept
{
    if (!m_handle)
        return;
    try {
        rollback();
    } catch (const EngineError& e) {
        // A cancel that reached the server as the last statement ended stops the next call
        // instead; the rollback is tried once more.
        if (e.ErrorNumber == isc_cancelled) {
            try {
                rollback();
            } catch (...) {
            }
        }
    } catch (...) {
    }
    m_handle = 0;
}

void StatementHandle::allocate(AttachmentHandle& attachment)
{
    freeQuietly();
    ClientLibrary& library = attachment.library();
    ISC_STATUS_ARRAY status = {};
    m_library = &library;
    library.isc_dsql_alloc_statement2(status, attachment.handle(), &m_handle);
    if (ClientLibrary::failed(status)) {
        m_handle = 0;
        throw library.engineError(status);
    }
}

void StatementHandle::free()
{
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY status = {};
    m_library->isc_dsql_free_statement(status, &m_handle, DSQL_drop);
    m_handle = 0;
    m_library->check(status);
}

void StatementHandle::freeQuietly() noexcept
{
    try {
        free();
    } catch (...) {
    }
    m_handle = 0;
}
