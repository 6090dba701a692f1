#pragma once
// The connection's one transaction: read committed with record versions, no waiting on
// locks, read-write. It starts with the first statement that gains it and stays active,
// holding all pending work, until a hard commit or the connection's close (rollback).
#include "Handles.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <mutex>

// The pending work was stopped by cancel(): nothing more of it runs or is committed.
// It carries the engine's own number and words for a cancelled operation, so that it reads,
// and is classed, like the error of a statement that the cancel stopped in the server.
class WorkCancelled : public EngineError {
public:
    WorkCancelled()
        : EngineError(QStringLiteral("\roperation was cancelled"), CancelledSqlCode, isc_cancelled, QString(),
                      {isc_cancelled}) {}
    static constexpr long CancelledSqlCode = -901;
};

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

    // The next transaction to start holds a protected write reservation on these tables
    // (upper-case names as the database stores them): no other transaction may write them,
    // or reserve them, until it ends, and it cannot start while another one has written
    // them. Only that transaction: the one after it starts with the plain block again.
    // Raises GeneralError when a transaction is already active.
    void reserveForWriting(const QStringList& tables);

    // Thread-safe: for another thread (a signal watcher) while this one works. Stops the
    // pending work: the statement running now is cancelled where the client library allows
    // it, and every later statement, start or commit is refused with WorkCancelled until
    // the work has been rolled back. Returns false, and stops nothing, once a hard commit
    // has begun (until the next transaction starts).
    bool cancel();
    bool cancelled() const;
    // Called on the committing thread once a hard commit can no longer be cancelled, just
    // before it is sent.
    std::function<void()> onCommitBegun;

    isc_tr_handle* handle() { return m_handle.handle(); }

    // isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait,
    // isc_tpb_write: the block of every transaction without a reservation.
    static QByteArray parameterBlock();
    // The same five bytes, then isc_tpb_lock_write, the name's length and bytes, and
    // isc_tpb_protected for each table.
    static QByteArray parameterBlock(const QStringList& reservedTables);
    // The error numbers after which the library no longer knows the transaction.
    static bool isLostConnection(long errorNumber);

private:
    void requireActive() const;
    void throwIfCancelled() const; // with m_gate held
    void beginCommit();
    AttachmentHandle& m_attachment;
    std::function<void()> m_beforeHardCommit;
    TransactionHandle m_handle;
    int m_useCount = 0;
    QStringList m_reserved;

    // Shared with cancel(), which may run on another thread.
    mutable std::mutex m_gate;
    bool m_cancelled = false;
    bool m_commitBegun = false;
};
