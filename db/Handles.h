#pragma once
// RAII owners of the client library's handles. Each owner releases its handle when it is
// destroyed (errors are ignored there); the explicit calls raise the library's error.
// The library keeps the address of the handle variable it was given and clears it when
// the object ends (a statement at detach, for one), so the handle is always the owner's
// own member and owners are never copied or moved.
#include "ClientLibrary.h"

#include <QByteArray>

class AttachmentHandle {
public:
    AttachmentHandle() = default;
    ~AttachmentHandle() { detachQuietly(); }
    AttachmentHandle(const AttachmentHandle&) = delete;
    AttachmentHandle& operator=(const AttachmentHandle&) = delete;

    // isc_attach_database; on failure raises and stays unattached.
    void attach(ClientLibrary& library, const QByteArray& attachString, const QByteArray& dpb);
    // isc_database_info for one item; the reply's bytes (items, lengths, values).
    QByteArray info(char item, int replySize = 64);
    // isc_detach_database. The handle is given up even when the library refuses, so the
    // connection can be opened again.
    void detach();
    void detachQuietly() noexcept;

    bool attached() const { return m_handle != 0; }
    ClientLibrary& library() const { return *m_library; }
    isc_db_handle* handle() { return &m_handle; }

private:
    ClientLibrary* m_library = nullptr;
    isc_db_handle m_handle = 0;
};

class TransactionHandle {
public:
    TransactionHandle() = default;
    ~TransactionHandle() { rollbackQuietly(); }
    TransactionHandle(const TransactionHandle&) = delete;
    TransactionHandle& operator=(const TransactionHandle&) = delete;

    void start(AttachmentHandle& attachment, const QByteArray& tpb); // isc_start_multiple
    void commit();          // isc_commit_transaction; the handle stays on failure
    void commitRetaining(); // isc_commit_retaining
    void rollback();        // isc_rollback_transaction; the handle stays on failure
    void rollbackQuietly() noexcept; // rollback, ignoring errors; the handle is dropped
    void drop() noexcept { m_handle = 0; } // forget a handle the library no longer knows

    bool active() const { return m_handle != 0; }
    isc_tr_handle* handle() { return &m_handle; }

private:
    ClientLibrary* m_library = nullptr;
    isc_tr_handle m_handle = 0;
};

class StatementHandle {
public:
    StatementHandle() = default;
    ~StatementHandle() { freeQuietly(); }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;

    void allocate(AttachmentHandle& attachment); // isc_dsql_alloc_statement2
    void free();                                  // isc_dsql_free_statement, DSQL_drop
    void freeQuietly() noexcept;

    bool allocated() const { return m_handle != 0; }
    isc_stmt_handle* handle() { return &m_handle; }

private:
    ClientLibrary* m_library = nullptr;
    isc_stmt_handle m_handle = 0;
};
