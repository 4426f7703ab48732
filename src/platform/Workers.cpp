#include "platform/Workers.h"

#include "common/CN_CommonErrorFunctions.h"

#include <QPointer>

#include <algorithm>

namespace tvr
{

TWorkers::TWorkers(QObject *owner) : QObject(owner), m_cancel(std::make_shared<std::atomic<bool>>(false)) {}

TWorkers::~TWorkers()
{
    stopAll();
}

QString TWorkers::FailureMessage(std::exception_ptr error)
{
    using namespace Qt::StringLiterals;
    try {
        std::rethrow_exception(error);
    } catch (const TvrError &e) {
        return e.message();
    } catch (const std::bad_alloc &) {
        return u"Elfogyott a memória, a művelet nem fejeződött be."_s;
    } catch (const std::exception &e) {
        return u"Váratlan hiba: %1"_s.arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return u"Ismeretlen hiba történt, a művelet nem fejeződött be."_s;
    }
}

void TWorkers::post(std::function<void()> fn)
{
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void TWorkers::launch(std::function<void()> body)
{
    QThread *thread = QThread::create(std::move(body));
    m_threads.push_back(thread);
    const QPointer<QThread> guard(thread);
    connect(thread, &QThread::finished, this, [this, guard] {
        if (!guard) // already waited for and deleted by stopAll
            return;
        QThread *thread = guard.data();
        m_threads.erase(std::remove(m_threads.begin(), m_threads.end(), thread), m_threads.end());
        thread->deleteLater();
    });
    thread->start();
}

void TWorkers::stopAll()
{
    *m_cancel = true;
    for (QThread *thread : m_threads) {
        thread->wait();
        delete thread;
    }
    m_threads.clear();
    // Later workers start with a fresh flag.
    m_cancel = std::make_shared<std::atomic<bool>>(false);
}

} // namespace tvr
