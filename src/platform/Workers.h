#pragma once
// Work that waits (the network, a download) runs on a thread of its own; its result and its
// progress reach the window on the window's thread. The workers belong to their window: when it
// goes, they are told to stop and are waited for, and results that arrive later are dropped.

#include <QObject>
#include <QThread>

#include <QString>

#include <atomic>
#include <concepts>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace tvr
{

class TWorkers : public QObject
{
    Q_OBJECT
public:
    using Cancel = std::shared_ptr<std::atomic<bool>>;

    explicit TWorkers(QObject *owner);
    ~TWorkers() override;

    // Runs work(cancel) on a new thread; done(result) then runs on this object's thread. A job
    // that throws (an engine error, a library that cannot start, memory running out) ends as
    // Result::Failed(message): nothing may escape a thread, where it would end the program.
    template <class Result>
    requires requires(const QString &message)
    {
        {
            Result::Failed(message)
            } -> std::convertible_to<Result>;
    }
    void start(std::function<Result(const Cancel &)> work, std::function<void(Result)> done)
    {
        const Cancel cancel = m_cancel;
        launch([this, cancel, work = std::move(work), done = std::move(done)] {
            std::shared_ptr<Result> result;
            try {
                result = std::make_shared<Result>(work(cancel));
            } catch (...) {
                result = std::make_shared<Result>(Result::Failed(FailureMessage(std::current_exception())));
            }
            post([done, result] { done(std::move(*result)); });
        });
    }
    // The user's message for what a job threw.
    static QString FailureMessage(std::exception_ptr error);
    // Queues fn to run on this object's thread (from any thread); dropped once this object is gone.
    void post(std::function<void()> fn);
    // True while a worker runs.
    bool busy() const { return !m_threads.empty(); }
    // Tells every running worker to stop at its next step and waits for them.
    void stopAll();

private:
    void launch(std::function<void()> body);

    Cancel m_cancel;
    std::vector<QThread *> m_threads;
};

} // namespace tvr
