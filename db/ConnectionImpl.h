#pragma once
// The private state of a DatabaseConnection, shared with its statement components.
#include "DatabaseConnection.h"
#include "DefaultTransaction.h"
#include "Handles.h"

#include <memory>
#include <vector>

struct DatabaseConnection::Impl {
    Impl();
    void connect(const DatabaseConnection& settings);
    void disconnect();        // raises the detach error, if any
    void disconnectQuietly() noexcept;
    void closeQueries();

    AttachmentHandle attachment;
    int dialect = 0;
    bool remote = false;
    std::vector<SqlQuery*> queries; // the components bound to this connection
    // Components hold a weak reference to it, so one that outlives its connection knows.
    std::shared_ptr<char> lifetime = std::make_shared<char>();
    DefaultTransaction transaction;
};
