#pragma once
// Deletions and moves queued now and carried out on request, or at the
// latest when the queue is destroyed.
#include <string>

#include "util/strings.h"

class x_DeferredFileOps {
public:
    x_DeferredFileOps() = default;
    x_DeferredFileOps(const x_DeferredFileOps&) = delete;
    x_DeferredFileOps& operator=(const x_DeferredFileOps&) = delete;

    virtual ~x_DeferredFileOps();
    virtual bool queue_delete_string(const std::string& path);
    virtual bool queue_delete(const char* path);
    virtual bool queue_delete_list(const x_StringList& paths);
    virtual bool queue_move(const char* source, const char* destination);
    virtual bool run_copies();
    virtual bool run_deletes();

private:
    x_StringList sources;
    x_StringList destinations;
};

bool copy_file(const std::string& source, const std::string& destination, bool fail_if_exists);
bool folder_is_empty(const std::string& path);
