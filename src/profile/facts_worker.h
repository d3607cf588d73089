// The facts of backups, worked out on a thread of their own so that pointing at a large or held file never keeps the
// window from answering. The thread starts when the first facts are asked for: under Wine a thread costs start-up
// time and over a megabyte of memory, which a run that never points at a backup should not pay.
#pragma once

#include "profile/facts_reader.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class FactsWorker {
public:
    // `ready` is called on the worker's thread whenever asked-for facts are known.
    explicit FactsWorker(std::function<void()> ready) : ready_(std::move(ready)) {}
    FactsWorker(const FactsWorker&) = delete;
    FactsWorker& operator=(const FactsWorker&) = delete;
    ~FactsWorker() { Stop(); }

    // Asks for the facts of a backup as its files are now, ahead of what was asked before and not yet begun.
    void Ask(const FactsRequest& request);
    // The facts asked for by the last Ask of this request, once known.
    std::optional<BackupFacts> Take(const FactsRequest& request);
    // What is kept of the files goes, after a restore or an undo changed them (their versions tell it too, but a copy
    // may keep its source's size and time).
    void Forget();
    // Ends the thread, cutting short a read in progress.
    void Stop();

private:
    void Run();

    std::function<void()> ready_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<FactsRequest> asked_;
    std::optional<std::pair<FactsRequest, BackupFacts>> known_;
    bool forget_ = false;
    std::atomic<bool> stopping_ = false;
    FileReads reads_;  // the thread's own
    std::thread thread_;
};
