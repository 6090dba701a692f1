#pragma once
// The connection's one transaction: read committed with record versions, no waiting on
// locks, read-write. It starts with the first statement that gains it and stays active,
// holding all pending work, until a hard commit or the connection's close (rollback).
#include "Handles.h"

#include <QByteArray>
#include <functional>

class DefaultTransaction {
public:
    // beforeHardCommit closes the statement components that use the transaction.
    DefaultTransaction(AttachmentHandle& attachment, std::function<void()> beforeHardCommit);
    DefaultTransaction(const DefaultTransaction&) = delete;
    DefaultTransaction& operator=(const DefaultTransaction&) = delete;

    bool Active() const { return m_handle.active(); }
    int useCount() const { return m_useCount; }

    // An execution gains the transaction before it prepares and releases it afterwards.
    // The count never falls below 1 by a release, so work stays pending until a commit.
    void gain();
    void release();

    // Hard commit: raises "Can't perform operation on inactive transaction" when inactive.
    // A refused commit keeps the handle, unless the connection to the server is lost.
    void Commit();
    void CommitRetaining();
    // The close action: roll back, ignoring errors. Nothing happens when inactive.
    void rollbackQuietly() noexcept;

    isc_tr_handle* handle() { return m_handle.handle(); }

    // isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait,
    // isc_tpb_write.
    static QByteArray parameterBlock();
    // The error numbers after which the library no longer knows the transaction.
    static bool isLostConnection(long errorNumber);

private:
    void requireActive() const;
    AttachmentHandle& m_attachment;
    std::function<void()> m_beforeHardCommit;
    TransactionHandle m_handle;
    int m_useCount = 0;
};
