#include "profile/facts_worker.h"

#include <utility>

void FactsWorker::Ask(const FactsRequest& request) {
    {
        const std::lock_guard lock(mutex_);
        asked_ = request;
        if (known_ && known_->first == request) known_.reset();
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    wake_.notify_one();
}

std::optional<BackupFacts> FactsWorker::Take(const FactsRequest& request) {
    const std::lock_guard lock(mutex_);
    if (!known_ || known_->first != request) return std::nullopt;
    return known_->second;
}

void FactsWorker::Forget() {
    const std::lock_guard lock(mutex_);
    forget_ = true;
    known_.reset();
}

void FactsWorker::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void FactsWorker::Run() {
    for (;;) {
        std::optional<FactsRequest> request;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || asked_; });
            if (stopping_) return;
            request.swap(asked_);
            if (std::exchange(forget_, false)) reads_.Forget();
        }
        BackupFacts facts = WorkOutFacts(*request, reads_, &stopping_);
        {
            const std::lock_guard lock(mutex_);
            if (stopping_) return;
            // Facts worked out while a restore changed the files are not told: the window asks again.
            if (forget_) continue;
            known_.emplace(std::move(*request), std::move(facts));
        }
        ready_();
    }
}
