#pragma once
// Files queued for deletion as they are now and deleted later only if nobody
// has written to them since: a file written to in the meantime keeps what
// was written and stays.
#include <string>
#include <vector>

#include "platform/files.h"

class x_UnchangedDeletions {
public:
    x_UnchangedDeletions() = default;
    x_UnchangedDeletions(const x_UnchangedDeletions&) = delete;
    x_UnchangedDeletions& operator=(const x_UnchangedDeletions&) = delete;
    // Carries out what is still queued.
    ~x_UnchangedDeletions();

    // Queues the file as the stamp shows it.
    void queue(const std::string& path, const platform::x_FileStamp& stamp);
    // Deletes every queued file that still bears its stamp; empties the queue.
    void run();

private:
    struct x_Queued {
        std::string path;
        platform::x_FileStamp stamp;
    };
    std::vector<x_Queued> queued_;
};
