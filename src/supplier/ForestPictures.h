#pragma once
// Pictures of Forest articles. Each is fetched by HTTP from the folder /szerelveny/pictures/small/
// of the manufacturer's web server (the picture host, an installation setting) into the data
// folder's tmp as <article number>.jpg, where an earlier fetch may have left it already.
//
// The fetch never holds up the window that wants the picture: it runs on a worker thread, one
// transfer at a time per fetcher; a request made while one runs waits, and a newer request
// replaces a waiting one (the user moving down a list wants only the row where they stop). The
// file is written whole or not at all. A failed fetch (an error answer, a server that is down or
// stuck) is not an error of the user's work: the window goes on without the picture.

#include "common/SYS_SystemConstants.h"
#include "platform/HttpClient.h"

#include <QObject>
#include <QString>

namespace tvr
{

class TWorkers;

// The address of the article's picture on the host ("name", "name:port", or either after
// "http://" or "https://"), or an empty text when the host is unusable or the article number is
// not digits only (nothing else may go into the address).
QString ForestPictureUrl(const QString &host, const QString &articleNumber);
// True when the host text can make a picture address.
bool IsUsablePictureHost(const QString &host);
// tmp/<article number>.jpg of the data folder, or an empty text when the number is not digits only.
QString ForestPictureFile(const DataFolder &folder, const QString &articleNumber);

class TForestPictureFetcher : public QObject
{
    Q_OBJECT
public:
    explicit TForestPictureFetcher(const DataFolder &folder, QObject *parent = nullptr);
    ~TForestPictureFetcher() override;

    void setHost(const QString &host) { m_host = host; }
    const QString &host() const { return m_host; }
    // Timeouts of the transfers started after the call.
    void setHttpSettings(const HttpSettings &settings) { m_settings = settings; }

    // Fetches the article's picture into tmp (creating the folder when missing). Nothing happens
    // for a number that is not digits only or without a usable host; finished then never comes.
    void request(const QString &articleNumber);
    // True while a transfer runs or waits.
    bool busy() const;

signals:
    // A transfer ended: ok with the status, or its reason. The file (if any) is in place by now.
    void finished(const QString &articleNumber, bool ok, int status, const QString &error);

private:
    void startNext();

    DataFolder m_folder;
    QString m_host;
    HttpSettings m_settings;
    TWorkers *m_workers;
    bool m_running = false;
    QString m_waiting; // the newest request made while a transfer ran
};

} // namespace tvr
